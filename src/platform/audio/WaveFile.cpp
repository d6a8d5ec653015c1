#include "WaveFile.h"

#include <QtEndian>
#include <algorithm>

namespace {

constexpr int FormatPcm = 1;
constexpr int FormatFloat = 3;
constexpr int FormatExtensible = 0xFFFE;

} // namespace

QString WaveFile::Check(QByteArrayView head, qint64 fileSize, WaveFormat* format)
{
    const qint64 end = std::min<qint64>(head.size(), fileSize);
    auto u16 = [&](qint64 at) { return static_cast<int>(qFromLittleEndian<quint16>(head.data() + at)); };
    auto u32 = [&](qint64 at) { return static_cast<qint64>(qFromLittleEndian<quint32>(head.data() + at)); };
    if (end < 12 || head.first(4) != "RIFF" || head.sliced(8, 4) != "WAVE")
        return QStringLiteral("it is not a wave file");

    WaveFormat f;
    bool haveFormat = false;
    qint64 at = 12;
    while (at + 8 <= end) {
        const QByteArrayView id = head.sliced(at, 4);
        const qint64 size = u32(at + 4);
        const qint64 body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > end)
                return QStringLiteral("its format chunk is cut short");
            int code = u16(body);
            if (code == FormatExtensible) {
                if (size < 40 || body + 40 > end)
                    return QStringLiteral("its format chunk is cut short");
                code = u16(body + 24); // the first two bytes of the sub-format's GUID
            }
            f.channels = u16(body + 2);
            const qint64 rate = u32(body + 4);
            f.bitsPerSample = u16(body + 14);
            if (code != FormatPcm && code != FormatFloat)
                return QStringLiteral("its sound is coded as format %1; only plain PCM and float samples are played")
                    .arg(code);
            if (f.channels < 1 || f.channels > 8)
                return QStringLiteral("it has %1 channels").arg(f.channels);
            if (rate < 1000 || rate > 384000)
                return QStringLiteral("its sample rate is %1 Hz").arg(rate);
            f.sampleRate = static_cast<int>(rate);
            const bool bitsOk = code == FormatPcm
                                    ? f.bitsPerSample >= 8 && f.bitsPerSample <= 32 && f.bitsPerSample % 8 == 0
                                    : f.bitsPerSample == 32 || f.bitsPerSample == 64;
            if (!bitsOk)
                return QStringLiteral("it has %1 bits per sample").arg(f.bitsPerSample);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return QStringLiteral("its samples come before their format");
            f.dataOffset = body;
            f.dataSize = std::max<qint64>(0, std::min(size, fileSize - body));
            if (format)
                *format = f;
            return {};
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return at + 8 > HeaderLimit && fileSize > HeaderLimit
               ? QStringLiteral("its samples do not start within the first %1 bytes").arg(HeaderLimit)
               : QStringLiteral("it has no samples");
}
