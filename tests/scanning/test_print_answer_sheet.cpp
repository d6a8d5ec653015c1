// The "Print Answer Sheet" command: every outcome told, a PDF offered when there is no printer, the main menu's
// item that starts it, and one real print through CUPS that must come out at actual size and read back as a sheet.

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

    void realPrinter_printsAtActualSize()
    {
        const QString queue = QPrinterInfo::defaultPrinterName();
        if (queue.isEmpty() || !run("lpstat", {"-r"}).contains("is running"))
            QSKIP("No CUPS scheduler with a default queue; run scripts/start-cups.sh as root.");
        if (!QFileInfo(QStringLiteral("/var/spool/cups")).isReadable() ||
            QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("The job copies in /var/spool/cups are not readable here, or poppler-utils is missing.");
        const int before = lastCompletedJob(queue);
        QList<ScanItem> items = DemoScanItems();
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
        const ScanOutcome read = ReadSheetImage(AcquiredPage{page, 0, {}}, items, QDate(2026, 3, 15));
        QVERIFY2(read.ok, qPrintable(read.failure.text));
        QCOMPARE(read.reading.Responses, QString(NumItems, '0'));
        QVERIFY(std::abs(read.reading.SheetAngle) < 0.2);
    }
};

QTEST_MAIN(TestPrintAnswerSheet)
#include "test_print_answer_sheet.moc"
