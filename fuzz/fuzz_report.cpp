// Scores an arbitrary 184-byte client record against the demo installation and composes its report; the bytes after
// the record replace the Alcohol paragraph file. Checks that the report can be cut into pages again, and that the
// backup check of the whole input accepts only whole records.

#include "ClientFileBackup.h"
#include "ReportPrinting.h"
#include "ReportWriter.h"
#include "Scoring.h"

#include <QFile>
#include <cstdint>

namespace {

QByteArray demoFile(const char* name)
{
    QFile f(QStringLiteral(VELTRANE_DEMO_PROGRAM "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ScoringTables tables;
    static ReportWording words;
    static const bool loaded = !LoadScoringData(demoFile("QNB.TXT"), demoFile("QNRPT.TXT"), tables, words).failed();
    if (!loaded)
        __builtin_trap(); // the demo installation itself must load
    const char* bytes = reinterpret_cast<const char*>(data);
    const qsizetype recordSize = std::min<qsizetype>(static_cast<qsizetype>(size), ClientRecord::Size);
    const ClientRecord client = ClientRecord::fromBytes(QByteArrayView(bytes, recordSize));
    const QByteArray alcohol(bytes + recordSize, static_cast<qsizetype>(size) - recordSize);

    // A restore checks the same bytes as a whole client file; what it accepts is whole records.
    if (CheckClientFile(QByteArrayView(bytes, static_cast<qsizetype>(size))).isEmpty() &&
        (size == 0 || size % ClientRecord::Size != 0))
        __builtin_trap();

    ScoringRun run;
    run.tables = tables;
    run.wording = words;
    if (TakeClientSnapshot(client, 1, run.snapshot, run.sheet).failed())
        return 0;
    ComputeRawScores(run.tables, run.snapshot, run.sheet);
    ComputePercentiles(run.tables, run.snapshot, run.sheet);
    for (int s = 1; s <= NumScales; ++s)
        if (run.sheet.Percentile[s] < 0 || run.sheet.Percentile[s] > 99)
            __builtin_trap();
    ParagraphSource source = [&](const QString& name, QByteArray& out) -> ScoringError {
        out =
            name == QLatin1String("QN_AL.TXT") && !alcohol.isEmpty() ? alcohol : demoFile(name.toLatin1().constData());
        return {};
    };
    QByteArray report;
    if (!ComposeReport(run, PublisherBrandCode, source, report).failed()) {
        const QList<QStringList> pages = ReportPages(QString::fromLatin1(report));
        if (pages.isEmpty())
            __builtin_trap();
    }
    return 0;
}
