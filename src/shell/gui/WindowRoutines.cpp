#include "WindowRoutines.h"

#include "Panel3D.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace {
int logicalDpiX(const QWidget* w)
{
    if (w)
        return w->logicalDpiX();
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? qRound(s->logicalDotsPerInchX()) : 96;
}
int logicalDpiY(const QWidget* w)
{
    if (w)
        return w->logicalDpiY();
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? qRound(s->logicalDotsPerInchY()) : 96;
}
} // namespace

int TwipsToPixelsX(int twips, const QWidget* w)
{
    return twips * logicalDpiX(w) / 1440;
}

int TwipsToPixelsY(int twips, const QWidget* w)
{
    return twips * logicalDpiY(w) / 1440;
}

void CenterForm(QWidget* window)
{
    if (!window || window->isMaximized())
        return;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.left() + area.width() / 2 - size.width() / 2, area.top() + area.height() / 2 - size.height() / 2);
}

void CenterFrame(QWidget* window, QWidget* frame)
{
    if (!window || !frame)
        return;
    const QWidget* area = frame->parentWidget() ? frame->parentWidget() : window;
    const int left = (area->width() - frame->width()) / 2;
    const int top = area->height() / 2 - (frame->height() + TwipsToPixelsY(1000, window)) / 2;
    // Never above the top edge: a small window would otherwise cut off the frame's caption.
    frame->move(std::max(0, left), std::max(0, top));
}

void PlaceFootPanelAndFrame(QWidget* window, QWidget* msgPanel, QWidget* frame)
{
    const int margin = TwipsToPixelsX(120, window);
    const int help = msgPanel->sizeHint().height();
    msgPanel->setGeometry(margin, window->height() - help - margin, window->width() - 2 * margin, help);
    frame->adjustSize();
    CenterFrame(window, frame);
}

WindowSkeleton MakeWindowSkeleton(QWidget* host, const QString& areaName, const std::function<QWidget*()>& beside)
{
    auto* area = new QWidget(host);
    if (!areaName.isEmpty())
        area->setObjectName(areaName);
    auto* msgPanel = new Panel3D(QStringLiteral("MsgPanel"), host);
    msgPanel->setCaption(QString());
    msgPanel->setMinimumHeight(TwipsToPixelsY(400, host));
    auto* layout = new QVBoxLayout(host);
    if (beside) {
        auto* row = new QHBoxLayout;
        row->addWidget(area, 1);
        if (QWidget* w = beside())
            row->addWidget(w);
        layout->addLayout(row, 1);
    } else {
        layout->addWidget(area, 1);
    }
    layout->addWidget(msgPanel);
    return {area, msgPanel};
}

QFrame* MakeMainFrame(QWidget* area, const QString& name)
{
    auto* frame = new QFrame(area);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::Box | QFrame::Raised);
    return frame;
}

void MouseWait()
{
    if (!QApplication::overrideCursor() || QApplication::overrideCursor()->shape() != Qt::WaitCursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
}

void MouseDefault()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QApplication::processEvents();
}

void SelectAllText()
{
    QWidget* w = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
        spin->selectAll();
    else if (auto* text = qobject_cast<QTextEdit*>(w))
        text->selectAll();
}

void SetBold(QWidget* w, bool bold)
{
    if (!w)
        return;
    QFont f = w->font();
    if (f.bold() != bold) {
        f.setBold(bold);
        w->setFont(f);
    }
}

void SetBackColor(QWidget* w, const QColor& c)
{
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetForeColor(QWidget* w, const QColor& c)
{
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

void ClearInfoBold(QWidget* window, int count)
{
    for (int i = 0; i <= count; ++i)
        SetBold(window->findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(i)), false);
}

void SetInfoBold(QWidget* window, int count, int index)
{
    ClearInfoBold(window, count);
    SetBold(window->findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(index)), true);
}
