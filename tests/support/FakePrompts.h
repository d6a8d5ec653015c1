#pragma once
// Prompts that answer from a script and remember every box and beep.

#include "Prompts.h"

#include <QList>
#include <QQueue>

class FakePrompts final : public Prompts {
public:
    struct Shown {
        QString text, title;
        Icon icon;
        Buttons buttons;
    };

    // Answers given in order; when the script runs out the first button (OK or Yes) is pressed.
    QQueue<Answer> answers;
    QList<Shown> shown;
    int beeps = 0;
    // Called with each box before it is answered (a test may act on the screen as a user would).
    std::function<void(const Shown&)> onShow;

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override
    {
        shown.append({text, title, icon, buttons});
        if (onShow)
            onShow(shown.last());
        if (!answers.isEmpty())
            return answers.dequeue();
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    void beep() override { ++beeps; }

    // Secrets typed in order (nothing: Cancel); when the script runs out, Cancel. Each question's title, and what
    // the rating and refusal said of the answer typed, are kept.
    QQueue<std::optional<QString>> secrets;
    QStringList secretTitles, ratings, refusals;
    std::optional<QString> askSecret(const QString& title, const QString&, const SecretOptions& options) override
    {
        for (;;) {
            secretTitles << title;
            if (secrets.isEmpty())
                return std::nullopt;
            const std::optional<QString> typed = secrets.dequeue();
            if (!typed)
                return typed;
            if (options.rating)
                ratings << options.rating(*typed);
            const QString why = options.refusal ? options.refusal(*typed) : QString();
            if (why.isEmpty())
                return typed;
            refusals << why;
        }
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }
    void clear()
    {
        shown.clear();
        beeps = 0;
        answers.clear();
        secrets.clear();
        secretTitles.clear();
        ratings.clear();
        refusals.clear();
    }
};
