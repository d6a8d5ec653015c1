#pragma once
// Scale scoring: the data files, the client snapshot, raw points and percentiles of the six scales.

#include "ClientRecord.h"
#include "ClientSnapshot.h"
#include "ReportWording.h"
#include "ScoreSheet.h"
#include "ScoringError.h"
#include "ScoringTables.h"

#include <QByteArrayView>

constexpr const char* ScoringFileName = "QNB.TXT";
constexpr const char* WordingFileName = "QNRPT.TXT";

// Everything one run leaves behind for a caller that wants the numbers as well as the report.
struct ScoringRun {
    ScoringTables tables;
    ReportWording wording;
    ClientSnapshot snapshot;
    ScoreSheet sheet;
};

// Fills both structures from the two files' bytes, read interleaved in their fixed order. Every count, item number,
// norm length and percentile is checked against the bounds the tables have; the first problem is returned, naming the
// file (as `scoringName` / `wordingName`), the line and what was expected there.
ScoringError LoadScoringData(QByteArrayView scoringFile, QByteArrayView wordingFile, ScoringTables& tables,
                             ReportWording& wording, const QString& scoringName = QLatin1String(ScoringFileName),
                             const QString& wordingName = QLatin1String(WordingFileName));

// Copies the client into the snapshot and the answers into the sheet. Refuses a record that has no norm column
// (gender code 3..9) or an answer digit above 4, naming the client and the field.
ScoringError TakeClientSnapshot(const ClientRecord& client, int16_t testNumber, ClientSnapshot& snapshot,
                                ScoreSheet& sheet);

void ComputeRawScores(const ScoringTables& tables, const ClientSnapshot& snapshot, ScoreSheet& sheet);
void ComputePercentiles(const ScoringTables& tables, const ClientSnapshot& snapshot, ScoreSheet& sheet);

// The numeric value of a code or count field as the classic Val reads it: leading blanks, a sign, then digits;
// anything else counts 0.
int ValueOf(const QString& text);

// The norm columns of a client: sex 1..2 (gender 0 counts as 1) and norm group 1..3 (race 1..3, else 1).
int16_t NormSex(const ClientSnapshot& snapshot);
int16_t NormGroup(const ClientSnapshot& snapshot);

// Risk range 1..4 of a percentile (0..39, 40..69, 70..89, 90..99), 0 outside 0..99.
int RiskRange(int percentile);
// The truthfulness band 1..9 of Percentile[1], 0 below 10, and InvalidTruthBand at 95 and above.
constexpr int InvalidTruthBand = 10;
int TruthBand(int percentile);
