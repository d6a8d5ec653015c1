// Loads arbitrary bytes as the two scoring data files: the input is QNB.TXT, a NUL byte, then QNRPT.TXT.

#include "Scoring.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const size_t split = nul ? static_cast<const char*>(nul) - bytes : size;
    const QByteArrayView scoring(bytes, static_cast<qsizetype>(split));
    const QByteArrayView wording =
        split < size ? QByteArrayView(bytes + split + 1, static_cast<qsizetype>(size - split - 1)) : QByteArrayView();
    ScoringTables tables;
    ReportWording words;
    const ScoringError e = LoadScoringData(scoring, wording, tables, words);
    if (e.failed() && (e.file.isEmpty() || e.message.isEmpty()))
        __builtin_trap(); // a failure must say which file
    if (!e.failed()) {
        // Whatever loaded must respect the bounds the scoring relies on.
        for (int x = 1; x <= NumSexes; ++x)
            for (int g = 1; g <= NumNormGroups; ++g)
                for (int s = 1; s <= NumTableScales; ++s)
                    if (tables.NormLength[x][g][s] < 0 || tables.NormLength[x][g][s] > MaxNormLength)
                        __builtin_trap();
        for (int s = 1; s <= NumTableScales; ++s)
            if (tables.ScaleItems[s].count < 0 || tables.ScaleItems[s].count > MaxScaleItems)
                __builtin_trap();
    }
    return 0;
}
