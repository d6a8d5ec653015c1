#pragma once
// The report's words read from QNRPT.TXT: scale names, range words, significant-item texts and multiple-choice texts.

#include "ScoringTables.h"

#include <QString>
#include <array>

constexpr int NumRangeWords = 4;
constexpr int NumChoiceTexts = 52; // items 111..123, four answers each

struct ReportWording {
    std::array<QString, NumScales + 1> ScaleNames;
    std::array<QString, NumRangeWords + 1> RangeWords;
    std::array<QString, NumSigItems + 1> SigItemTexts; // parallel to ScoringTables::SigItems
    std::array<QString, NumChoiceTexts + 1> ChoiceTexts;
};
