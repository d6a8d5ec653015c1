// veltrane-cli answer-sheet and read-sheet: the printable answer sheet as PDF, and reading sheet images the way a
// scan does, one JSON line for each.

#include "Commands.h"

#include "AnswerSheet.h"
#include "Clock.h"
#include "DataWorkspace.h"
#include "FileScanner.h"
#include "PrivateFile.h"
#include "Profile.h"
#include "ScanItem.h"
#include "ScanSheet.h"
#include "Settings.h"

#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

const char* kAnswerSheetUsage =
    "usage: veltrane-cli answer-sheet [--program-dir DIR] --pdf FILE\n"
    "\n"
    "Writes the blank answer sheet, drawn from the ScanItem table of the question database, as a one-page\n"
    "legal-size PDF at actual size, for printing and filling in by pencil.\n"
    "\n"
    "  --program-dir DIR  the program folder (qn.mdb); by default the folder the program runs on\n"
    "  --pdf FILE         the PDF (mode 0600, in place only when complete); never a file of the program folder,\n"
    "                     the site folder or the data location, a device, a pipe or a link\n"
    "\n"
    "Exit status: 0 written; 1 the question database or FILE is unusable; 2 bad arguments.\n";

const char* kReadSheetUsage =
    "usage: veltrane-cli read-sheet [--program-dir DIR] IMAGE...\n"
    "\n"
    "Reads answer-sheet images (PNM, PNG, BMP, JPEG) the way a scan does and prints one JSON object a line for\n"
    "each, in the order given: what the sheet holds, or why it was refused. One image is read as a scan reads\n"
    "it, leaving Raw.bmp and Scan.bmp in the program folder; several are only read.\n"
    "\n"
    "  --program-dir DIR  the program folder (qn.mdb); by default the folder the program runs on\n"
    "\n"
    "Exit status: 0 every sheet read; 1 any refused, or the question database unusable; 2 bad arguments.\n";

bool wantsHelp(const QStringList& args, const char* usage)
{
    if (!args.contains(QStringLiteral("--help")) && !args.contains(QStringLiteral("-h")))
        return false;
    std::fputs(usage, stdout);
    return true;
}

struct Options {
    QString programDir;
    QString pdf;
    QStringList positional;
    QString error;
};

Options parse(const QStringList& args, bool wantsPdf)
{
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--program-dir") && i + 1 < args.size())
            o.programDir = args[++i];
        else if (wantsPdf && a == QLatin1String("--pdf") && i + 1 < args.size())
            o.pdf = args[++i];
        else if (a.startsWith(QLatin1String("--")))
            o.error = QStringLiteral("unknown or incomplete option %1").arg(a);
        else
            o.positional << a;
    }
    return o;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 1;
}

const char* stateName(MarkState state)
{
    switch (state) {
    case MarkState::Multiple:
        return "multiple";
    case MarkState::Uncertain:
        return "uncertain";
    case MarkState::Read:
        break;
    }
    return "read";
}

QJsonArray strings(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

// One line of output: what the sheet holds, or why it was refused.
QByteArray sheetLine(const QString& file, const ScanOutcome& o)
{
    QJsonObject j;
    j.insert(QStringLiteral("file"), file);
    if (!o.ok) {
        j.insert(QStringLiteral("error"), o.failure.text);
    } else {
        const SheetReading& r = o.reading;
        j.insert(QStringLiteral("gender"), r.Gender);
        j.insert(QStringLiteral("race"), r.Race);
        j.insert(QStringLiteral("education"), r.Education);
        j.insert(QStringLiteral("marital"), r.Marital);
        j.insert(QStringLiteral("court"), strings(QStringList(r.CourtCounts.begin(), r.CourtCounts.end())));
        j.insert(QStringLiteral("dob"), r.DateText);
        j.insert(QStringLiteral("responses"), r.Responses);
        j.insert(QStringLiteral("multi_marks"), strings(r.MultiMarks.entries()));
        j.insert(QStringLiteral("uncertain"), strings(r.uncertainNames()));
        j.insert(QStringLiteral("sheet_angle"), qRound(r.SheetAngle * 1000) / 1000.0);
        QJsonArray locations;
        for (const LocationReading& l : r.Locations) {
            QJsonArray darkness;
            for (float d : l.darkness)
                darkness.append(qRound(d * 1000) / 1000.0);
            QJsonObject location;
            location.insert(QStringLiteral("name"), l.name);
            location.insert(QStringLiteral("state"), QLatin1String(stateName(l.state)));
            location.insert(QStringLiteral("darkness"), darkness);
            locations.append(location);
        }
        j.insert(QStringLiteral("locations"), locations);
    }
    return QJsonDocument(j).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

int AnswerSheetCommand(const QStringList& args)
{
    if (wantsHelp(args, kAnswerSheetUsage))
        return 0;
    const Options o = parse(args, true);
    if (!o.error.isEmpty() || o.pdf.isEmpty() || !o.positional.isEmpty()) {
        std::fprintf(stderr, "%s", kAnswerSheetUsage);
        return 2;
    }
    const QString programDir = CommandProgramDir(o.programDir);
    if (programDir.isEmpty())
        return 1;
    const Profile settings(programDir + QStringLiteral("/Quillan.ini"));
    const QStringList own = CommandOwnFolders(programDir, GetINIFilePath(settings));
    // Checked before the question database is opened, and not again when the sheet is written.
    const PrivateFile::CheckedOutput target = PrivateFile::CheckOutput(o.pdf, own);
    if (target.refused())
        return fail(QStringLiteral("The answer sheet was not saved. %1").arg(target.refusal()));
    DataWorkspace workspace(programDir, settings);
    QString problem;
    std::unique_ptr<DataWorkspace::Database> database = workspace.OpenQuestionDatabase(&problem);
    if (!database)
        return fail(problem);
    QList<ScanItem> items;
    problem = LoadScanItems(database->db(), QDir::toNativeSeparators(database->path()), items);
    database.reset();
    if (!problem.isEmpty())
        return fail(problem);
    problem = AnswerSheet(items).writePdf(target);
    if (!problem.isEmpty())
        return fail(problem);
    return 0;
}

int ReadSheetCommand(const QStringList& args)
{
    if (wantsHelp(args, kReadSheetUsage))
        return 0;
    const Options o = parse(args, false);
    if (!o.error.isEmpty() || o.positional.isEmpty()) {
        std::fprintf(stderr, "%s", kReadSheetUsage);
        return 2;
    }
    const QString programDir = CommandProgramDir(o.programDir);
    if (programDir.isEmpty())
        return 1;
    DataWorkspace workspace(programDir, Profile(programDir + QStringLiteral("/Quillan.ini")));
    const QDate today = SystemClock().today();
    const QStringList& files = o.positional;
    std::vector<QByteArray> lines(static_cast<size_t>(files.size()));
    std::vector<char> failed(static_cast<size_t>(files.size()), 0);

    if (files.size() == 1) {
        // One sheet is read as a scan reads it: its images are left in the program folder and the positions
        // found are written back.
        const ScanOutcome outcome = ScanSheet(FileScanner(files.first()).acquire(), workspace, today);
        lines[0] = sheetLine(files.first(), outcome);
        failed[0] = !outcome.ok;
    } else {
        // A batch only reads: the layout once, then the sheets on every core, printed in the order given.
        QString problem;
        std::unique_ptr<DataWorkspace::Database> database = workspace.OpenQuestionDatabase(&problem);
        QList<ScanItem> items;
        if (database)
            problem = LoadScanItems(database->db(), QDir::toNativeSeparators(database->path()), items);
        database.reset();
        if (!problem.isEmpty())
            return fail(problem);
        std::atomic<qsizetype> next{0};
        std::mutex mutex;
        std::condition_variable done;
        const auto work = [&] {
            for (qsizetype i = next++; i < files.size(); i = next++) {
                QList<ScanItem> layout = items;
                const ScanOutcome outcome = ReadSheetImage(FileScanner(files[i]).acquire(), layout, today);
                QByteArray line = sheetLine(files[i], outcome);
                const std::lock_guard<std::mutex> lock(mutex);
                lines[static_cast<size_t>(i)] = std::move(line);
                failed[static_cast<size_t>(i)] = !outcome.ok;
                done.notify_all();
            }
        };
        // Each sheet in work holds up to a few hundred megabytes: more cores do not mean more memory.
        constexpr int kMostThreads = 4;
        const int threads = static_cast<int>(
            std::clamp<qsizetype>(std::min(QThread::idealThreadCount(), kMostThreads), 1, files.size()));
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work);
        // Each line is printed as soon as it and every line before it are ready.
        std::thread printer([&] {
            for (size_t i = 0; i < lines.size(); ++i) {
                std::unique_lock<std::mutex> lock(mutex);
                done.wait(lock, [&] { return !lines[i].isEmpty(); });
                std::fwrite(lines[i].constData(), 1, static_cast<size_t>(lines[i].size()), stdout);
                std::fflush(stdout);
            }
        });
        work();
        for (std::thread& t : pool)
            t.join();
        printer.join();
        bool anyFailed = false;
        for (size_t i = 0; i < lines.size(); ++i)
            anyFailed = anyFailed || failed[i];
        return anyFailed ? 1 : 0;
    }
    std::fwrite(lines[0].constData(), 1, static_cast<size_t>(lines[0].size()), stdout);
    return failed[0] ? 1 : 0;
}
