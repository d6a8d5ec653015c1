#pragma once
// The scoring tables read from QNB.TXT: scale items, point keys, norms, ratio-scale norms, truth corrections and the
// significant-item numbers. Arrays are 1-based as the tables are; index 0 stays 0.

#include <QString>
#include <array>
#include <cstdint>

constexpr int NumScales = 6; // scales 1..6; 1..5 are table-driven, 6 is the ratio scale
constexpr int NumTableScales = 5;
constexpr int NumSigItems = 66;
constexpr int MaxScaleItems = 52;
constexpr int MaxNormLength = 112;
constexpr int NumSexes = 2;
constexpr int NumNormGroups = 3;
constexpr int NumRatioPercentiles = 44;
constexpr int NumRatioThresholds = 45;
constexpr int NumTruthBands = 9;
constexpr int MaxAnswerValue = 4;

struct ScaleItemList {
    int16_t count = 0;
    std::array<int16_t, MaxScaleItems + 1> items{}; // items[1..count]
};

struct ScoringTables {
    std::array<int16_t, NumSigItems + 1> SigItems{};
    // PointKeys[s][a]: the k-th character is the points of the k-th item of scale s answered a.
    std::array<std::array<QString, MaxAnswerValue + 1>, NumTableScales + 1> PointKeys;
    // [x][g][s]
    std::array<std::array<std::array<int16_t, NumTableScales + 1>, NumNormGroups + 1>, NumSexes + 1> NormLength{};
    // [x][g][s][r]; entry 0 is 0
    std::array<std::array<std::array<std::array<int16_t, MaxNormLength + 1>, NumTableScales + 1>, NumNormGroups + 1>,
               NumSexes + 1>
        NormTable{};
    // [x][g][k]
    std::array<std::array<std::array<int16_t, NumRatioPercentiles + 1>, NumNormGroups + 1>, NumSexes + 1>
        RatioPercentiles{};
    // [g][k]; position 46 stays 0
    std::array<std::array<int16_t, NumRatioThresholds + 2>, NumNormGroups + 1> RatioThresholds{};
    std::array<ScaleItemList, NumTableScales + 1> ScaleItems{};
    // [b][s], bands 1..9, scales 2..6
    std::array<std::array<int16_t, NumScales + 1>, NumTruthBands + 1> TruthCorrection{};
};
