#include "ScoreExport.h"

#include "AdministrationNotes.h"
#include "ClientTable.h"
#include "RecordDamage.h"
#include "ReportWriter.h"
#include "ScoreAndReport.h"

#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QVariant>

namespace {

const char* const RangeNames[] = {"", "low", "medium", "problem", "maximum"};

// The stored text of a fixed-width field, without the blanks that pad it.
QString stored(const QString& field)
{
    QString s = field;
    while (!s.isEmpty() && s.back() == QLatin1Char(' '))
        s.chop(1);
    return s;
}

// One client's values in column order; null values are empty fields.
QVariantList row(int n, const ClientRecord& r, const ScoreSheet* sheet, bool deidentified)
{
    QVariantList v{n};
    if (deidentified) {
        const std::optional<int> age = AgeAtTest(r);
        v << (age ? QVariant(*age) : QVariant());
    } else {
        v << stored(r.Name) << stored(r.DOB);
    }
    v << stored(r.TestDate);
    for (int s = 1; s <= NumScales; ++s) {
        if (!sheet) {
            v << QVariant() << QVariant() << QVariant();
            continue;
        }
        v << int(sheet->RawPoints[s]) << int(sheet->Percentile[s]) << ScaleRangeName(*sheet, s);
    }
    v << (sheet ? QVariant(IsInvalidReport(*sheet)) : QVariant());
    for (const QString* field : {&r.Gender, &r.Race, &r.Marital, &r.Education, &r.DrugArrests, &r.AlcoholArrests,
                                 &r.Assaults, &r.DVArrests, &r.Anger})
        v << stored(*field);
    return v;
}

// RFC 4180: a field with a comma, a quote or a line break is quoted, its quotes doubled. A text that a spreadsheet
// would run as a formula gets a leading apostrophe, which spreadsheets take as "text" and do not display; a plain
// number such as a court count of -1 stays as it is.
QString csvField(const QVariant& value)
{
    QString text =
        value.typeId() == QMetaType::Bool ? QString::fromLatin1(value.toBool() ? "true" : "false") : value.toString();
    static const QRegularExpression number(QStringLiteral("\\A[+-]?\\d+\\z"));
    if (value.typeId() == QMetaType::QString && !text.isEmpty() &&
        QStringView(u"=+-@\t\r").contains(text.front()) && !number.match(text).hasMatch())
        text.prepend(QLatin1Char('\''));
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\r')) ||
        text.contains(QLatin1Char('\n')))
        text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return text;
}

// The column names, in order.
QStringList ScoreExportColumns(bool deidentified)
{
    QStringList c{QStringLiteral("client")};
    if (deidentified)
        c << QStringLiteral("age_at_test");
    else
        c << QStringLiteral("name") << QStringLiteral("date_of_birth");
    c << QStringLiteral("test_date");
    for (int s = 1; s <= NumScales; ++s)
        c << QStringLiteral("scale%1_raw").arg(s) << QStringLiteral("scale%1_percentile").arg(s)
          << QStringLiteral("scale%1_range").arg(s);
    c << QStringLiteral("invalid") << QStringLiteral("gender") << QStringLiteral("race") << QStringLiteral("marital")
      << QStringLiteral("education") << QStringLiteral("drug_arrests") << QStringLiteral("alcohol_arrests")
      << QStringLiteral("assault_arrests") << QStringLiteral("dv_arrests") << QStringLiteral("anger_programs");
    return c;
}

} // namespace

std::optional<int> AgeAtTest(const ClientRecord& r)
{
    const QString format = QStringLiteral("MM/dd/yyyy");
    const QDate born = QDate::fromString(stored(r.DOB), format);
    const QDate tested = QDate::fromString(stored(r.TestDate), format);
    if (!born.isValid() || !tested.isValid() || tested < born)
        return std::nullopt;
    int years = tested.year() - born.year();
    if (tested.month() < born.month() || (tested.month() == born.month() && tested.day() < born.day()))
        --years;
    return years;
}

QString ScaleRangeName(const ScoreSheet& sheet, int s)
{
    return QString::fromLatin1(ReportsScaleNotScored(sheet, s) ? "not_scored" : RangeNames[RiskRange(sheet.Percentile[s])]);
}

int ScaleRangeOfName(QStringView name)
{
    for (int r = 1; r < int(std::size(RangeNames)); ++r)
        if (name == QLatin1String(RangeNames[r]))
            return r;
    return 0;
}

ScoredLocation ScoreLocation(const QString& programDir, const ClientTable& clients, QChar brandCode, bool deidentified)
{
    ScoredLocation out;
    ScoringRun run;
    if ((out.error = LoadProgramScoringData(programDir, run)))
        return out;
    // Scored through a copy, so the caller's current client stays where it was.
    ClientTable one;
    one.Clients = clients.Clients;
    one.NumClients = clients.NumClients;
    one.DataPath = clients.DataPath;
    one.ClientFilePath = clients.ClientFilePath;
    one.PartialRecord = clients.PartialRecord;
    // Notes are a summary beside the scores: a location without a readable notes file has none.
    QList<NotesFile::Entry> notes;
    NotesFile::read(QDir(clients.DataPath).filePath(QLatin1String(NotesFile::FileName)), notes);
    for (int16_t n = 1; n <= clients.NumClients; ++n) {
        one.CurClient = n;
        QByteArray report;
        const ScoringError e = ScoreClient(programDir, one, brandCode, run, report);
        // Messages about a record already name its client; a de-identified one names it by number only.
        if (e) {
            QString message = e.message;
            const QString label = ClientLabel(clients.Clients[n], n);
            if (deidentified)
                message.replace(label, ClientLabel(clients.Clients[n], n, false));
            out.problems << (message.startsWith(QStringLiteral("Client %1").arg(n))
                                 ? message
                                 : QStringLiteral("Client %1 could not be scored: %2").arg(n).arg(message));
        }
        out.clients.append({n, clients.Clients[n], e ? std::nullopt : std::optional(run.sheet),
                            NotesFile::find(notes, n, clients.Clients[n])});
    }
    return out;
}

ScoreExport ExportScores(const QString& programDir, const ClientTable& clients, QChar brandCode,
                         const ScoreExportOptions& options)
{
    ScoreExport out;
    const ScoredLocation scored = ScoreLocation(programDir, clients, brandCode, options.deidentified);
    if ((out.error = scored.error))
        return out;
    out.problems = scored.problems;
    const QStringList columns = ScoreExportColumns(options.deidentified);
    QList<QVariantList> rows;
    QList<std::optional<AdministrationNotes>> rowNotes;
    for (const ScoredClient& c : scored.clients) {
        rows << row(c.slot, c.record, c.sheet ? &*c.sheet : nullptr, options.deidentified);
        rowNotes << c.notes;
    }
    out.clients = static_cast<int>(rows.size());

    if (options.format == ExportFormat::Json) {
        QJsonArray array;
        for (qsizetype r = 0; r < rows.size(); ++r) {
            QJsonObject o;
            for (qsizetype i = 0; i < columns.size(); ++i)
                o.insert(columns[i], QJsonValue::fromVariant(rows[r][i]));
            QJsonObject administration;
            if (rowNotes[r]) {
                for (const auto& [name, value] : rowNotes[r]->exportFields())
                    administration.insert(name, value);
            }
            o.insert(QStringLiteral("administration"), rowNotes[r] ? QJsonValue(administration) : QJsonValue());
            if (!options.auditHead.isEmpty())
                o.insert(QStringLiteral("audit_head"), options.auditHead);
            array.append(o);
        }
        out.bytes = QJsonDocument(array).toJson(QJsonDocument::Indented);
        return out;
    }
    QStringList header = columns;
    for (const auto& field : AdministrationNotes().exportFields())
        header << field.first;
    QStringList lines{header.join(QLatin1Char(','))};
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QStringList fields;
        for (const QVariant& v : rows[r])
            fields << csvField(v);
        // A client without notes (tested before notes were kept) gets empty fields.
        for (const auto& field : rowNotes[r] ? rowNotes[r]->exportFields() : AdministrationNotes().exportFields())
            fields << (rowNotes[r] ? csvField(field.second.toVariant()) : QString());
        lines << fields.join(QLatin1Char(','));
    }
    if (!options.auditHead.isEmpty())
        lines << QStringLiteral("audit_head,") + options.auditHead;
    // The byte-order mark makes spreadsheet programs read the names as UTF-8.
    out.bytes = QByteArray("\xEF\xBB\xBF") + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    return out;
}
