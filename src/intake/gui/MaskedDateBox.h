#pragma once
// The date-of-birth box: mask ">A#/##/####" with prompt "_" (a letter or digit shown in upper case, then digits
// around two fixed slashes), taking only digits, "/", "N" and Backspace from the keyboard.

#include <QLineEdit>

class Prompts;

class MaskedDateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedDateBox(Prompts& prompts, QWidget* parent = nullptr);

    // The text as shown, prompts included: "__/__/____" when empty, "N_/__/____" for not available.
    QString boxText() const { return displayText(); }
    // Puts a text into the mask's positions: a "_" leaves its position empty.
    void setBoxText(const QString& text);
    void reset();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Prompts& m_prompts;
};
