#include "Summary.h"

#include "EarlierTests.h"
#include "ScoreAndReport.h"
#include "Scoring.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <memory>

namespace Results {

namespace {

const char* const RangeNames[Summary::Ranges] = {"low", "medium", "problem", "maximum", "not_scored"};

QString median(const std::optional<double>& m)
{
    return m ? QString::number(*m, 'f', std::floor(*m) == *m ? 0 : 1) : QString();
}

} // namespace

Summary Summarize(const Store& store, const SummaryFilter& filter, QString* error)
{
    Summary out;
    QStringList columns{QStringLiteral("office"), QStringLiteral("test_date"), QStringLiteral("invalid")};
    for (int s = 1; s <= Scales; ++s)
        columns << QStringLiteral("s%1_percentile").arg(s) << QStringLiteral("s%1_range").arg(s);
    QStringList where;
    QVariantList values;
    if (!filter.office.isEmpty()) {
        where << QStringLiteral("office = ?");
        values << filter.office;
    }
    if (filter.since.isValid()) {
        where << QStringLiteral("test_date >= ?");
        values << filter.since.toString(Qt::ISODate);
    }
    QSqlQuery q(store.database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM current_administrations%2")
                  .arg(columns.join(QLatin1Char(',')),
                       where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        if (error)
            *error = QStringLiteral("The results store %1 cannot be read: %2")
                         .arg(store.target().text(), q.lastError().text().trimmed());
        return out;
    }
    QMap<std::pair<QString, QString>, int> months;
    std::array<QList<int>, Scales> percentiles;
    while (q.next()) {
        ++out.administrations;
        ++months[{q.value(0).toString(), q.value(1).toString().left(7)}];
        if (q.value(2).toInt() != 0) {
            ++out.invalid;
            continue;
        }
        for (int s = 0; s < Scales; ++s) {
            const QString range = q.value(4 + 2 * s).toString();
            const int r = int(std::find(std::begin(RangeNames), std::end(RangeNames), range) - std::begin(RangeNames));
            if (r < Summary::Ranges)
                ++out.scales[s].counts[r];
            if (r < Summary::Ranges - 1)
                percentiles[s] << q.value(3 + 2 * s).toInt();
        }
    }
    for (auto it = months.cbegin(); it != months.cend(); ++it)
        out.months << Summary::Month{it.key().first, it.key().second, it.value()};
    for (int s = 0; s < Scales; ++s) {
        QList<int>& p = percentiles[s];
        if (p.isEmpty())
            continue;
        std::sort(p.begin(), p.end());
        const qsizetype n = p.size();
        out.scales[s].medianPercentile = n % 2 ? double(p[n / 2]) : (p[n / 2 - 1] + p[n / 2]) / 2.0;
    }
    return out;
}

QByteArray FormatSummary(const Summary& summary, SummaryFormat format, const QStringList& scaleNames)
{
    if (format == SummaryFormat::Json) {
        QJsonArray months, scales;
        for (const Summary::Month& m : summary.months)
            months.append(QJsonObject{{QStringLiteral("office"), m.office},
                                      {QStringLiteral("month"), m.month},
                                      {QStringLiteral("administrations"), m.administrations}});
        for (int s = 0; s < Scales; ++s) {
            QJsonObject o{{QStringLiteral("scale"), s + 1}};
            for (int r = 0; r < Summary::Ranges; ++r)
                o.insert(QLatin1String(RangeNames[r]), summary.scales[s].counts[r]);
            const auto& m = summary.scales[s].medianPercentile;
            o.insert(QStringLiteral("median_percentile"), m ? QJsonValue(*m) : QJsonValue());
            scales.append(o);
        }
        return QJsonDocument(QJsonObject{{QStringLiteral("administrations"), summary.administrations},
                                         {QStringLiteral("invalid"), summary.invalid},
                                         {QStringLiteral("by_month"), months},
                                         {QStringLiteral("scales"), scales}})
            .toJson(QJsonDocument::Indented);
    }
    QStringList lines;
    if (format == SummaryFormat::Csv) {
        lines << QStringLiteral("section,office,month,scale,administrations,low,medium,problem,maximum,not_scored,"
                                "median_percentile");
        const auto field = [](QString t) {
            return t.contains(QLatin1Char(',')) || t.contains(QLatin1Char('"'))
                       ? QLatin1Char('"') + t.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"')
                       : t;
        };
        for (const Summary::Month& m : summary.months)
            lines << QStringLiteral("month,%1,%2,,%3,,,,,,").arg(field(m.office), m.month).arg(m.administrations);
        lines << QStringLiteral("total,,,,%1,,,,,,").arg(summary.administrations)
              << QStringLiteral("invalid,,,,%1,,,,,,").arg(summary.invalid);
        for (int s = 0; s < Scales; ++s) {
            const auto& c = summary.scales[s].counts;
            lines << QStringLiteral("scale,,,%1,,%2,%3,%4,%5,%6,%7")
                         .arg(s + 1)
                         .arg(c[0])
                         .arg(c[1])
                         .arg(c[2])
                         .arg(c[3])
                         .arg(c[4])
                         .arg(median(summary.scales[s].medianPercentile));
        }
        return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    }
    int wide = 6;
    for (const Summary::Month& m : summary.months)
        wide = std::max(wide, int(m.office.size()));
    QStringList names;
    for (int s = 0; s < Scales; ++s)
        names << (scaleNames.size() == Scales && !scaleNames[s].trimmed().isEmpty() ? scaleNames[s].trimmed()
                                                                                    : QStringLiteral("Scale %1").arg(s + 1));
    int nameWide = 8;
    for (const QString& n : names)
        nameWide = std::max(nameWide, int(n.size()));
    lines << QStringLiteral("Administrations by office and month")
          << QStringLiteral("%1  %2  %3").arg(QStringLiteral("Office"), -wide).arg(QStringLiteral("Month"), -7).arg(QStringLiteral("Count"), 5);
    for (const Summary::Month& m : summary.months)
        lines << QStringLiteral("%1  %2  %3")
                     .arg(m.office.isEmpty() ? QStringLiteral("(none)") : m.office, -wide)
                     .arg(m.month, -7)
                     .arg(m.administrations, 5);
    lines << QStringLiteral("%1  %2  %3").arg(QStringLiteral("Total"), -wide).arg(QString(), -7).arg(summary.administrations, 5)
          << QString()
          << QStringLiteral("Ranges of the %1 valid administrations (%2 invalid left out)")
                 .arg(summary.administrations - summary.invalid)
                 .arg(summary.invalid)
          << QStringLiteral("%1  Low  Medium  Problem  Maximum  Not scored  Median percentile")
                 .arg(QStringLiteral("Scale"), -nameWide);
    for (int s = 0; s < Scales; ++s) {
        const auto& c = summary.scales[s].counts;
        lines << QStringLiteral("%1  %2  %3  %4  %5  %6  %7")
                     .arg(names[s], -nameWide)
                     .arg(c[0], 3)
                     .arg(c[1], 6)
                     .arg(c[2], 7)
                     .arg(c[3], 7)
                     .arg(c[4], 10)
                     .arg(median(summary.scales[s].medianPercentile), 17);
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QStringList ProgramScaleNames(const QString& programDir)
{
    auto run = std::make_unique<ScoringRun>();
    if (LoadProgramScoringData(programDir, *run))
        return {};
    // Named as the Earlier Tests window names them.
    EarlierTests named;
    named.scaleNames = run->wording.ScaleNames;
    QStringList names;
    for (int s = 1; s <= Scales; ++s)
        names << ScaleNameText(named, s);
    return names;
}

} // namespace Results
