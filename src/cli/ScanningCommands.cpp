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

QString jsonString(const QString& s)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString jsonArray(const QStringList& items)
{
    QStringList quoted;
    for (const QString& s : items)
        quoted << jsonString(s);
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

} // namespace

int AnswerSheetCommand(const QStringList& args)
{
    const Options o = parse(args, true);
    if (!o.error.isEmpty() || o.pdf.isEmpty() || !o.positional.isEmpty()) {
        std::fprintf(stderr, "usage: veltrane-cli answer-sheet [--program-dir DIR] --pdf FILE\n");
        return 2;
    }
    const QString programDir = CommandProgramDir(o.programDir);
    if (programDir.isEmpty())
        return 1;
    DataWorkspace workspace(programDir, Profile(programDir + QStringLiteral("/Quillan.ini")));
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
    if (!o.error.isEmpty() || o.positional.size() != 1) {
        std::fprintf(stderr, "usage: veltrane-cli read-sheet [--program-dir DIR] IMAGE\n");
        return 2;
    }
    const QString programDir = CommandProgramDir(o.programDir);
    if (programDir.isEmpty())
        return 1;
    DataWorkspace workspace(programDir, Profile(programDir + QStringLiteral("/Quillan.ini")));
    FileScanner scanner(o.positional.first());
    const ScanOutcome outcome = ScanSheet(scanner.acquire(), workspace, SystemClock().today());
    if (!outcome.ok)
        return fail(outcome.failure.text);
    const SheetReading& r = outcome.reading;
    const QStringList court(r.CourtCounts.begin(), r.CourtCounts.end());
    const QString json =
        QStringLiteral("{\"gender\": %1, \"race\": %2, \"education\": %3, \"marital\": %4, "
                       "\"court\": %5, \"dob\": %6, \"responses\": %7, \"multi_marks\": %8, "
                       "\"sheet_angle\": %9}\n")
            .arg(jsonString(r.Gender), jsonString(r.Race), jsonString(r.Education), jsonString(r.Marital),
                 jsonArray(court), jsonString(r.DateText), jsonString(r.Responses), jsonArray(r.MultiMarks.entries()),
                 QString::number(r.SheetAngle, 'g', 6));
    std::fputs(json.toUtf8().constData(), stdout);
    return 0;
}
