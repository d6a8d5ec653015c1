#pragma once
// Message boxes and the beep, behind an interface so tests can script the answers and see what was shown.

#include <QString>

class QWidget;

class Prompts {
public:
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
    enum class Answer { Ok, Cancel, Yes, No, Retry };

    virtual ~Prompts() = default;
    virtual Answer message(const QString& text, const QString& title, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok) = 0;
    virtual void beep() = 0;
};

// The application title used where a box has no title of its own.
inline const QString& AppTitle()
{
    static const QString title = QStringLiteral("Veltrane");
    return title;
}
