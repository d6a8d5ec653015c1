// veltrane-cli answer-sheet and read-sheet: the printable answer sheet as PDF, and reading one sheet image the way
// a scan does.

#include "Commands.h"

#include "AnswerSheet.h"
#include "Clock.h"
#include "DataWorkspace.h"
#include "FileScanner.h"
#include "Profile.h"
#include "ScanItem.h"
#include "ScanSheet.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

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

} // namespace

int AnswerSheetCommand(const QStringList& args)
{
    const Options o = parse(args, true);
    if (!o.error.isEmpty() || o.programDir.isEmpty() || o.pdf.isEmpty() || !o.positional.isEmpty()) {
        std::fprintf(stderr, "usage: veltrane-cli answer-sheet --program-dir DIR --pdf FILE\n");
        return 2;
    }
    DataWorkspace workspace(o.programDir, Profile(o.programDir + QStringLiteral("/Quillan.ini")));
    QString problem;
    std::unique_ptr<DataWorkspace::Database> database = workspace.OpenQuestionDatabase(&problem);
    if (!database)
        return fail(problem);
    QList<ScanItem> items;
    problem = LoadScanItems(database->db(), QDir::toNativeSeparators(database->path()), items);
    database.reset();
    if (!problem.isEmpty())
        return fail(problem);
    problem = AnswerSheet(items).writePdf(o.pdf);
    if (!problem.isEmpty())
        return fail(problem);
    return 0;
}

int ReadSheetCommand(const QStringList& args)
{
    const Options o = parse(args, false);
    if (!o.error.isEmpty() || o.programDir.isEmpty() || o.positional.size() != 1) {
        std::fprintf(stderr, "usage: veltrane-cli read-sheet --program-dir DIR IMAGE\n");
        return 2;
    }
    DataWorkspace workspace(o.programDir, Profile(o.programDir + QStringLiteral("/Quillan.ini")));
    FileScanner scanner(o.positional.first());
    const ScanOutcome outcome = ScanSheet(scanner.acquire(), workspace, SystemClock().today());
    if (!outcome.ok)
        return fail(outcome.failure.text);
    const SheetReading& r = outcome.reading;
    const QStringList court(r.CourtCounts.begin(), r.CourtCounts.end());
    const QJsonObject json{{QStringLiteral("gender"), r.Gender},
                           {QStringLiteral("race"), r.Race},
                           {QStringLiteral("education"), r.Education},
                           {QStringLiteral("marital"), r.Marital},
                           {QStringLiteral("court"), QJsonArray::fromStringList(court)},
                           {QStringLiteral("dob"), r.DateText},
                           {QStringLiteral("responses"), r.Responses},
                           {QStringLiteral("multi_marks"), QJsonArray::fromStringList(r.MultiMarks.entries())},
                           {QStringLiteral("sheet_angle"), QString::number(r.SheetAngle, 'g', 6).toDouble()}};
    std::fputs(QJsonDocument(json).toJson(QJsonDocument::Compact).append('\n').constData(), stdout);
    return 0;
}
