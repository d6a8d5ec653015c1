#pragma once
// Wave playback through Qt Multimedia on the default output device.

#include "Audio.h"

#include <QObject>

class QAudioOutput;
class QMediaPlayer;

class QtAudio final : public QObject, public Audio {
    Q_OBJECT
public:
    // Looks for an output device once; with none (no sound server) the object stays silent for its whole life.
    explicit QtAudio(QObject* parent = nullptr);
    ~QtAudio() override;

    bool isAvailable() const override { return m_player != nullptr; }
    bool play(const QString& path) override;
    void stop() override;
    bool isPlaying() const override;

signals:
    // Emitted when a sound that was started has come to its end (not when it is stopped).
    void finished();

private:
    QAudioOutput* m_output = nullptr;
    QMediaPlayer* m_player = nullptr;
};
