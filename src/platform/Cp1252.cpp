#include "Cp1252.h"

namespace {
// 0x80..0x9F differ from Latin-1; 0 marks the five undefined codes, which map to their C1 control.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QChar cp1252Char(unsigned char code)
{
    if (code >= 0x80 && code <= 0x9F && kHigh[code - 0x80] != 0)
        return QChar(kHigh[code - 0x80]);
    return QChar(code);
}

int cp1252Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u && u != 0)
            return 0x80 + i;
    }
    if (u >= 0x80 && u <= 0x9F && kHigh[u - 0x80] == 0)
        return u;
    return -1;
}

QString fromCp1252(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(cp1252Char(static_cast<unsigned char>(b)));
    return out;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int code = cp1252Code(c);
        out.append(code < 0 ? '?' : static_cast<char>(code));
    }
    return out;
}
