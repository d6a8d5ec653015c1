// Looks up a section in an arbitrary paragraph file: the input's first line is the marker, the rest is the file.

#include "ReportWriter.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nl = std::memchr(bytes, '\n', size);
    const size_t split = nl ? static_cast<const char*>(nl) - bytes : size;
    const QString marker = QString::fromLatin1(bytes, static_cast<qsizetype>(split));
    const QByteArrayView file =
        split < size ? QByteArrayView(bytes + split + 1, static_cast<qsizetype>(size - split - 1)) : QByteArrayView();
    QStringList lines;
    const ScoringError e = FindParagraph(file, QStringLiteral("QN_AL.TXT"), marker, lines);
    if (e.failed() != lines.isEmpty() && e.failed())
        __builtin_trap(); // a failed lookup hands back no lines
    if (lines.size() > file.size() + 1)
        __builtin_trap();
    ReadInvalidText(file, QStringLiteral("INVAL.TXT"), lines);
    return 0;
}
