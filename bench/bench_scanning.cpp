// Times the reading of answer sheets, medians of repeated runs in ms. The sheets are what scanner drivers usually
// write: 24-bit BMP files, 8.5 inches wide at 100 dpi, of the whole 850 x 1400 sheet.
//  - decoding one such file (FileScanner::decode);
//  - cleaning alone, and cleaning + registration + reading of the decoded sheet (ReadSheetImage: the page's
//    checks, cleaning, registration and its confirmation, all 138 locations), on a rendered sheet turned 1.2
//    degrees with noise;
//  - a whole scan (ScanSheet: images saved, question database read and written);
//  - with the command-line tool: a whole `read-sheet` process for one sheet file, and one process reading a batch
//    of sheet files (sheets a minute). Another build's tool may be named, to time it the same way.
//   bench_scanning [runs] [batch size] [veltrane-cli]

#include "DataWorkspace.h"
#include "FileScanner.h"
#include "FilledSheet.h"
#include "Profile.h"
#include "ScanItem.h"
#include "ScanPage.h"
#include "ScanSheet.h"

#include <QDate>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs the tool; the wall time in ms, or -1 when it failed.
double runCli(const QString& cli, const QStringList& args)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(cli, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}

// The page as a 24-bit BMP file's bytes.
QByteArray colourBmp(const QImage& page)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!page.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP") || bytes.size() < 30 || bytes[28] != 24)
        qFatal("no 24-bit BMP");
    return bytes;
}

bool saveBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qgetenv("VELTRANE_PROGRAM_DIR").isEmpty())
        qputenv("VELTRANE_PROGRAM_DIR", VELTRANE_PROGRAM_DIR);
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 31;
    const int batch = argc > 2 ? std::max(1, atoi(argv[2])) : 200;

    const QList<ScanItem> items = DemoScanItems();
    FilledSheet sheet(items);
    sheet.markAll(SheetAnswers::random(1));
    const QByteArray file = colourBmp(sheet.scan({1.2, QPointF(5, 8), 250, 5.0, 0.002, 1}));
    const QImage raw = FileScanner::decode(file, QStringLiteral("sheet.bmp")).image;
    const QDate today(2026, 1, 1);

    std::vector<double> decode, clean, read, whole;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (FileScanner::decode(file, QStringLiteral("sheet.bmp")).image.isNull())
            return 1;
        decode.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        const QImage cleaned = CleanScanImage(raw);
        clean.push_back(t.nsecsElapsed() / 1e6);

        QList<ScanItem> copy = items;
        t.restart();
        const ScanOutcome outcome = ReadSheetImage({raw, 0, QString()}, copy, today);
        read.push_back(t.nsecsElapsed() / 1e6);
        if (!outcome.ok || cleaned.isNull())
            return 1;
    }
    TestProgramDir program;
    DataWorkspace workspace(program.path(), Profile(program.path() + QStringLiteral("/Quillan.ini")));
    for (int i = 0; i < std::min(runs, 11); ++i) {
        QElapsedTimer t;
        t.start();
        if (!ScanSheet(AcquiredPage{raw, 0, QString()}, workspace, today).ok)
            return 1;
        whole.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("runs %d\n", runs);
    std::printf("decode a 24-bit BMP file (FileScanner::decode)       median %6.2f ms\n", median(decode));
    std::printf("clean (CleanScanImage)                               median %6.2f ms\n", median(clean));
    std::printf("clean + registration + reading (ReadSheetImage)      median %6.2f ms\n", median(read));
    std::printf("whole ScanSheet (images saved, database read, written) median %6.2f ms\n", median(whole));

    const QString cli = argc > 3
                            ? QString::fromLocal8Bit(argv[3])
                            : QString::fromLocal8Bit(qgetenv("VELTRANE_PROGRAM_DIR")) + QStringLiteral("/veltrane-cli");
    if (!QFileInfo(cli).isExecutable()) {
        std::printf("no %s: process timings skipped\n", qPrintable(cli));
        return 0;
    }
    const QString one = program.path() + QStringLiteral("/sheet.bmp");
    if (!saveBytes(one, file))
        return 1;
    std::vector<double> process;
    for (int i = 0; i < std::min(runs, 21); ++i) {
        const double ms =
            runCli(cli, {QStringLiteral("read-sheet"), QStringLiteral("--program-dir"), program.path(), one});
        if (ms < 0)
            return 1;
        process.push_back(ms);
    }
    std::printf("read-sheet process, one sheet file                   median %6.1f ms\n", median(process));

    // Sheets of different answers and placements, as an office's feeder gives them.
    QTemporaryDir folder;
    QStringList args = {QStringLiteral("read-sheet"), QStringLiteral("--program-dir"), program.path()};
    for (int i = 0; i < batch; ++i) {
        FilledSheet s(items);
        s.markAll(SheetAnswers::random(100 + i));
        const QString name = folder.filePath(QStringLiteral("sheet%1.bmp").arg(i, 3, 10, QLatin1Char('0')));
        if (!saveBytes(name, colourBmp(s.scan({(i % 9 - 4) * 0.3, QPointF(i % 7, i % 5), 250, 3.0, 0.001, quint32(i)}))))
            return 1;
        args << name;
    }
    const double ms = runCli(cli, args);
    if (ms < 0) {
        std::printf("read-sheet process, %d sheet files: this tool reads one file a run\n", batch);
        return 0;
    }
    std::printf("read-sheet process, %d sheet files                  %6.0f ms, %.0f sheets a minute\n", batch, ms,
                batch * 60000.0 / ms);
    return 0;
}
