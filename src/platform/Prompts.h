#pragma once
// Message boxes and the beep, behind an interface so tests can script the answers and see what was shown.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// How a secret (a passphrase, a password) is asked for: the typing is never shown.
struct SecretOptions {
    bool twice = false; // a new secret: typed a second time to confirm it
    // Shown under the field as the secret is typed (its strength); none when empty.
    std::function<QString(const QString&)> rating;
    // Why the typed secret may not be taken, shown instead of closing; empty when it may.
    std::function<QString(const QString&)> refusal;
};

class Prompts {
public:
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
    enum class Answer { Ok, Cancel, Yes, No, Retry };

    virtual ~Prompts() = default;
    virtual Answer message(const QString& text, const QString& title, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok) = 0;
    virtual void beep() = 0;
    // Asks for a secret; nothing when the user cancels. A run that cannot ask (no one at the screen) cancels.
    virtual std::optional<QString> askSecret(const QString& title, const QString& text,
                                             const SecretOptions& options = {})
    {
        (void)title;
        (void)text;
        (void)options;
        return std::nullopt;
    }
};

// The application title used where a box has no title of its own.
inline const QString& AppTitle()
{
    static const QString title = QStringLiteral("Veltrane");
    return title;
}
