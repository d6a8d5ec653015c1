#pragma once
// A retested client's earlier administrations beside the current one: the same person's other tests on this data
// location (same name and date of birth) and, from a second source such as a results store, elsewhere; per scale
// both percentiles and ranges, the change and the days between, and what makes a comparison doubtful.

#include "AdministrationJournal.h"
#include "ReportWording.h"
#include "ScoringError.h"
#include "ScoringTables.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class ClientTable;
struct ClientRecord;

struct ScaleScore {
    int percentile = -1;    // -1: not known
    int range = 0;          // 1..4 low to maximum, 0 not known
    bool notScored = false; // too many items of the scale were omitted for it to be scored
};

struct PastAdministration {
    QString origin;           // where it was taken: this data location, or an office of the results store
    QString administrationId; // the store's identifier; empty for a test of this data location
    int slot = 0;             // its client number on this data location, 0 for one from elsewhere
    QDate testDate;           // null when the record's test date is not a date
    std::optional<Administration::Mode> mode; // not known for a test without administration notes
    QString language;                         // on screen only; empty on paper or when not known
    std::array<ScaleScore, NumScales + 1> scales; // [1..6]
    // Truthfulness at the 95th percentile or above: the test is invalid and its other scales say nothing.
    bool invalid = false;
};

// Administrations of the client held elsewhere, matched to the record as that source links clients. It gives none
// of this data location's own tests: those are read from its client file.
using PastAdministrationSource = std::function<QList<PastAdministration>(const ClientRecord&)>;

struct ScaleChange {
    ScaleScore earlier, current;
    // Current minus earlier percentile; none where either side was not scored or an invalid test makes the scale
    // meaningless.
    std::optional<int> change;
};

struct EarlierComparison {
    PastAdministration earlier;
    std::optional<qint64> days; // from the earlier test date to the current one; none when either is not a date
    std::array<ScaleChange, NumScales + 1> scales; // [1..6]
    QStringList warnings;
};

struct EarlierTests {
    ScoringError error; // the current client could not be scored: nothing to compare
    PastAdministration current;
    QList<EarlierComparison> earlier; // newest first; on one date, the later client number first
    QStringList problems;             // earlier tests found that could not be scored
    std::array<QString, NumScales + 1> scaleNames;      // from the report wording
    std::array<QString, NumRangeWords + 1> rangeWords;  // from the report wording
};

// Whether two records are the same person: the same name, ignoring case and the blanks around and between words,
// and the same date of birth. A record without a name or whose date of birth is not a date matches none.
bool SameClient(const ClientRecord& a, const ClientRecord& b);

// Client `slot` of `clients` (scored with the program folder's data files) beside its earlier tests: the other
// clients that are the same person with an earlier test date (on the same date, a lower client number), and those
// `elsewhere` gives that were taken on or before its test date.
EarlierTests CompareEarlierTests(const QString& programDir, const ClientTable& clients, int slot,
                                 const PastAdministrationSource& elsewhere = {});

// What the window shows of each value.
QString ModeText(const PastAdministration& a);
QString LanguageText(const PastAdministration& a);
// The mode, with the language of a test on screen: "On screen in English".
QString HowTakenText(const PastAdministration& a);
QString DateText(const PastAdministration& a);
QString DaysText(const std::optional<qint64>& days);
QString PercentileText(const ScaleScore& s);
QString RangeText(const EarlierTests& tests, const ScaleScore& s);
QString ChangeText(const ScaleChange& c);
QString ScaleNameText(const EarlierTests& tests, int scale);
