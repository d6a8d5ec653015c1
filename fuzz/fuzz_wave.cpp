// Checks arbitrary bytes as a sound file the way the audio layer does before playing one; what it accepts must
// describe samples inside the file.

#include "WaveFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    WaveFormat f;
    if (!WaveFile::Check(file.first(std::min<qsizetype>(file.size(), WaveFile::HeaderLimit)), file.size(), &f)
             .isEmpty())
        return 0;
    if (f.dataOffset < 20 || f.dataOffset > file.size() || f.dataSize < 0 || f.dataOffset + f.dataSize > file.size())
        __builtin_trap();
    if (f.channels < 1 || f.sampleRate < 1 || f.bitsPerSample < 8)
        __builtin_trap();
    return 0;
}
