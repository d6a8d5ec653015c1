// The results store against a real SQLite file and a real PostgreSQL server: publications of a data location, their
// versions, a server that goes away half-way, what a dump holds, bundles and the summary.

#include "AdministrationNotes.h"
#include "ClientTable.h"
#include "Publication.h"
#include "ResultBundle.h"
#include "Summary.h"
#include "TestEnv.h"
#include "TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QUuid>
#include <QTest>

using namespace Results;

namespace {

const QString Pg = qEnvironmentVariable("VELTRANE_TEST_PG");

// A store of `kind` with nothing in it: a new SQLite file, or the test server's database emptied.
std::optional<StoreTarget> freshTarget(const QString& kind, const QTemporaryDir& dir)
{
    if (kind == QLatin1String("sqlite"))
        return StoreTarget::parse(dir.filePath(QStringLiteral("results.sqlite")), nullptr);
    if (Pg.isEmpty())
        return std::nullopt;
    const std::optional<StoreTarget> t = StoreTarget::parse(Pg, nullptr);
    Store store(*t);
    if (!store.open().isEmpty())
        return std::nullopt;
    QSqlQuery q(store.database());
    q.exec(QStringLiteral("DROP VIEW IF EXISTS current_administrations"));
    q.exec(QStringLiteral("DROP TABLE IF EXISTS administrations, results_schema"));
    return t;
}

#define FRESH_TARGET(kind, dir)                                                                                    \
    const std::optional<StoreTarget> target = freshTarget(kind, dir);                                              \
    if (!target)                                                                                                   \
        QSKIP("no PostgreSQL server: run eval \"$(scripts/start-postgres.sh)\" to set VELTRANE_TEST_PG");

int count(const Store& store, const QString& sql)
{
    QSqlQuery q(store.database());
    return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
}

// Runs the server's own tool as its owner, as an administrator would.
int pgTool(const QString& command)
{
    return QProcess::execute(QStringLiteral("su"), {QStringLiteral("postgres"), QStringLiteral("-s"),
                                                    QStringLiteral("/bin/sh"), QStringLiteral("-c"), command});
}

QString pgCtl(const QString& action)
{
    const QString data = qEnvironmentVariable("VELTRANE_TEST_PG_DATA");
    return QStringLiteral("%1/pg_ctl -D %2 -l %2/../log -w %3")
        .arg(qEnvironmentVariable("VELTRANE_TEST_PG_BIN"), data, action);
}

// A data location holding the six demo clients.
struct Location {
    QTemporaryDir dir;
    QString data = dir.filePath(QStringLiteral("data"));
    ClientTable table;
    Location()
    {
        QDir().mkpath(data);
        WriteFile(data + QStringLiteral("/DATA401.QN"),
                  ReadBytes(ProgramDirForTests() + QStringLiteral("/../demo-data/DATA401.QN")));
        table.setDataPath(data);
        table.LoadClients(ClientTable::MissingFile::Refuse);
    }
    PublishRequest request(const StoreTarget& target) const
    {
        PublishRequest r;
        r.programDir = ProgramDirForTests();
        r.brandCode = QLatin1Char('N');
        r.config.office = QStringLiteral("North");
        r.config.agencyKey = QByteArray(32, 'k');
        r.target = target;
        r.now = QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
        r.ownFolders = {r.programDir, data};
        return r;
    }
};

StoredAdministration generated(int n, const QString& office, const QString& date, int percentile, bool invalid)
{
    StoredAdministration a;
    a.administrationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.locationId = QStringLiteral("0f6a3bd1-7c55-4a63-9d4c-3a1d2c9e8b70");
    a.office = office;
    a.testDate = date;
    a.invalid = invalid;
    for (int s = 0; s < Scales; ++s) {
        // Scale 2 of every third is not scored; the others take a range from the percentile as the report does.
        const int p = invalid ? 99 : percentile + s;
        a.scales[s] = {n, p, s == 1 && n % 3 == 0 ? QStringLiteral("not_scored")
                             : p < 40                ? QStringLiteral("low")
                             : p < 70                ? QStringLiteral("medium")
                             : p < 90                ? QStringLiteral("problem")
                                                     : QStringLiteral("maximum")};
    }
    return a;
}

} // namespace

class TestResultsStore : public QObject {
    Q_OBJECT

private slots:
    void stores_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgresql") << "postgresql";
    }

    // Ten publications give each administration once; an edit then gives a second version that supersedes the
    // first, which stays as it was; a test's own identity from its notes is the key; a dump names no client.
    void publishAgainAndEdit_data() { stores_data(); }
    void publishAgainAndEdit()
    {
        QFETCH(QString, kind);
        Location loc;
        FRESH_TARGET(kind, loc.dir);
        const QString notes = loc.data + QStringLiteral("/DATA401.NTS");
        AdministrationNotes taken;
        taken.id = QStringLiteral("5b0c1d2e-3f40-4a51-8b62-7c83d94ea5f6");
        taken.language = QStringLiteral("spanish");
        QCOMPARE(NotesFile::keep(notes, 3, loc.table.Clients[3], taken), QString());
        for (int run = 1; run <= 10; ++run) {
            const PublishOutcome out = PublishLocation(loc.table, loc.request(*target));
            QVERIFY2(out.error.isEmpty(), qPrintable(out.error));
            QCOMPARE(out.count.added, run == 1 ? 6 : 0);
            QCOMPARE(out.count.unchanged, run == 1 ? 0 : 6);
        }
        Store store(*target);
        QCOMPARE(store.open(), QString());
        QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM administrations")), 6);
        const QList<StoredAdministration> first = store.current();
        const auto third = std::find_if(first.begin(), first.end(),
                                        [&](const StoredAdministration& a) { return a.administrationId == taken.id; });
        QVERIFY(third != first.end());
        QCOMPARE(third->language, QStringLiteral("spanish"));
        QCOMPARE(third->mode, QStringLiteral("screen"));

        const ClientRecord before = loc.table.Clients[2];
        loc.table.Clients[2].DrugArrests = QStringLiteral("4 ");
        QCOMPARE(NotesFile::follow(notes, 2, before, loc.table.Clients[2]), QString());
        const PublishOutcome edited = PublishLocation(loc.table, loc.request(*target));
        QCOMPARE(edited.count.superseding, 1);
        QCOMPARE(edited.count.unchanged, 5);
        const QList<StoredAdministration> now = store.current();
        QCOMPARE(now.size(), 6);
        const auto second = std::find_if(now.begin(), now.end(), [](const StoredAdministration& a) { return a.version == 2; });
        QVERIFY(second != now.end());
        QCOMPARE(second->supersedes, std::optional(1));
        QCOMPARE(second->drugArrests, QStringLiteral("4"));
        QSqlQuery old(store.database());
        old.prepare(QStringLiteral("SELECT drug_arrests FROM administrations WHERE administration_id = ? AND version = 1"));
        old.addBindValue(second->administrationId);
        QVERIFY(old.exec() && old.next());
        QCOMPARE(old.value(0).toString(), before.DrugArrests.trimmed());

        QProcess dump;
        if (kind == QLatin1String("sqlite"))
            dump.start(QStringLiteral("sqlite3"), {target->path, QStringLiteral(".dump")});
        else
            dump.start(QStringLiteral("pg_dump"), {QStringLiteral("--dbname=") + Pg});
        QVERIFY(dump.waitForFinished(60000) && dump.exitCode() == 0);
        const QByteArray text = dump.readAllStandardOutput();
        QVERIFY(text.contains(taken.id.toLatin1()));
        for (int n = 1; n <= 6; ++n) {
            const ClientRecord& r = loc.table.Clients[n];
            const QDate born = QDate::fromString(r.DOB.trimmed(), QStringLiteral("MM/dd/yyyy"));
            QStringList secrets{r.Name.trimmed(), r.Name.section(QLatin1Char(','), 0, 0).trimmed()};
            if (born.isValid())
                secrets << r.DOB.trimmed() << born.toString(Qt::ISODate);
            for (const QString& secret : secrets)
                QVERIFY2(secret.size() > 3 && !text.contains(secret.toUtf8()), qPrintable(secret));
        }
        // Delete Names leaves no name to key a client by: the key already published stays, and nothing is added.
        loc.table.Clients[4].Name.fill(QLatin1Char(' '));
        QCOMPARE(PublishLocation(loc.table, loc.request(*target)).count.unchanged, 6);
        QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM current_administrations WHERE client_key = ''")), 0);
    }

    // Stopped half-way (the server killed, or the user pressing Stop): nothing is written, and the next run
    // publishes everything.
    void stoppedMidPublication_data() { stores_data(); }
    void stoppedMidPublication()
    {
        QFETCH(QString, kind);
        Location loc;
        FRESH_TARGET(kind, loc.dir);
        PublishRequest request = loc.request(*target);
        const bool pg = kind == QLatin1String("postgresql");
        request.progress = [pg](int done, int) {
            if (done == 3 && pg)
                pgTool(pgCtl(QStringLiteral("-m immediate stop")));
            return pg || done < 3;
        };
        const PublishOutcome cut = PublishLocation(loc.table, request);
        QVERIFY(!cut.error.isEmpty());
        QCOMPARE(cut.count.added, 0);
        if (pg)
            QCOMPARE(pgTool(pgCtl(QStringLiteral("start"))), 0);
        Store store(*target);
        QCOMPARE(store.open(), QString());
        QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM administrations")), 0);
        request.progress = {};
        QCOMPARE(PublishLocation(loc.table, request).count.added, 6);
        QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM current_administrations")), 6);
    }

    // A bundle carried to a store loads once, however often it is loaded, after or before a direct publication;
    // a bundle changed on the way is refused whole.
    void bundleRoundTrip_data() { stores_data(); }
    void bundleRoundTrip()
    {
        QFETCH(QString, kind);
        Location loc;
        FRESH_TARGET(kind, loc.dir);
        const QString path = loc.dir.filePath(QStringLiteral("north.vltbundle"));
        const PublishOutcome written = PublishLocation(loc.table, loc.request(*StoreTarget::parse(path, nullptr)));
        QVERIFY2(written.error.isEmpty(), qPrintable(written.error));
        QCOMPARE(written.administrations, 6);
        Store store(*target);
        QCOMPARE(store.open(), QString());
        for (int load = 0; load < 2; ++load) {
            const PublishOutcome in = ImportBundle(path, store);
            QCOMPARE(in.count.added, load ? 0 : 6);
            QCOMPARE(in.count.unchanged, load ? 6 : 0);
        }
        QCOMPARE(PublishLocation(loc.table, loc.request(*target)).count.unchanged, 6);
        QByteArray bytes = ReadBytes(path);
        bytes.replace("\"North\"", "\"South\"");
        WriteFile(path, bytes);
        QVERIFY(ImportBundle(path, store).error.contains(QStringLiteral("check sum")));
        QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM administrations WHERE office = 'South'")), 0);
    }

    // The summary of a small generated store equals the figures counted by hand: only current versions, invalid
    // tests apart, medians of the scored percentiles.
    void summary_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("office");
        QTest::addColumn<QDate>("since");
        QTest::addColumn<QString>("expected");
        const QString all = "administrations 7 invalid 1 | North 2026-01 2 | North 2026-02 1 | South 2026-02 4 | "
                            "1: 2 2 1 1 0 m 62.5 | 2: 2 1 0 1 2 m 41 | 6: 2 2 1 1 0 m 52.5";
        const QString south = "administrations 4 invalid 1 | South 2026-02 4 | "
                              "1: 0 1 1 1 0 m 85 | 2: 1 0 0 1 1 m 51 | 6: 1 0 1 1 0 m 85";
        const QString since = "administrations 5 invalid 1 | North 2026-02 1 | South 2026-02 4 | "
                              "1: 1 1 1 1 0 m 75 | 2: 1 0 0 1 2 m 51 | 6: 1 1 1 1 0 m 62.5";
        for (const char* kind : {"sqlite", "postgresql"}) {
            QTest::addRow("%s, all", kind) << kind << QString() << QDate() << all;
            QTest::addRow("%s, one office", kind) << kind << "South" << QDate() << south;
            QTest::addRow("%s, since", kind) << kind << QString() << QDate(2026, 2, 1) << since;
        }
    }
    void summary()
    {
        QFETCH(QString, kind);
        QFETCH(QString, office);
        QFETCH(QDate, since);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        FRESH_TARGET(kind, dir);
        Store store(*target);
        QCOMPARE(store.open(), QString());
        // Scale s of client n has percentile base + s - 1 (all 99 for the invalid n 7); scale 2 of n 3 and 6 is not
        // scored.
        QList<StoredAdministration> rows = {
            generated(1, "North", "2026-01-05", 20, false), generated(2, "North", "2026-01-20", 60, false),
            generated(3, "North", "2026-02-02", 35, false), generated(4, "South", "2026-02-03", 90, false),
            generated(5, "South", "2026-02-10", 10, false), generated(6, "South", "2026-02-11", 80, false),
            generated(7, "South", "2026-02-28", 0, true)};
        QCOMPARE(store.publish(rows).added, 7);
        // A later version moves n 5 from 10 to 65 and n 6 from 80 to 85: the earlier ones no longer count.
        rows[4].scales[0].percentile = 65, rows[4].scales[0].range = QStringLiteral("medium");
        rows[5].scales[0].percentile = 85, rows[5].scales[0].range = QStringLiteral("problem");
        const PublishCount next = store.publish(rows);
        QVERIFY(next.superseding == 2 && next.unchanged == 5);
        QString error;
        const Summary s = Summarize(store, {office, since}, &error);
        QCOMPARE(error, QString());
        QStringList got{QStringLiteral("administrations %1 invalid %2").arg(s.administrations).arg(s.invalid)};
        for (const Summary::Month& m : s.months)
            got << QStringLiteral("%1 %2 %3").arg(m.office, m.month).arg(m.administrations);
        for (int scale : {1, 2, 6}) {
            const Summary::Scale& c = s.scales[scale - 1];
            got << QStringLiteral("%1: %2 %3 %4 %5 %6 m %7")
                       .arg(scale)
                       .arg(c.counts[0])
                       .arg(c.counts[1])
                       .arg(c.counts[2])
                       .arg(c.counts[3])
                       .arg(c.counts[4])
                       .arg(c.medianPercentile.value_or(-1));
        }
        QCOMPARE(got.join(QStringLiteral(" | ")), expected);
    }
};

QTEST_GUILESS_MAIN(TestResultsStore)
#include "test_results_store.moc"
