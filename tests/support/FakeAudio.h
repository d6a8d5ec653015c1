#pragma once
// Audio that plays nothing and remembers every call.

#include "Audio.h"

#include <QStringList>

class FakeAudio final : public Audio {
public:
    bool available = true;
    // Every path asked to play, in order.
    QStringList played;
    // Calls in order: "play <path>" and "stop".
    QStringList calls;

    bool isAvailable() const override { return available; }
    bool play(const QString& path) override
    {
        calls << QStringLiteral("play ") + path;
        if (!available)
            return false;
        played << path;
        m_playing = true;
        return true;
    }
    void stop() override
    {
        calls << QStringLiteral("stop");
        m_playing = false;
    }
    bool isPlaying() const override { return m_playing; }
    // The sound playing comes to its end.
    void finish() { m_playing = false; }

    void clear()
    {
        played.clear();
        calls.clear();
    }

private:
    bool m_playing = false;
};
