// The "Print Answer Sheet" command: every outcome told, a PDF offered when there is no printer, the main menu's
// item that starts it; the sheet as PDF read back mark for mark, and one real print through CUPS that must come out
// at actual size and read back as a sheet.

#include "AnswerSheet.h"
#include "AnswerSheetPrinting.h"
#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "FilledSheet.h"
#include "Profile.h"
#include "ScanSheet.h"
#include "SelectDataDrive.h"
#include "TestDefinition.h"
#include "frmMainMenu.h"

#include <QMenu>
#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Env {
    TestProgramDir program;
    QTemporaryDir out;
    Profile settings{program.path() + QStringLiteral("/Quillan.ini")};
    DataWorkspace workspace{program.path(), settings};
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock;
    AppContext ctx{table, flags, prompts, clock, settings, workspace, program.path()};

    QString icons() const
    {
        QString s;
        for (const FakePrompts::Shown& b : prompts.shown)
            s += b.icon == Prompts::Icon::Information ? 'I' : b.icon == Prompts::Icon::Critical ? 'C' : 'Q';
        return s;
    }
};

class NoDrive final : public DriveChooser {
public:
    QString chooseDrive() override { return {}; }
};

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

int lastCompletedJob(const QString& queue)
{
    int last = 0;
    const QRegularExpression re(QStringLiteral("^%1-(\\d+)\\s").arg(queue), QRegularExpression::MultilineOption);
    for (auto it = re.globalMatch(run("lpstat", {"-W", "completed", "-o", queue})); it.hasNext();)
        last = std::max(last, it.next().captured(1).toInt());
    return last;
}

} // namespace

class TestPrintAnswerSheet : public QObject {
    Q_OBJECT
private slots:
    void outcome_isTold_andPdfOfferedWithoutPrinter()
    {
        using S = PrintOutcome::Status;
        struct Case {
            S status;
            bool acceptPdf;
            QString chosen; // in a temporary folder
            QString icons;
        };
        const Case cases[] = {{S::Printed, false, "", "I"},
                              {S::Failed, false, "", "C"},
                              {S::NoPrinter, true, "sheet.pdf", "QI"},
                              {S::NoPrinter, false, "", "Q"},
                              {S::NoPrinter, true, "no/sheet.pdf", "QC"}};
        for (const Case& c : cases) {
            Env e;
            int printedItems = 0;
            AnswerSheetOutput output;
            output.print = [&](const AnswerSheet& sheet) {
                printedItems = static_cast<int>(sheet.items().size());
                return PrintOutcome{c.status, c.status != S::Printed ? QStringLiteral("No printer here.") : QString()};
            };
            output.choosePdfFile = [&](QWidget*, const QString& suggested) {
                return suggested.endsWith("AnswerSheet.pdf") && !c.chosen.isEmpty() ? e.out.filePath(c.chosen)
                                                                                    : QString();
            };
            e.prompts.answers << (c.acceptPdf ? Prompts::Answer::Yes : Prompts::Answer::No);
            RunPrintAnswerSheet(e.ctx, nullptr, output);
            QCOMPARE(printedItems, NumScanItems);
            QCOMPARE(e.icons(), c.icons);
            const bool saved = c.icons == "QI";
            QCOMPARE(!c.chosen.isEmpty() && QFile::exists(e.out.filePath(c.chosen)), saved);
            if (saved)
                QVERIFY(e.prompts.shown.last().text.contains(e.out.filePath("sheet.pdf")));
        }
    }

    void mainMenu_printAnswerSheetItem_runsItsHook()
    {
        Env e;
        NoDrive drive;
        QWidget* printedFrom = nullptr;
        MainMenuActivities activities;
        activities.printAnswerSheet = [&](QWidget* p) { printedFrom = p; };
        frmMainMenu menu(e.ctx, drive, activities);
        QVERIFY(menu.findChild<QMenu*>("mnuOptions")->actions().contains(menu.printAnswerSheetAction()));
        menu.printAnswerSheetAction()->trigger();
        QCOMPARE(printedFrom, &menu);
    }

    // The sheet drawn to PDF, rendered back at 100 dpi by poppler's pdftoppm as a scanner would see the printed page,
    // marked, and read back mark for mark.
    void printedSheet_markedByHand_readsEveryMarkBack()
    {
        const QList<ScanItem> items = DemoScanItems();
        const AnswerSheet sheet(items);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        QCOMPARE(sheet.writePdf(pdf), QString());

        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        QVERIFY2(!pdftoppm.isEmpty(), "pdftoppm (poppler-utils) is needed to render the printed sheet");
        run(pdftoppm, {"-r", "100", "-gray", "-singlefile", pdf, dir.filePath("page")});
        QImage page(dir.filePath(QStringLiteral("page.pgm")));
        QCOMPARE(page.size(), QSize(850, 1400)); // one legal page, edge to edge
        page = page.convertToFormat(QImage::Format_RGB32);

        // Mark the rendered page where the printed bubbles are, as a client's pencil would.
        const SheetAnswers answers = SheetAnswers::random(2024);
        FilledSheet pencil(items);
        pencil.markAll(answers, 80, 12.0);
        {
            QPainter p(&page);
            p.setRenderHint(QPainter::Antialiasing);
            pencil.paintMarks(p);
        }

        TestProgramDir program;
        DataWorkspace workspace(program.path(), Profile(program.path() + QStringLiteral("/Quillan.ini")));
        const ScanOutcome outcome = ScanSheet(AcquiredPage{page, 0, QString()}, workspace, QDate(2026, 3, 1));
        QVERIFY2(outcome.ok, qPrintable(outcome.failure.text));
        const SheetReading& r = outcome.reading;
        QCOMPARE(QPoint(r.AnchorPoint.x, r.AnchorPoint.y), AnswerSheet::AnchorBox.topLeft());
        QCOMPARE(r.SheetAngle, 0.0f);
        QString read = r.Gender + r.Race + r.Education + r.Marital;
        QString marked =
            QString::asprintf("%d%d%d%d", answers.gender, answers.race, answers.education, answers.marital);
        for (int i = 0; i < 5; ++i) {
            read += r.CourtCounts[i];
            marked += QString::number(answers.court[i]);
        }
        QCOMPARE(read + QString(r.DateText).remove('/').remove(4, 2) + r.Responses,
                 marked + answers.dob + answers.responses);
        QCOMPARE(r.MultiMarks.entries(), QStringList());
    }

    void realPrinter_printsAtActualSize()
    {
        const QString queue = QPrinterInfo::defaultPrinterName();
        if (queue.isEmpty() || !run("lpstat", {"-r"}).contains("is running"))
            QSKIP("No CUPS scheduler with a default queue; run scripts/start-cups.sh as root.");
        if (!QFileInfo(QStringLiteral("/var/spool/cups")).isReadable() ||
            QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("The job copies in /var/spool/cups are not readable here, or poppler-utils is missing.");
        const int before = lastCompletedJob(queue);
        const QList<ScanItem> items = DemoScanItems();
        const PrintOutcome out = PrintAnswerSheet(AnswerSheet(items));
        QVERIFY2(out.printed(), qPrintable(out.message));
        QTRY_VERIFY_WITH_TIMEOUT(lastCompletedJob(queue) > before, 30000);
        const QString job = QStringLiteral("/var/spool/cups/d%1-001").arg(lastCompletedJob(queue), 5, 10, QChar('0'));
        QVERIFY(run("pdfinfo", {job}).contains(QRegularExpression("Page size:\\s+612 x 1008 pts")));

        // The printed page, scanned back at 100 dpi, registers and reads as an unmarked sheet.
        QTemporaryDir dir;
        run("pdftoppm", {"-r", "100", "-gray", "-png", "-singlefile", job, dir.filePath("page")});
        const QImage page(dir.filePath("page.png"));
        QCOMPARE(page.size(), AnswerSheet::PageSize);
        TestProgramDir program;
        DataWorkspace workspace(program.path(), Profile(program.path() + "/Quillan.ini"));
        const ScanOutcome read = ScanSheet(AcquiredPage{page, 0, {}}, workspace, QDate(2026, 3, 15));
        QVERIFY2(read.ok, qPrintable(read.failure.text));
        QCOMPARE(read.reading.Responses, QString(NumItems, '0'));
        QVERIFY(std::abs(read.reading.SheetAngle) < 0.2);
    }
};

QTEST_MAIN(TestPrintAnswerSheet)
#include "test_print_answer_sheet.moc"
