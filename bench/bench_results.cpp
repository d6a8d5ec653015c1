// Publishing a full data location to SQLite and to PostgreSQL, loading a large bundle into PostgreSQL, and the
// summary of a large store. PostgreSQL parts run when VELTRANE_TEST_PG names a server (scripts/start-postgres.sh).

#include "BenchUtil.h"

#include "ClientTable.h"
#include "Publication.h"
#include "ResultBundle.h"
#include "Summary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

using namespace Results;

namespace {

void emptyPg(const StoreTarget& t)
{
    Store store(t);
    if (!store.open().isEmpty())
        return;
    QSqlQuery q(store.database());
    q.exec(QStringLiteral("DROP VIEW IF EXISTS current_administrations"));
    q.exec(QStringLiteral("DROP TABLE IF EXISTS administrations, results_schema"));
}

QList<StoredAdministration> generatedRows(int count)
{
    QList<StoredAdministration> rows;
    const QString location = QUuid::createUuid().toString(QUuid::WithoutBraces);
    for (int i = 0; i < count; ++i) {
        StoredAdministration a;
        a.administrationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
        a.locationId = location;
        a.office = QStringLiteral("Office %1").arg(i % 12);
        a.testDate = QDate(2020, 1, 1).addDays(i % 2000).toString(Qt::ISODate);
        a.ageAtTest = 18 + i % 50;
        a.mode = QStringLiteral("screen");
        for (int s = 0; s < Scales; ++s) {
            const int p = (i * 7 + s * 13) % 100;
            a.scales[s] = {p / 3, p, p < 40 ? QStringLiteral("low") : p < 70 ? QStringLiteral("medium")
                                               : p < 90 ? QStringLiteral("problem") : QStringLiteral("maximum")};
        }
        a.notes.insert(QStringLiteral("total_seconds"), 900 + i % 600);
        a.publishedAt = QStringLiteral("2026-12-07T09:00:00.000Z");
        rows << a;
    }
    return rows;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString program = QStringLiteral(VELTRANE_BENCH_PROGRAM_DIR);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    // 51 clients: the demo clients over and over, each its own administration.
    QFile demo(program + QStringLiteral("/../demo-data/DATA401.QN"));
    demo.open(QIODevice::ReadOnly);
    const QByteArray six = demo.readAll();
    QByteArray clients;
    for (int n = 0; n < ClientTable::MaxClients; ++n)
        clients += six.mid((n % (six.size() / ClientRecord::Size)) * ClientRecord::Size, ClientRecord::Size);
    QFile file(data + QStringLiteral("/DATA401.QN"));
    file.open(QIODevice::WriteOnly);
    file.write(clients);
    file.close();
    ClientTable table;
    table.setDataPath(data);
    table.LoadClients(ClientTable::MissingFile::Refuse);

    PublishRequest request;
    request.programDir = program;
    request.brandCode = QLatin1Char('N');
    request.config.office = QStringLiteral("Bench");
    request.config.agencyKey = QByteArray(32, 'k');
    request.now = QDateTime::currentDateTimeUtc();
    // Identities given once, as the first publication of a location does.
    request.target = *StoreTarget::parse(dir.filePath(QStringLiteral("first.vltbundle")), nullptr);
    if (const PublishOutcome o = PublishLocation(table, request); !o.error.isEmpty() || o.administrations != 51) {
        std::fprintf(stderr, "bench_results: %s\n", qPrintable(o.error));
        return 1;
    }
    int run = 0;
    const int runs = 15;
    Report("publish 51 to a new SQLite store", MedianMicros(runs, [&] {
               request.target = *StoreTarget::parse(dir.filePath(QStringLiteral("s%1.sqlite").arg(run++)), nullptr);
               if (PublishLocation(table, request).count.added != 51)
                   std::abort();
           }),
           runs);
    Report("publish 51 again to SQLite (nothing new)", MedianMicros(runs, [&] {
               if (PublishLocation(table, request).count.unchanged != 51)
                   std::abort();
           }),
           runs);

    const QString sqlite100k = dir.filePath(QStringLiteral("large.sqlite"));
    {
        Store large(*StoreTarget::parse(sqlite100k, nullptr));
        large.open();
        large.publish(generatedRows(100000));
    }
    Store largeSqlite(*StoreTarget::parse(sqlite100k, nullptr));
    largeSqlite.open();
    Report("summary over 100,000 (SQLite)", MedianMicros(5, [&] {
               QString e;
               if (Summarize(largeSqlite, {}, &e).administrations != 100000)
                   std::abort();
           }),
           5);

    const QString pg = qEnvironmentVariable("VELTRANE_TEST_PG");
    if (pg.isEmpty()) {
        std::printf("no VELTRANE_TEST_PG: the PostgreSQL measurements were not made\n");
        return 0;
    }
    const StoreTarget pgTarget = *StoreTarget::parse(pg, nullptr);
    request.target = pgTarget;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        emptyPg(pgTarget);
        const auto start = std::chrono::steady_clock::now();
        if (PublishLocation(table, request).count.added != 51)
            std::abort();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    Report("publish 51 to a new PostgreSQL store", times[times.size() / 2], runs);
    Report("publish 51 again to PostgreSQL (nothing new)", MedianMicros(runs, [&] {
               if (PublishLocation(table, request).count.unchanged != 51)
                   std::abort();
           }),
           runs);

    const QString bundle = dir.filePath(QStringLiteral("large.vltbundle"));
    QFile out(bundle);
    out.open(QIODevice::WriteOnly);
    out.write(BundleBytes(generatedRows(10000)));
    out.close();
    times.clear();
    for (int i = 0; i < 3; ++i) {
        emptyPg(pgTarget);
        Store store(pgTarget);
        store.open();
        const auto start = std::chrono::steady_clock::now();
        if (ImportBundle(bundle, store).count.added != 10000)
            std::abort();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    Report("import a bundle of 10,000 into PostgreSQL", times[1], 3);

    emptyPg(pgTarget);
    {
        Store store(pgTarget);
        store.open();
        store.publish(generatedRows(100000));
    }
    Store largePg(pgTarget);
    largePg.open();
    Report("summary over 100,000 (PostgreSQL)", MedianMicros(5, [&] {
               QString e;
               if (Summarize(largePg, {}, &e).administrations != 100000)
                   std::abort();
           }),
           5);
    emptyPg(pgTarget);
    return 0;
}
