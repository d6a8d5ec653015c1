#pragma once
// One scoring run's results; every value is 16-bit signed as the scales are defined.

#include "ScoringTables.h"
#include "TestDefinition.h"

#include <array>
#include <cstdint>

struct ScoreSheet {
    std::array<int16_t, NumItems + 1> Answers{};     // [1..123]
    std::array<int16_t, NumScales + 1> RawPoints{};  // [1..6]
    std::array<int16_t, NumScales + 1> Percentile{}; // [1..6]
    std::array<int16_t, NumScales + 1> OmittedCount{};
    std::array<int16_t, NumTableScales + 1> EndorsedCount{};
    // Points an item earned; for an item of several scales, those of the last scale in order 1..5.
    std::array<int16_t, NumItems + 1> ItemPoints{};
};
