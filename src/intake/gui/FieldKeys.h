#pragma once
// The keyboard protocol of a data-entry form's fields: on entry the text is selected, the field's help line shows
// and its label turns bold; Enter or Tab runs the field's check and moves on in the form's Enter order; typed
// characters may be filtered; leaving a field for another control of the window is reported once the focus moved.

#include <QHash>
#include <QObject>
#include <functional>

class Panel3D;
class QKeyEvent;
class QWidget;

class FieldKeys : public QObject {
    Q_OBJECT
public:
    // Field labels are the window's lblInfo_0 .. lblInfo_<labelCount>.
    FieldKeys(QWidget* window, Panel3D* msgPanel, int labelCount);

    struct Field {
        int label = -1;
        QString help;
        // Enter or Tab: true when the entry is acceptable; the focus then moves to `next`.
        std::function<bool()> confirm;
        // Any other key: true when it was swallowed.
        std::function<bool(QKeyEvent*)> typed;
        QWidget* next = nullptr;
    };

    void add(QWidget* field, Field spec);
    void setNext(QWidget* field, QWidget* next);
    bool isField(const QObject* o) const { return m_fields.contains(o); }
    // Runs a field's Enter handling as the key does; true when the focus moved on.
    bool confirm(QWidget* field);

    // Called after the focus has moved from a field to another control of this window.
    std::function<void(QWidget* field)> left;

    // A key event that types one character (no Control, Alt or Meta).
    static bool isTypedCharacter(const QKeyEvent* e);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* old, QWidget* now);

    QWidget* m_window;
    Panel3D* m_msgPanel;
    int m_labelCount;
    QHash<const QObject*, Field> m_fields;
};
