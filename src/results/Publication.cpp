#include "Publication.h"

#include "ClientTable.h"
#include "PrivateFile.h"
#include "ResultBundle.h"
#include "ReportWriter.h"
#include "ScoreExport.h"
#include "Scoring.h"

#include <QCryptographicHash>
#include <QDir>
#include <QUuid>

namespace Results {

namespace {

QString stored(const QString& field)
{
    return field.trimmed();
}

// Bundles of a few hundred thousand administrations stay far below this.
constexpr qint64 MostBundleBytes = 1024LL * 1024 * 1024;

} // namespace

QString ScoringFilesHash(const QString& programDir)
{
    const QDir dir(programDir);
    QStringList names = dir.entryList({QStringLiteral("*.TXT")}, QDir::Files, QDir::Name);
    names.removeIf([](const QString& n) {
        return n != QLatin1String(ScoringFileName) && n != QLatin1String(WordingFileName) &&
               n != QLatin1String(InvalidTextFileName) && !n.startsWith(QLatin1String("QN_"));
    });
    QCryptographicHash all(QCryptographicHash::Sha256);
    for (const QString& name : names) {
        QByteArray bytes;
        PrivateFile::Read(dir.filePath(name), bytes);
        all.addData(name.toUtf8() + '\0' + QByteArray::number(bytes.size()) + '\0');
        all.addData(bytes);
    }
    return QString::fromLatin1(all.result().toHex());
}

LocationRows CollectLocation(const QString& programDir, const ClientTable& table, QChar brandCode,
                             const ResultsConfig& config, const QString& auditHead, const QDateTime& now)
{
    LocationRows out;
    const ScoredLocation scored = ScoreLocation(programDir, table, brandCode, true);
    if (scored.error) {
        out.error = scored.error.message;
        return out;
    }
    out.problems = scored.problems;
    const QString location = LocationId(table.DataPath, &out.error);
    if (location.isEmpty())
        return out;
    const QString notesPath = QDir(table.DataPath).filePath(QLatin1String(NotesFile::FileName));
    QList<NotesFile::Entry> entries;
    if (!NotesFile::read(notesPath, entries)) {
        out.error = QStringLiteral("The administration notes %1 cannot be read, so the administrations have no "
                                   "identity to publish under.")
                        .arg(QDir::toNativeSeparators(notesPath));
        return out;
    }
    QList<std::pair<int, QString>> newIds;
    QList<ClientRecord> newRecords;
    const QString scoring = ScoringFilesHash(programDir);
    const QString published = now.toUTC().toString(Qt::ISODateWithMs);
    for (const ScoredClient& c : scored.clients) {
        if (!c.sheet)
            continue;
        StoredAdministration a;
        a.administrationId = NotesFile::identity(entries, c.slot, c.record);
        if (a.administrationId.isEmpty()) {
            a.administrationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
            newIds.append({c.slot, a.administrationId});
            newRecords << c.record;
        }
        const ClientRecord& r = c.record;
        a.locationId = location;
        a.office = config.office;
        a.clientKey = ClientKey(r, config.agencyKey);
        const QDate tested = QDate::fromString(stored(r.TestDate), QStringLiteral("MM/dd/yyyy"));
        a.testDate = tested.isValid() ? tested.toString(Qt::ISODate) : stored(r.TestDate);
        a.ageAtTest = AgeAtTest(r);
        a.gender = stored(r.Gender);
        a.race = stored(r.Race);
        a.marital = stored(r.Marital);
        a.education = stored(r.Education);
        a.drugArrests = stored(r.DrugArrests);
        a.alcoholArrests = stored(r.AlcoholArrests);
        a.assaultArrests = stored(r.Assaults);
        a.dvArrests = stored(r.DVArrests);
        a.angerPrograms = stored(r.Anger);
        if (c.notes) {
            a.mode = QString::fromLatin1(Administration::modeName(c.notes->mode));
            a.language = c.notes->language;
            for (const auto& [name, value] : c.notes->exportFields())
                if (name != QLatin1String("mode") && name != QLatin1String("language"))
                    a.notes.insert(name, value);
        }
        for (int s = 1; s <= Scales; ++s)
            a.scales[s - 1] = {c.sheet->RawPoints[s], c.sheet->Percentile[s], ScaleRangeName(*c.sheet, s)};
        a.invalid = IsInvalidReport(*c.sheet);
        a.truthfulnessInvalid = a.invalid || ReportsScaleNotScored(*c.sheet, 1);
        a.auditHead = auditHead;
        a.scoringSha256 = scoring;
        a.programVersion = QStringLiteral(VELTRANE_VERSION);
        a.publishedAt = published;
        a.contentHash = a.computeContentHash();
        out.rows << a;
    }
    // Kept before anything is published, so an identity that reaches a store is never given again.
    if (!newIds.isEmpty()) {
        if (const QString e = NotesFile::keepIdentities(notesPath, newIds, newRecords); !e.isEmpty()) {
            out.rows.clear();
            out.error = e;
        }
    }
    return out;
}

QString PublishOutcome::message() const
{
    if (!error.isEmpty())
        return error;
    QString text = !bundle.isEmpty()
                       ? QStringLiteral("%1 administrations were written to the bundle %2; load it into the store with "
                                        "veltrane-cli import.")
                             .arg(administrations)
                             .arg(QDir::toNativeSeparators(bundle))
                       : QStringLiteral("%1 administrations published: %2 new, %3 new versions of earlier ones, %4 "
                                  "already there as they are.")
                       .arg(administrations)
                       .arg(count.added)
                       .arg(count.superseding)
                       .arg(count.unchanged);
    if (!problems.isEmpty())
        text += QStringLiteral("\r\r%1 could not be scored and were left out:\r%2")
                    .arg(problems.size() == 1 ? QStringLiteral("One client")
                                              : QStringLiteral("%1 clients").arg(problems.size()))
                    .arg(problems.join(QLatin1Char('\r')));
    return text;
}

PublishOutcome PublishLocation(const ClientTable& table, const PublishRequest& request)
{
    PublishOutcome out;
    std::optional<PrivateFile::CheckedOutput> bundle;
    std::unique_ptr<Store> store;
    // The target is checked, and a store opened, before any identity is written to the location.
    if (request.target.kind == StoreTarget::Kind::Bundle) {
        bundle = PrivateFile::CheckOutput(request.target.path, request.ownFolders);
        if (bundle->refused()) {
            out.error = QStringLiteral("Nothing was published. %1").arg(bundle->refusal());
            return out;
        }
    } else {
        store = std::make_unique<Store>(request.target);
        if (const QString e = store->open(request.askPassword); !e.isEmpty()) {
            out.error = QStringLiteral("Nothing was published. %1").arg(e);
            return out;
        }
    }
    LocationRows rows =
        CollectLocation(request.programDir, table, request.brandCode, request.config, request.auditHead, request.now);
    out.problems = rows.problems;
    if (!rows.error.isEmpty()) {
        out.error = QStringLiteral("Nothing was published. %1").arg(rows.error);
        return out;
    }
    out.administrations = int(rows.rows.size());
    if (bundle) {
        if (const QString e = PrivateFile::WriteOutput(*bundle, BundleBytes(rows.rows)); !e.isEmpty())
            out.error = QStringLiteral("Nothing was published. %1").arg(e);
        else
            out.bundle = request.target.path;
        return out;
    }
    out.count = store->publish(rows.rows, request.progress);
    out.error = out.count.error;
    return out;
}

std::optional<QList<StoredAdministration>> ReadBundleFile(const QString& path, QString* error)
{
    QByteArray bytes;
    if (const int err = PrivateFile::Read(path, bytes, MostBundleBytes)) {
        *error = QStringLiteral("The bundle %1 cannot be read: %2.")
                     .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err));
        return std::nullopt;
    }
    QString why;
    std::optional<QList<StoredAdministration>> rows = ReadBundle(bytes, &why);
    if (!rows)
        *error = QStringLiteral("Nothing was imported: %1 cannot be loaded, as %2.")
                     .arg(QDir::toNativeSeparators(path), why);
    return rows;
}

PublishOutcome ImportBundle(const QString& bundlePath, Store& store, const PublishProgress& progress)
{
    PublishOutcome out;
    const std::optional<QList<StoredAdministration>> rows = ReadBundleFile(bundlePath, &out.error);
    if (!rows)
        return out;
    out.administrations = int(rows->size());
    out.count = store.publish(*rows, progress);
    out.error = out.count.error;
    return out;
}

} // namespace Results
