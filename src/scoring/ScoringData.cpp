// Reading QNB.TXT and QNRPT.TXT into the scoring tables and the report wording.

#include "FieldReader.h"
#include "Scoring.h"

#include <optional>

namespace {

// One of the two files being read, with what it is called in messages.
struct Source {
    FieldReader reader;
    QString name;
    QString kind; // "scoring tables file", "report wording file"
};

class Loader {
public:
    ScoringError error;

    bool ok() const { return !error.failed(); }

    // `what` is called only to word a problem, so reading thousands of numbers builds no messages.
    template <typename What> bool text(Source& src, QString& out, What&& what)
    {
        if (!ok())
            return false;
        if (!src.reader.field(out))
            return endsEarly(src, what());
        return true;
    }

    template <typename What> bool line(Source& src, QString& out, What&& what)
    {
        if (!ok())
            return false;
        if (!src.reader.wholeLine(out))
            return endsEarly(src, what());
        return true;
    }

    bool header(Source& src, const QString& what)
    {
        QString ignored;
        return line(src, ignored, [&] { return QStringLiteral("the header line before %1").arg(what); });
    }

    // A whole number in lo..hi (both within 16 bits).
    template <typename What> bool number(Source& src, int16_t& out, What&& what, int lo = INT16_MIN, int hi = INT16_MAX)
    {
        QString t;
        if (!text(src, t, what))
            return false;
        const std::optional<int> v = parse(t);
        if (!v)
            return damaged(src, QStringLiteral("\"%1\" is not a whole number (%2)").arg(t, what()));
        if (*v < lo || *v > hi)
            return damaged(src, QStringLiteral("%1 is %2, outside %3 to %4").arg(what()).arg(*v).arg(lo).arg(hi));
        out = static_cast<int16_t>(*v);
        return true;
    }

    bool damaged(Source& src, const QString& problem)
    {
        error = {src.name, QStringLiteral("The %1 %2 is damaged at line %3: %4.")
                               .arg(src.kind, src.name)
                               .arg(src.reader.line())
                               .arg(problem)};
        return false;
    }

private:
    bool endsEarly(Source& src, const QString& what)
    {
        error = {src.name, QStringLiteral("The %1 %2 ends early, at line %3: %4 is missing.")
                               .arg(src.kind, src.name)
                               .arg(src.reader.nextLine())
                               .arg(what)};
        return false;
    }

    static std::optional<int> parse(const QString& t)
    {
        qsizetype i = 0;
        bool negative = false;
        if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
            negative = t[i] == QLatin1Char('-');
            ++i;
        }
        if (i == t.size())
            return std::nullopt;
        long value = 0;
        for (; i < t.size(); ++i) {
            if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
                return std::nullopt;
            value = value * 10 + (t[i].unicode() - '0');
            if (value > 100000)
                return static_cast<int>(negative ? -value : value); // far outside any bound; reported by the caller
        }
        return static_cast<int>(negative ? -value : value);
    }
};

QString scaleWhat(const char* table, int x, int g, int s)
{
    return QStringLiteral("%1 for sex %2, norm group %3, scale %4").arg(QLatin1String(table)).arg(x).arg(g).arg(s);
}

} // namespace

ScoringError LoadScoringData(QByteArrayView scoringFile, QByteArrayView wordingFile, ScoringTables& tables,
                             ReportWording& wording, const QString& scoringName, const QString& wordingName)
{
    tables = ScoringTables();
    wording = ReportWording();
    Source qnb{FieldReader(scoringFile), scoringName, QStringLiteral("scoring tables file")};
    Source rpt{FieldReader(wordingFile), wordingName, QStringLiteral("report wording file")};
    Loader in;

    for (int s = 1; s <= NumScales; ++s)
        in.text(rpt, wording.ScaleNames[s],
                [&] { return QStringLiteral("scale name %1 of %2").arg(s).arg(NumScales); });
    for (int r = 1; r <= NumRangeWords; ++r)
        in.text(rpt, wording.RangeWords[r],
                [&] { return QStringLiteral("range word %1 of %2").arg(r).arg(NumRangeWords); });

    for (int k = 1; k <= NumSigItems; ++k)
        in.number(
            qnb, tables.SigItems[k],
            [&] { return QStringLiteral("significant item %1 of %2").arg(k).arg(NumSigItems); }, 1, NumItems);

    for (int k = 1; k <= NumSigItems; ++k)
        in.line(rpt, wording.SigItemTexts[k],
                [&] { return QStringLiteral("significant-item text %1 of %2").arg(k).arg(NumSigItems); });
    for (int k = 1; k <= NumChoiceTexts; ++k)
        in.line(rpt, wording.ChoiceTexts[k],
                [&] { return QStringLiteral("multiple-choice text %1 of %2").arg(k).arg(NumChoiceTexts); });

    for (int s = 1; s <= NumTableScales; ++s) {
        in.header(qnb, QStringLiteral("the point keys of scale %1").arg(s));
        for (int a = 0; a <= MaxAnswerValue; ++a)
            in.text(qnb, tables.PointKeys[s][a],
                    [&] { return QStringLiteral("the point key of scale %1 for answer %2").arg(s).arg(a); });
    }

    for (int x = 1; x <= NumSexes; ++x) {
        for (int g = 1; g <= NumNormGroups; ++g) {
            in.header(qnb, QStringLiteral("the norms for sex %1, norm group %2").arg(x).arg(g));
            for (int s = 1; s <= NumTableScales; ++s) {
                int16_t& n = tables.NormLength[x][g][s];
                in.number(
                    qnb, n, [&] { return QStringLiteral("the length of the ") + scaleWhat("norm table", x, g, s); }, 0,
                    MaxNormLength);
                for (int r = 1; in.ok() && r <= n; ++r)
                    in.number(
                        qnb, tables.NormTable[x][g][s][r],
                        [&] {
                            return QStringLiteral("percentile %1 of %2 of the ").arg(r).arg(n) +
                                   scaleWhat("norm table", x, g, s);
                        },
                        0, 99);
            }
        }
    }

    in.header(qnb, QStringLiteral("the ratio-scale percentiles"));
    for (int x = 1; x <= NumSexes; ++x)
        for (int g = 1; g <= NumNormGroups; ++g)
            for (int k = 1; k <= NumRatioPercentiles; ++k)
                in.number(
                    qnb, tables.RatioPercentiles[x][g][k],
                    [&] {
                        return QStringLiteral("ratio-scale percentile %1 of %2 for sex %3, norm group %4")
                            .arg(k)
                            .arg(NumRatioPercentiles)
                            .arg(x)
                            .arg(g);
                    },
                    0, 99);

    in.header(qnb, QStringLiteral("the ratio-scale thresholds"));
    for (int g = 1; g <= NumNormGroups; ++g) {
        for (int k = 1; k <= NumRatioThresholds; ++k) {
            const auto what = [&] {
                return QStringLiteral("ratio-scale threshold %1 of %2 for norm group %3")
                    .arg(k)
                    .arg(NumRatioThresholds)
                    .arg(g);
            };
            int16_t& t = tables.RatioThresholds[g][k];
            // Thresholds are the upper bounds of ascending bands.
            if (in.number(qnb, t, what) && k > 1 && t < tables.RatioThresholds[g][k - 1])
                in.damaged(qnb,
                           QStringLiteral("%1 is %2, below the threshold before it (%3); the thresholds must ascend")
                               .arg(what())
                               .arg(t)
                               .arg(tables.RatioThresholds[g][k - 1]));
        }
    }

    for (int s = 1; s <= NumTableScales; ++s) {
        in.header(qnb, QStringLiteral("the item list of scale %1").arg(s));
        ScaleItemList& list = tables.ScaleItems[s];
        in.number(
            qnb, list.count, [&] { return QStringLiteral("the item count of scale %1").arg(s); }, 0, MaxScaleItems);
        for (int k = 1; in.ok() && k <= list.count; ++k)
            in.number(
                qnb, list.items[k],
                [&] { return QStringLiteral("item %1 of %2 of scale %3").arg(k).arg(list.count).arg(s); }, 1, NumItems);
    }

    // Two tables the scoring does not use; they must still be whole numbers so that what follows stays in step.
    int16_t unused = 0;
    in.header(qnb, QStringLiteral("the first unused table"));
    for (int k = 1; k <= 65; ++k)
        in.number(qnb, unused, [&] { return QStringLiteral("number %1 of 65 of the first unused table").arg(k); });
    in.header(qnb, QStringLiteral("the second unused table"));
    for (int s = 2; s <= 5; ++s)
        for (int k = 1; k <= 11; ++k)
            in.number(qnb, unused, [&] {
                return QStringLiteral("number %1 of 11 for scale %2 of the second unused table").arg(k).arg(s);
            });

    in.header(qnb, QStringLiteral("the truthfulness corrections"));
    for (int s = 2; s <= NumScales; ++s)
        for (int b = 1; b <= NumTruthBands; ++b)
            // Bounded so that no corrected raw score can leave 16 bits.
            in.number(
                qnb, tables.TruthCorrection[b][s],
                [&] { return QStringLiteral("the truthfulness correction of band %1 for scale %2").arg(b).arg(s); },
                -999, 999);

    if (in.error) {
        tables = ScoringTables();
        wording = ReportWording();
    }
    return in.error;
}
