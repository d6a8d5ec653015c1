// Times scoring plus writing the report for every client of a full data location (51 clients), and printing each
// report into a PDF file, and prints the median, fastest and slowest time per client.
//   bench/bench_scoring [ROUNDS]          (default 5 rounds over the 51 clients)

#include "ClientTable.h"
#include "PdfReportPrinter.h"
#include "ReportPrinting.h"
#include "ScoreAndReport.h"
#include "TestDefinition.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A full data location of invented clients with varied answers and court histories.
bool writeFullDataLocation(const QString& dir)
{
    std::mt19937 random(401);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    QFile f(dir + QLatin1Char('/') + QLatin1String(ClientTable::FileName));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (int n = 1; n <= ClientTable::MaxClients; ++n) {
        ClientRecord r = ClientRecord::blank();
        r.Name = QStringLiteral("Bench, Client %1").arg(n);
        r.Gender = QString::number(pick(0, 2));
        r.DOB = QStringLiteral("%1/%2/19%3")
                    .arg(pick(1, 12), 2, 10, QLatin1Char('0'))
                    .arg(pick(1, 28), 2, 10, QLatin1Char('0'))
                    .arg(pick(50, 99));
        r.Race = QString::number(pick(0, 6));
        r.Marital = QString::number(pick(0, 5));
        r.Education = QString::number(pick(0, 8));
        r.TestDate = QStringLiteral("11/30/2026");
        for (QString* c : {&r.DrugArrests, &r.AlcoholArrests, &r.Assaults, &r.DVArrests, &r.Anger})
            *c = pick(0, 5) == 0 ? QStringLiteral("N") : QString::number(pick(0, 8));
        QString answers;
        for (int i = 1; i <= NumItems; ++i)
            answers += pick(0, 40) == 0 ? QLatin1Char('0') : QChar(u'0' + pick(1, ChoicesOfItem(i)));
        r.Responses = answers;
        r.EditCount = QStringLiteral("0");
        r.NameDeleted = QStringLiteral("0");
        f.write(r.toBytes());
    }
    return true;
}

struct Figures {
    double median, fastest, slowest, total;
};

Figures summarize(std::vector<double> ms, int rounds)
{
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (double v : ms)
        total += v;
    return {ms[ms.size() / 2], ms.front(), ms.back(), total / rounds};
}

void print(const char* what, const Figures& f)
{
    std::printf("%-44s median %8.3f ms  fastest %8.3f ms  slowest %8.3f ms  all 51: %8.1f ms\n", what, f.median,
                f.fastest, f.slowest, f.total);
}

} // namespace

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/program");
    const QString data = dir.path() + QStringLiteral("/data");
    QDir().mkpath(program);
    QDir().mkpath(data);
    const QDir demo(QStringLiteral(VELTRANE_DEMO_PROGRAM));
    for (const QString& name : demo.entryList(QDir::Files))
        QFile::copy(demo.filePath(name), program + QLatin1Char('/') + name);
    if (!writeFullDataLocation(data))
        return 1;
    ClientTable table;
    table.setDataPath(data);
    if (table.LoadClients().error || table.NumClients != ClientTable::MaxClients)
        return 1;

    // The same work without touching the disk: reading the files' bytes, scoring and composing in memory.
    QFile qnb(program + QStringLiteral("/QNB.TXT")), rpt(program + QStringLiteral("/QNRPT.TXT"));
    if (!qnb.open(QIODevice::ReadOnly) || !rpt.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray qnbBytes = qnb.readAll(), rptBytes = rpt.readAll();
    QMap<QString, QByteArray> paragraphFiles;
    for (const char* name : {"QN_TRU.TXT", "QN_AL.TXT", "QN_DG.TXT", "QN_ANG.TXT", "QN_SC.TXT", "INVAL.TXT"}) {
        QFile f(program + QLatin1Char('/') + QLatin1String(name));
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        paragraphFiles.insert(QLatin1String(name), f.readAll());
    }
    const ParagraphSource inMemory = [&](const QString& name, QByteArray& bytes) -> ScoringError {
        bytes = paragraphFiles.value(name);
        return {};
    };
    std::vector<double> composing;
    for (int round = 0; round < rounds; ++round) {
        for (int16_t n = 1; n <= table.NumClients; ++n) {
            const auto start = Clock::now();
            ScoringRun run;
            QByteArray report;
            if (LoadScoringData(qnbBytes, rptBytes, run.tables, run.wording) ||
                TakeClientSnapshot(table.Clients[n], n, run.snapshot, run.sheet))
                return 1;
            ComputeRawScores(run.tables, run.snapshot, run.sheet);
            ComputePercentiles(run.tables, run.snapshot, run.sheet);
            if (ComposeReport(run, PublisherBrandCode, inMemory, report))
                return 1;
            composing.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }

    std::vector<double> scoring, printing;
    for (int round = 0; round < rounds; ++round) {
        for (int16_t n = 1; n <= table.NumClients; ++n) {
            table.CurClient = n;
            const auto start = Clock::now();
            if (ScoringError e = ScoreAndReport(program, table, PublisherBrandCode)) {
                std::fprintf(stderr, "%s\n", qPrintable(e.message));
                return 1;
            }
            scoring.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            if (round == 0 && SaveNumberedCopy(program, n))
                return 1;
        }
    }
    for (int round = 0; round < rounds; ++round) {
        for (int n = 1; n <= table.NumClients; ++n) {
            if (RestoreNumberedCopy(program, n))
                return 1;
            PdfReportPrinter pdf(dir.path() + QStringLiteral("/report%1.pdf").arg(n));
            const auto start = Clock::now();
            const PrintOutcome out = PrintReport(program, pdf);
            printing.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            if (!out.printed()) {
                std::fprintf(stderr, "%s\n", qPrintable(out.message));
                return 1;
            }
        }
    }
    std::printf("51 clients, %d rounds\n", rounds);
    print("load, score, compose in memory, per client:", summarize(composing, rounds));
    print("score and write report.prn, per client:", summarize(scoring, rounds));
    print("print report.prn to PDF, per client:", summarize(printing, rounds));
    return 0;
}
