#include "frmNewEntry.h"

#include "AnswerType.h"
#include "AppContext.h"
#include "DataLocation.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "ResponseGrid.h"
#include "SheetReviewPanel.h"
#include "TestDefinition.h"
#include "WindowRoutines.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace {

const QString Title = QStringLiteral("Edit Client Responses");

// Colours of the cell states, as &HBBGGRR values.
constexpr qint64 White = 0xFFFFFF;
constexpr qint64 Navy = 0x800000;
constexpr qint64 Cyan = 0xFFFF00;
constexpr qint64 Black = 0;
constexpr qint64 ButtonFace = 0x8000000F;

// Sizes of the window's parts, in twips.
constexpr int RowHeight = 240;
constexpr int VisibleRows = 17;
constexpr int DesignFrameWidth = 7200;
constexpr int NameTop = 120;
constexpr int SectionTop = 560;
constexpr int GridTop = 820;
constexpr int ButtonWidth = 1500;
constexpr int ButtonHeight = 500;

// A classic colour value: &HBBGGRR, or a system colour when the high bit is set (&H8000000F is the button face).
QColor VbColor(qint64 value, const QPalette& palette)
{
    if (value & 0x80000000)
        return (value & 0xFF) == 0x0F ? palette.color(QPalette::Button) : palette.color(QPalette::Window);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace

frmNewEntry::frmNewEntry(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmNewEntry"));
    setWindowTitle(Title);
    setModal(true);

    m_frEntry = new QFrame(this);
    m_frEntry->setObjectName(QStringLiteral("frEntry"));
    m_frEntry->setFrameStyle(QFrame::Panel | QFrame::Raised);

    m_lblClientName = new QLabel(m_frEntry);
    m_lblClientName->setObjectName(QStringLiteral("lblClientName"));
    m_lblClientName->setTextFormat(Qt::PlainText);
    m_lblClientName->setAlignment(Qt::AlignCenter);
    SetBold(m_lblClientName, true);
    m_lblClientName->setText(ClientRecord::fit(ctx.table.current().Name, 25));
    m_lblClientName->setAccessibleName(QStringLiteral("Client"));

    // It only mirrors the last cell coloured; the cells carry their own colours.
    m_picGridColor = new QLabel(this);
    m_picGridColor->setObjectName(QStringLiteral("picGridColor"));
    m_picGridColor->setAutoFillBackground(true);
    m_picGridColor->hide();

    m_msgPanel = new Panel3D(QStringLiteral("MsgPanel"), this);
    m_msgPanel->setAccessibleName(QStringLiteral("Help"));
    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Save"), QStringLiteral("SAVE data, close this window and return to Main Menu"),
                [this] { save(); });
    m_menu->add(QStringLiteral("Cancel"), QStringLiteral("DISCARD data, close this window and return to Main Menu"),
                [this] { cancel(); });
    for (int i = 0; i < m_menu->size(); ++i)
        m_menu->panel(i)->setParent(m_frEntry);
    setButtonsEnabled(false);
    m_sheetPanel = MakeSheetReviewPanel(ctx, this);

    QString error;
    m_questions = ctx.workspace.OpenQuestionDatabase(&error);
    if (!m_questions) {
        m_loadError = error;
        return;
    }
    QuestionRowsResult rows = ReadQuestionRows(m_questions->db(), m_questions->path());
    if (!rows.error.isEmpty()) {
        m_loadError = rows.error;
        return;
    }
    buildGrids(rows.rows);
}

frmNewEntry::~frmNewEntry() = default;

void frmNewEntry::buildGrids(const QList<QuestionRow>& rows)
{
    m_layout = AnswerGridLayout::build(rows);
    m_frameWidth = std::max(DesignFrameWidth, m_layout.blockWidth());
    m_layout.centreIn(m_frameWidth);
    m_keying.emplace(m_layout, m_ctx.table.current().Responses);

    QFont small(QStringLiteral("Arial"), 8);
    const int rowHeight = TwipsToPixelsY(RowHeight, this);
    for (int g = 0; g < m_layout.grids.size(); ++g) {
        const GridPlan& plan = m_layout.grids.at(g);
        const GridGeometry geometry = GeometryOf(plan.type);
        auto* grid = new ResponseGrid(g, VisibleRows, rowHeight, m_frEntry);
        m_grids.append(grid);
        grid->setFont(small);
        grid->horizontalHeader()->setFont(small);
        grid->tag = QString::number(plan.type);
        grid->setColumnCount(geometry.cols);
        grid->setRowCount(static_cast<int>(plan.items.size()));
        grid->setAccessibleName(QStringLiteral("Section %1 answers").arg(g + 1));
        grid->setAccessibleDescription(AnswerTypeHelp(plan.type));
        for (int c = 0; c < geometry.cols; ++c) {
            grid->setColumnWidth(c, TwipsToPixelsX(c == 0 ? geometry.firstColWidth : geometry.answerColWidth, this));
            auto* header = new QTableWidgetItem(m_keying->cellText(g, 0, c));
            header->setTextAlignment(Qt::AlignCenter);
            grid->setHorizontalHeaderItem(c, header);
            SetGridCellColor(grid, 0, c, ButtonFace, Black);
        }
        for (int r = 1; r < plan.rows(); ++r) {
            for (int c = 0; c < geometry.cols; ++c) {
                auto* item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                item->setFlags(Qt::ItemIsEnabled);
                grid->setItem(r - 1, c, item);
            }
            syncRow(g, r);
        }
        const int height = rowHeight * (VisibleRows + 1) + 2 * grid->frameWidth();
        grid->setGeometry(TwipsToPixelsX(plan.left, this), TwipsToPixelsY(GridTop, this),
                          TwipsToPixelsX(plan.width, this), height);

        auto* label = new QLabel(QStringLiteral("Section %1").arg(g + 1), m_frEntry);
        label->setObjectName(QStringLiteral("lblSection_%1").arg(g));
        label->setAlignment(Qt::AlignCenter);
        label->setBuddy(grid);
        label->setGeometry(grid->x(), TwipsToPixelsY(SectionTop, this), grid->width(),
                           TwipsToPixelsY(GridTop - SectionTop, this));

        connect(grid, &ResponseGrid::typed, this, &frmNewEntry::onTyped);
        connect(grid, &ResponseGrid::upPressed, this, &frmNewEntry::onUp);
        connect(grid, &ResponseGrid::downPressed, this, &frmNewEntry::onDown);
        connect(grid, &ResponseGrid::rowChosen, this, &frmNewEntry::onRowChosen);
        connect(grid, &ResponseGrid::focusGained, this, &frmNewEntry::onFocusGained);
        connect(grid, &ResponseGrid::focusLost, this, &frmNewEntry::onFocusLost);
        m_sections.append(label);

        Drawn drawn;
        drawn.marks.fill(0, plan.rows());
        for (int r = 1; r < plan.rows(); ++r)
            drawn.marks[r] = m_keying->markedColumn(g, r);
        m_drawn.append(drawn);
    }

    // Tab walks the grids in order, then Save and Cancel.
    QWidget* previous = nullptr;
    for (ResponseGrid* grid : std::as_const(m_grids)) {
        if (previous)
            setTabOrder(previous, grid);
        previous = grid;
    }
    setTabOrder(previous, m_menu->button(0));
    setTabOrder(m_menu->button(0), m_menu->button(1));

    placeControls();
}

void frmNewEntry::placeControls()
{
    const int frameWidth = TwipsToPixelsX(m_frameWidth, this);
    const int gridBottom = m_grids.isEmpty() ? TwipsToPixelsY(GridTop, this) : m_grids.first()->geometry().bottom();
    const int buttonTop = gridBottom + TwipsToPixelsY(240, this);
    const int buttonWidth = TwipsToPixelsX(ButtonWidth, this);
    const int gap = TwipsToPixelsX(400, this);
    const int left = frameWidth / 2 - buttonWidth - gap / 2;
    for (int i = 0; i < m_menu->size(); ++i)
        m_menu->panel(i)->setGeometry(left + i * (buttonWidth + gap), buttonTop, buttonWidth,
                                      TwipsToPixelsY(ButtonHeight, this));
    m_lblClientName->setGeometry(0, TwipsToPixelsY(NameTop, this), frameWidth, TwipsToPixelsY(360, this));
    const int frameHeight = buttonTop + TwipsToPixelsY(ButtonHeight + 240, this);
    m_frEntry->resize(frameWidth, frameHeight);

    const int panelWidth = m_sheetPanel ? SheetReviewPanel::Width : 0;
    const int width = frameWidth + TwipsToPixelsX(800, this) + panelWidth;
    const int height = frameHeight + TwipsToPixelsY(2400, this);
    setFixedSize(width, height);
    const int msgHeight = TwipsToPixelsY(380, this);
    const int margin = TwipsToPixelsX(60, this);
    m_msgPanel->setGeometry(margin, height - msgHeight - margin, width - 2 * margin, msgHeight);
    if (m_sheetPanel)
        m_sheetPanel->setGeometry(width - panelWidth - margin, margin, panelWidth, height - msgHeight - 3 * margin);
}

void frmNewEntry::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    if (!isMaximized())
        CenterForm(this);
    CenterFrame(this, m_frEntry);
    // Centred in the room left of the sheet's image.
    if (m_sheetPanel)
        m_frEntry->move(std::max(0, m_frEntry->x() - SheetReviewPanel::Width / 2), m_frEntry->y());
    if (m_grids.isEmpty())
        return;
    setButtonsEnabled(true);
    for (ResponseGrid* grid : std::as_const(m_grids))
        grid->setCursorRow(1);
    // A sheet keyed before the program stopped goes on where the keying stopped.
    const int g = std::max(0, m_keying->startAt(m_ctx.client.resumedAt()));
    m_grids.at(g)->setCursorRow(m_keying->row(g));
    m_grids.at(g)->setFocus(Qt::OtherFocusReason);
    scrollIntoView(g);
}

void frmNewEntry::SetGridCellColor(ResponseGrid* grd, int RowNum, int ColNum, qint64 BkClr, qint64 FrClr)
{
    QTableWidgetItem* cell = RowNum == 0 ? grd->horizontalHeaderItem(ColNum) : grd->item(RowNum - 1, ColNum);
    if (!cell)
        return;
    const QColor back = VbColor(BkClr, palette());
    const QColor fore = VbColor(FrClr, palette());
    if (cell->background().color() != back || cell->background().style() == Qt::NoBrush)
        cell->setBackground(back);
    if (cell->foreground().color() != fore || cell->foreground().style() == Qt::NoBrush)
        cell->setForeground(fore);
    if (m_picGridColor->text() != cell->text())
        m_picGridColor->setText(cell->text());
}

void frmNewEntry::syncRow(int g, int row)
{
    ResponseGrid* grid = m_grids.at(g);
    const bool lit = m_keying->isLit(g) && m_keying->rememberedRow(g) == row;
    for (int c = 0; c < grid->columnCount(); ++c) {
        QTableWidgetItem* cell = grid->item(row - 1, c);
        const QString text = m_keying->cellText(g, row, c);
        if (cell->text() != text)
            cell->setText(text);
        const bool current = lit && c > 0;
        SetGridCellColor(grid, row, c, current ? Cyan : White, current ? Black : Navy);
    }
}

void frmNewEntry::refresh()
{
    for (int g = 0; g < gridCount(); ++g) {
        Drawn& drawn = m_drawn[g];
        const int lit = m_keying->isLit(g) ? m_keying->rememberedRow(g) : 0;
        for (int r = 1; r < m_keying->rows(g); ++r) {
            const int mark = m_keying->markedColumn(g, r);
            if (mark != drawn.marks[r] || (r == lit) != (r == drawn.litRow)) {
                syncRow(g, r);
                drawn.marks[r] = mark;
            }
        }
        drawn.litRow = lit;
        m_grids[g]->setCursorRow(m_keying->row(g));
    }
    // The sheet's image follows the item being keyed.
    if (m_sheetPanel) {
        const int g = m_keying->currentGrid();
        const int item = g >= 0 && g < gridCount() ? m_keying->itemAt(g, m_keying->row(g)) : 0;
        if (item > 0 && item != m_shownItem) {
            m_shownItem = item;
            m_sheetPanel->showField(QStringLiteral("Item %1").arg(item));
        }
    }
}

void frmNewEntry::scrollIntoView(int g)
{
    ResponseGrid* grid = m_grids.at(g);
    const int top = ScrollTopRow(m_keying->row(g), grid->Rows(), grid->TopRow(), grid->visibleRows());
    if (top != grid->TopRow())
        grid->setTopRow(top);
}

void frmNewEntry::apply(int g, const GridKeying::Outcome& outcome)
{
    refresh();
    if (outcome.focusGrid >= 0) {
        ResponseGrid* target = m_grids.at(outcome.focusGrid);
        target->setFocus(Qt::OtherFocusReason);
        if (!target->hasFocus()) {
            // The window is not active, so no focus events come: make the move ourselves.
            m_keying->focusLost(g);
            m_keying->focusGained(outcome.focusGrid);
            m_msgPanel->setCaption(AnswerTypeHelp(m_keying->type(outcome.focusGrid)));
            refresh();
        }
        scrollIntoView(outcome.focusGrid);
    } else {
        scrollIntoView(g);
    }
    if (outcome.beep)
        m_ctx.prompts.beep();
}

void frmNewEntry::onTyped(int g, QChar key)
{
    // The window's own key handler takes these two before any grid sees them.
    if (key == QLatin1Char('%') || key == QLatin1Char('\''))
        return;
    const GridKeying::Outcome outcome = m_keying->keyPress(g, key);
    m_ctx.client.keepAnswers(m_keying->responses(NumItems));
    apply(g, outcome);
}

void frmNewEntry::onUp(int g)
{
    apply(g, m_keying->keyUp(g));
}

void frmNewEntry::onDown(int g)
{
    apply(g, m_keying->keyDown(g));
}

void frmNewEntry::onRowChosen(int g, int row)
{
    m_keying->moveTo(g, row);
    refresh();
    scrollIntoView(g);
}

void frmNewEntry::onFocusGained(int g)
{
    m_msgPanel->setCaption(AnswerTypeHelp(m_keying->type(g)));
    m_keying->focusGained(g);
    refresh();
    scrollIntoView(g);
}

void frmNewEntry::onFocusLost(int g)
{
    m_keying->focusLost(g);
    refresh();
}

void frmNewEntry::setButtonsEnabled(bool enabled)
{
    for (int i = 0; i < m_menu->size(); ++i)
        m_menu->button(i)->setEnabled(enabled);
}

void frmNewEntry::save()
{
    if (!m_keying)
        return;
    setButtonsEnabled(false);
    const QString responses = m_keying->responses(NumItems);
    if (m_ctx.client.commit([&](ClientRecord& r) { r.Responses = responses; })) {
        // The keyed answers stay in the grids for another try.
        setButtonsEnabled(true);
        m_menu->button(0)->setFocus();
        return;
    }
    m_ctx.flags.ContinueFlag = true;
    m_finished = true;
    accept();
}

void frmNewEntry::cancel()
{
    setButtonsEnabled(false);
    // Only a new client that was never written is dropped; an existing client stays exactly as it was.
    m_ctx.client.discard();
    m_ctx.flags.ContinueFlag = false;
    m_finished = true;
    QDialog::reject();
}

void frmNewEntry::reject()
{
    // Closing the window by its frame counts as Cancel.
    if (!m_finished)
        cancel();
    else
        QDialog::reject();
}

void RunNewEntry(AppContext& ctx, QWidget* parent)
{
    ctx.flags.ContinueFlag = false;
    if (ctx.table.CurClient < 1 || ctx.table.CurClient > ClientTable::MaxClients)
        return;
    MouseWait();
    frmNewEntry window(ctx, parent);
    MouseDefault();
    if (!window.loadError().isEmpty()) {
        ctx.prompts.message(window.loadError(), Title, Prompts::Icon::Critical, Prompts::Buttons::Ok);
        // Nothing can be keyed: the same as Cancel.
        window.reject();
        return;
    }
    window.exec();
}
