#include "MaskedDateBox.h"

#include "FieldKeys.h"
#include "Prompts.h"

#include <QKeyEvent>

MaskedDateBox::MaskedDateBox(Prompts& prompts, QWidget* parent) : QLineEdit(parent), m_prompts(prompts)
{
    // Qt's "N" is the letter-or-digit position and "0" a digit; ">" shows everything after it in upper case.
    setInputMask(QStringLiteral(">N0/00/0000;_"));
}

void MaskedDateBox::setBoxText(const QString& text)
{
    setText(text);
}

void MaskedDateBox::reset()
{
    clear();
}

void MaskedDateBox::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // A masked line moves its cursor to the first prompt on Tab; the form wants the whole entry selected instead.
    selectAll();
}

void MaskedDateBox::keyPressEvent(QKeyEvent* e)
{
    if (FieldKeys::isTypedCharacter(e)) {
        const QChar c = e->text().at(0);
        const bool allowed = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('/') ||
                             c == QLatin1Char('N') || c == QLatin1Char('n');
        if (!allowed) {
            m_prompts.beep();
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}
