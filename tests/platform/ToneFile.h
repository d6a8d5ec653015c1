#pragma once
// A wave file of a plain tone, for audio tests that must not depend on the demo sounds being built.

#include <QFile>
#include <QtEndian>
#include <cmath>

// 16-bit mono PCM at 22050 Hz, `ms` milliseconds of a 440 Hz tone at half scale.
inline bool WriteToneFile(const QString& path, int ms)
{
    const int rate = 22050;
    const int samples = rate * ms / 1000;
    QByteArray data(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(static_cast<qint16>(16000 * std::sin(2 * M_PI * 440.0 * i / rate)),
                                data.data() + 2 * i);
    QByteArray wav;
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav += "RIFF";
    u32(36 + data.size());
    wav += "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav += "data";
    u32(data.size());
    wav += data;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size();
}
