#pragma once
// Message boxes and the beep on the real screen.

#include "Prompts.h"

class QtPrompts final : public Prompts {
public:
    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    void beep() override;
    std::optional<QString> askSecret(const QString& title, const QString& text, const SecretOptions& options) override;
};
