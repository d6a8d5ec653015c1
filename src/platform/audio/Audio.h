#pragma once
// Wave-file playback behind an interface, so the presentation can be tested without a sound device.

#include <QString>

class Audio {
public:
    virtual ~Audio() = default;

    // Whether there is an output device to play on; without one every play is refused at once.
    virtual bool isAvailable() const = 0;
    // Starts playing the wave file at `path` and returns at once, stopping whatever was playing; false when nothing
    // could be started (no device, no such file).
    virtual bool play(const QString& path) = 0;
    // Stops the sound playing, if any, and lets go of its file.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
};
