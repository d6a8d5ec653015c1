#include "FieldKeys.h"

#include "Panel3D.h"
#include "WindowRoutines.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

FieldKeys::FieldKeys(QWidget* window, Panel3D* msgPanel, int labelCount)
    : QObject(window), m_window(window), m_msgPanel(msgPanel), m_labelCount(labelCount)
{
    connect(qApp, &QApplication::focusChanged, this, &FieldKeys::focusChanged);
}

void FieldKeys::add(QWidget* field, Field spec)
{
    m_fields.insert(field, std::move(spec));
    field->installEventFilter(this);
}

void FieldKeys::setNext(QWidget* field, QWidget* next)
{
    m_fields[field].next = next;
}

bool FieldKeys::isTypedCharacter(const QKeyEvent* e)
{
    const QString text = e->text();
    return text.size() == 1 && text.at(0) >= QLatin1Char(' ') && text.at(0) != QChar(0x7f) &&
           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool FieldKeys::confirm(QWidget* field)
{
    const auto it = m_fields.constFind(field);
    if (it == m_fields.constEnd())
        return false;
    // Copy: the check may show a box during which the form changes.
    const Field spec = *it;
    if (spec.confirm && !spec.confirm())
        return false;
    if (spec.next && spec.next->isEnabled())
        spec.next->setFocus(Qt::OtherFocusReason);
    return true;
}

bool FieldKeys::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = m_fields.constFind(watched);
    if (it == m_fields.constEnd())
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        // A drop-down list returning the focus is not a new entry into the field.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            SelectAllText();
            if (m_msgPanel)
                m_msgPanel->setCaption(it->help);
            SetInfoBold(m_window, m_labelCount, it->label);
        }
        break;
    case QEvent::FocusOut: {
        // A message box or a drop-down list taking the focus for a moment does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            SetBold(m_window->findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(it->label)), false);
        break;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab) && plain) {
            confirm(static_cast<QWidget*>(watched));
            return true;
        }
        if (it->typed)
            return it->typed(key);
        break;
    }
    default:
        break;
    }
    return false;
}

void FieldKeys::focusChanged(QWidget* old, QWidget* now)
{
    // Only a move to another control of this window leaves a field; message boxes and drop-down lists do not.
    if (!old || !now || !m_fields.contains(old) || now->window() != m_window || !left)
        return;
    left(old);
}
