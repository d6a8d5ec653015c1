#include "MenuButtons.h"

#include "Panel3D.h"
#include "WindowRoutines.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

MenuButtons::MenuButtons(QWidget* window, Panel3D* msgPanel) : QObject(window), m_window(window), m_msgPanel(msgPanel)
{
}

QPushButton* MenuButtons::add(const QString& caption, const QString& help, std::function<void()> action)
{
    const int i = size();
    auto* panel = new Panel3D(QStringLiteral("sspMenuChoice_%1").arg(i), m_window);
    panel->setBackColor(NormalColor);
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(QStringLiteral("cmdMenuChoice_%1").arg(i));
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAccessibleDescription(help);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(button);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, i] { press(i); });
    m_buttons.append({button, panel, help, std::move(action), button});
    return button;
}

void MenuButtons::press(int i)
{
    if (i < 0 || i >= size() || !m_buttons[i].button || !m_buttons[i].button->isEnabled())
        return;
    // Copy first: the action may close the window and destroy these buttons.
    const std::function<void()> action = m_buttons[i].action;
    if (action)
        action();
}

int MenuButtons::indexOf(QObject* o) const
{
    for (int i = 0; i < size(); ++i) {
        if (m_buttons[i].receiver == o)
            return i;
    }
    return -1;
}

bool MenuButtons::eventFilter(QObject* watched, QEvent* event)
{
    const int i = indexOf(watched);
    if (i < 0)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        HighlightMenuButton(*this, size() - 1, i);
        m_lastFocused = i;
        if (m_msgPanel)
            m_msgPanel->setCaption(m_buttons[i].help);
        break;
    case QEvent::FocusOut:
        ResetMenuButtons(*this, size() - 1);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space)
            return false;
        // Tab moves the focus as everywhere; it never counts as a key of the button.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        if (event->type() == QEvent::KeyPress && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !key->isAutoRepeat())
            press(i);
        return true;
    }
    default:
        break;
    }
    return false;
}

void ResetMenuButtons(MenuButtons& buttons, int count)
{
    for (int i = 0; i <= count && i < buttons.size(); ++i) {
        if (Panel3D* panel = buttons.panel(i))
            panel->setBackColor(NormalColor);
        SetBold(buttons.button(i), false);
    }
}

void HighlightMenuButton(MenuButtons& buttons, int count, int index)
{
    ResetMenuButtons(buttons, count);
    if (index < 0 || index >= buttons.size() || !buttons.panel(index))
        return;
    buttons.panel(index)->setBackColor(HighlightColor);
    SetBold(buttons.button(index), true);
}
