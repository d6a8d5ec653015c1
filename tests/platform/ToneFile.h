#pragma once
// A wave file of a plain tone, for audio tests that must not depend on the demo sounds being built.

#include <QFile>
#include <QtEndian>
#include <cmath>

// `v` as `bytes` little-endian bytes.
inline QByteArray LittleEndian(quint32 v, int bytes)
{
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, bytes);
}

// 16-bit mono PCM at 22050 Hz, `ms` milliseconds of a 440 Hz tone at half scale.
inline bool WriteToneFile(const QString& path, int ms)
{
    const int rate = 22050;
    const int samples = rate * ms / 1000;
    QByteArray data(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(static_cast<qint16>(16000 * std::sin(2 * M_PI * 440.0 * i / rate)),
                                data.data() + 2 * i);
    const auto le = LittleEndian;
    // The format chunk: PCM, one channel, the rate, bytes a second, bytes a sample, bits a sample.
    const QByteArray wav = "RIFF" + le(36 + data.size(), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
                           le(rate, 4) + le(rate * 2, 4) + le(2, 2) + le(16, 2) + "data" + le(data.size(), 4) + data;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size();
}
