#pragma once
// What a sound file must be before it is handed to the media library: a RIFF wave file of plain PCM (or float)
// samples. Anything else is refused here, so a file of another kind put among the sound files never reaches the
// library's many other decoders.

#include <QByteArrayView>
#include <QString>

struct WaveFormat {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataOffset = 0; // where the samples start in the file
    qint64 dataSize = 0;   // bytes of samples, cut to what the file holds
};

class WaveFile {
public:
    // The chunks before the samples must lie within this many bytes from the start of the file.
    static constexpr qint64 HeaderLimit = 64 * 1024;

    // Reads the format from `head`, the first bytes of a file of `fileSize` bytes (at least HeaderLimit of them
    // when the file is that long). Returns "" or what is wrong with the file.
    static QString Check(QByteArrayView head, qint64 fileSize, WaveFormat* format = nullptr);
};
