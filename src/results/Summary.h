#pragma once
// The summary of a results store: administrations by office and month, and per scale how many fell in each range
// and the median percentile, over the current version of each administration.

#include "ResultsStore.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>

namespace Results {

struct SummaryFilter {
    QString office; // empty: every office
    QDate since;    // tests on or after; null: all
};

struct Summary {
    static constexpr int Ranges = 5; // low, medium, problem, maximum, not_scored
    struct Month {
        QString office;
        QString month; // yyyy-MM
        int administrations = 0;
    };
    struct Scale {
        std::array<int, Ranges> counts{};
        std::optional<double> medianPercentile; // over the scored, valid administrations
    };
    QList<Month> months; // by office, then month
    int administrations = 0;
    // Invalid administrations are counted here and left out of the scales: their percentiles say nothing.
    int invalid = 0;
    std::array<Scale, Scales> scales;
};

enum class SummaryFormat { Text, Csv, Json };

// What went wrong in `error`, and an empty summary, when the store cannot be read.
Summary Summarize(const Store& store, const SummaryFilter& filter, QString* error);
// The text names each scale by `scaleNames` (six, from the program's wording) when given, else by its number; CSV
// and JSON always number the scales, so what reads them does not depend on one installation's wording.
QByteArray FormatSummary(const Summary& summary, SummaryFormat format, const QStringList& scaleNames = {});
// The scale names of the wording in `programDir`; empty when it cannot be read.
QStringList ProgramScaleNames(const QString& programDir);

} // namespace Results
