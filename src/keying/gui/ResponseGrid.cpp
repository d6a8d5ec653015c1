#include "ResponseGrid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// The cells are narrower than a style's text margins allow ("100." in 400 twips): cells and header sections are
// drawn edge to edge, in the colours the window gives them.
void paintCell(QPainter* painter, const QRect& rect, const QVariant& back, const QVariant& fore, const QString& text,
               const QColor& fallbackBack, const QColor& line)
{
    painter->save();
    painter->fillRect(rect, back.canConvert<QBrush>() ? back.value<QBrush>() : QBrush(fallbackBack));
    painter->setPen(fore.canConvert<QBrush>() ? fore.value<QBrush>().color() : QColor(Qt::black));
    painter->drawText(rect, Qt::AlignCenter, text);
    painter->setPen(line);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}

class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->setFont(option.font);
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
        painter->setPen(index.data(Qt::ForegroundRole).value<QBrush>().color());
        painter->drawText(option.rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

class HeaderView : public QHeaderView {
public:
    HeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        if (!rect.isValid())
            return;
        painter->setFont(font());
        paintCell(painter, rect, model()->headerData(logicalIndex, Qt::Horizontal, Qt::BackgroundRole),
                  model()->headerData(logicalIndex, Qt::Horizontal, Qt::ForegroundRole),
                  model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString(),
                  palette().color(QPalette::Button), palette().color(QPalette::Dark));
    }
};

} // namespace

ResponseGrid::ResponseGrid(int index, int visibleRows, int rowHeight, QWidget* parent)
    : QTableWidget(parent), m_index(index), m_visibleRows(visibleRows)
{
    setObjectName(QStringLiteral("grdResponses_%1").arg(index));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    // The window scrolls the grid by its own rule; the view must not chase its current cell.
    setAutoScroll(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setWordWrap(false);
    setItemDelegate(new CellDelegate(this));
    setHorizontalHeader(new HeaderView(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setFixedHeight(rowHeight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

int ResponseGrid::TopRow() const
{
    return verticalScrollBar()->value() + 1;
}

void ResponseGrid::setTopRow(int row)
{
    verticalScrollBar()->setValue(row - 1);
}

void ResponseGrid::setCursorRow(int row)
{
    if (row >= 1 && row <= rowCount() && currentRow() != row - 1)
        setCurrentCell(row - 1, 0, QItemSelectionModel::NoUpdate);
}

void ResponseGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        break; // the cursor stays in column 0
    case Qt::Key_Up:
        emit upPressed(m_index);
        break;
    case Qt::Key_Down:
        emit downPressed(m_index);
        break;
    case Qt::Key_PageUp:
        emit rowChosen(m_index, std::max(1, TopRow() - m_visibleRows));
        break;
    case Qt::Key_PageDown:
        emit rowChosen(m_index, std::min(rowCount(), TopRow() + 2 * m_visibleRows - 1));
        break;
    case Qt::Key_Home:
        emit rowChosen(m_index, 1);
        break;
    case Qt::Key_End:
        emit rowChosen(m_index, rowCount());
        break;
    default:
        if (event->text().isEmpty()) {
            event->ignore();
            return;
        }
        emit typed(m_index, event->text().at(0));
        break;
    }
    event->accept();
}

void ResponseGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(event->position().toPoint().y());
    if (row >= 0)
        emit rowChosen(m_index, row + 1);
    event->accept();
}

void ResponseGrid::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void ResponseGrid::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void ResponseGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

void ResponseGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    emit focusGained(m_index);
}

void ResponseGrid::focusOutEvent(QFocusEvent* event)
{
    QTableWidget::focusOutEvent(event);
    // Another window coming to the front (a message box) is not a move to another control.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit focusLost(m_index);
}
