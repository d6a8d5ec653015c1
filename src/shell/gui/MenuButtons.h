#pragma once
// A window's command buttons (cmdMenuChoice_i), each on its coloured panel (sspMenuChoice_i), with the keyboard
// discipline all windows share: only Space reaches a button, Enter presses it, every other key is swallowed.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QPushButton>

#include "Panel3D.h"
#include <functional>

class QPushButton;
class QWidget;

class MenuButtons : public QObject {
    Q_OBJECT
public:
    // `msgPanel` (may be null) shows the help line of the focused button.
    MenuButtons(QWidget* window, Panel3D* msgPanel);

    QPushButton* add(const QString& caption, const QString& help, std::function<void()> action);
    QPushButton* button(int i) const { return m_buttons.at(i).button; }
    Panel3D* panel(int i) const { return m_buttons.at(i).panel; }
    int size() const { return static_cast<int>(m_buttons.size()); }
    // Index of the button that last had the focus, -1 before any had it.
    int lastFocused() const { return m_lastFocused; }
    void setHelp(int i, const QString& help) { m_buttons[i].help = help; }
    void setAction(int i, std::function<void()> action) { m_buttons[i].action = std::move(action); }
    // Performs button i's action, as Enter or a click does.
    void press(int i);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Guarded: while a window is torn down its buttons may lose the focus after their panels are gone.
    struct Entry {
        QPointer<QPushButton> button;
        QPointer<Panel3D> panel;
        QString help;
        std::function<void()> action;
        // The button as an event's receiver, compared and never used: a button being destroyed still sends
        // events, and it is no longer a QPushButton then.
        const QObject* receiver = nullptr;
    };
    int indexOf(QObject* o) const;

    QWidget* m_window;
    QPointer<Panel3D> m_msgPanel;
    QList<Entry> m_buttons;
    int m_lastFocused = -1;
};

// Resets buttons 0..count, then paints panel `index` cyan with a bold caption.
void HighlightMenuButton(MenuButtons& buttons, int count, int index);
// Paints panels 0..count blue with plain captions.
void ResetMenuButtons(MenuButtons& buttons, int count);
