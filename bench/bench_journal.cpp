// Opening a data location (client file read, lock taken, the tests under way read from the journal) with no journal
// and with a journal of 51 clients' administrations, and keeping one answer of a test under way.
//   bench_journal [data-folder]
// The data location is a temporary folder unless one is named (a FAT mount, say); its DATA401.* files are replaced.

#include "BenchUtil.h"
#include "ClientTable.h"
#include "CurrentClient.h"
#include "DataLocation.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "SessionFlags.h"
#include "TestDefinition.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

// 51 administrations stopped after `answers` items: `appended` of them with their answers appended one line each,
// as a crash leaves them, the others as written whole when they were set aside.
QByteArray journalOf(int appended, int answers)
{
    QList<Administration> all;
    QByteArray lines;
    for (int n = 0; n < 51; ++n) {
        Administration a;
        a.id = QStringLiteral("00000000-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0'));
        a.slot = 7;
        a.startedMs = 1796634000000 + n;
        a.language = QStringLiteral("English");
        ClientRecord r = ClientRecord::blank();
        r.Name = QStringLiteral("Waiting, Client %1").arg(n);
        a.record = r.toBytes();
        for (int i = 1; i <= answers; ++i) {
            const JournalEvent e{a.startedMs + i * 9000, i, 1 + i % 2};
            if (n < appended)
                lines += AdministrationJournal::eventLine(a.id, e);
            else
                a.events.append(e);
        }
        a.setAside = n >= appended;
        all.append(a);
    }
    return AdministrationJournal::toBytes(all) + lines;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    const QString journalPath = folder + QStringLiteral("/DATA401.JNL");
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock;
    CurrentClient client(table, flags, prompts, clock);
    WriteFile(folder + QStringLiteral("/DATA401.QN"), ClientRecord::blank().toBytes().repeated(6));
    QFile::remove(journalPath);

    const int runs = 50;
    int waiting = 0;
    const auto open = [&] {
        if (const FileError e = OpenDataLocation(table, folder).error) {
            std::fprintf(stderr, "bench_journal: %s\n", qPrintable(e.description));
            std::exit(1);
        }
        waiting = static_cast<int>(client.interrupted().size());
    };
    Report("open a location, no journal", MedianMicros(runs, open), runs);
    for (const auto& [appended, what] : {std::pair{0, "open, 51 set aside (written whole)"},
                                         std::pair{51, "open, 51 cut short (answers appended)"}}) {
        WriteFile(journalPath, journalOf(appended, 122));
        const double t = MedianMicros(runs, open);
        if (waiting != 51) {
            std::fprintf(stderr, "bench_journal: %d tests under way read, not 51\n", waiting);
            return 1;
        }
        Report(what, t, runs);
    }

    // One answer of a test under way, on the medium: an append while the test goes on.
    QFile::remove(journalPath);
    OpenDataLocation(table, folder);
    client.setMode(Administration::Mode::OnScreen);
    if (!client.startNew(QString()) || !client.stage([](ClientRecord& r) { r.Name = QStringLiteral("Bench"); }) ||
        !client.administration()) {
        std::fprintf(stderr, "bench_journal: no test under way\n");
        return 1;
    }
    QString responses(NumItems, QLatin1Char('0'));
    int item = 0;
    Report("keep one answer (appended, fdatasync)", MedianMicros(2 * runs, [&] {
               item = item % NumItems + 1;
               responses[item - 1] = responses[item - 1] == QLatin1Char('1') ? QLatin1Char('2') : QLatin1Char('1');
               if (const FileError e = client.keepAnswers(responses)) {
                   std::fprintf(stderr, "bench_journal: %s\n", qPrintable(e.description));
                   std::exit(1);
               }
           }),
           2 * runs);
    client.discard();
    return 0;
}
