// The report window and the batch printing window driven from the keyboard: the report shown sheet by sheet, the
// printouts, and what happens when there is no printer.

#include "MenuButtons.h"
#include "Panel3D.h"
#include "ReportOutput.h"
#include "ReportWindowHarness.h"
#include "WindowRoutines.h"
#include "frmPrintSelected.h"
#include "frmViewReport.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

namespace {

QList<ClientRecord> FourClients()
{
    return {TestClient(1), TestClient(2), TestClient(3), PlainClient()};
}

QByteArray Expected(const QString& name)
{
    return ReadBytes(ScoringDataDir() + QStringLiteral("/expected/") + name);
}

// Keys typed at whatever has the focus: words such as "space down tab enter" or "alt+p".
void typeKeys(const QString& script)
{
    static const QHash<QString, Qt::Key> keys{{"space", Qt::Key_Space}, {"down", Qt::Key_Down}, {"up", Qt::Key_Up},
                                              {"tab", Qt::Key_Tab},     {"backtab", Qt::Key_Backtab},
                                              {"enter", Qt::Key_Return}, {"alt+p", Qt::Key_P}, {"alt+c", Qt::Key_C}};
    for (const QString& word : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus, qPrintable(word));
        QVERIFY2(keys.contains(word), qPrintable(word));
        QTest::keyClick(focus, keys[word], word.startsWith(QStringLiteral("alt+")) ? Qt::AltModifier : Qt::NoModifier);
    }
}

int pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString TestClientName(int n)
{
    return FourClients().at(n - 1).Name.trimmed();
}

// Prints one report, then jams.
class JammingPrinter final : public ReportPrinter {
public:
    int printed = 0;
    PrintOutcome print(const PrintJob&) override
    {
        if (printed == 1)
            return {PrintOutcome::Status::Failed, QStringLiteral("Paper jam.")};
        ++printed;
        return {};
    }
};

} // namespace

class TestReportWindows : public QObject {
    Q_OBJECT
private slots:
    void viewReport_showsTheClientsReportSheetBySheet_data()
    {
        QTest::addColumn<int>("client");
        QTest::addColumn<QString>("brand");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("sheets");
        QTest::newRow("normal report") << 1 << "N" << "client1-normal.prn" << 4;
        QTest::newRow("omitted scales") << 2 << "N" << "client2-omitted.prn" << 3;
        QTest::newRow("invalid report, distributor's brand") << 3 << "D" << "client3-invalid.prn" << 1;
    }
    void viewReport_showsTheClientsReportSheetBySheet()
    {
        QFETCH(int, client);
        QFETCH(QString, brand);
        QFETCH(QString, expected);
        QFETCH(int, sheets);
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        h.table.CurClient = static_cast<int16_t>(client);
        h.ctx.BrandCode = brand;
        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(w.reportShown());
        QCOMPARE(w.windowTitle(), QStringLiteral("Client Report"));
        QVERIFY(h.flags.ContinueFlag);
        // The window scored the client itself: report.prn is the hand-derived report, and the screen shows it.
        QCOMPARE(ReadBytes(ReportFilePath(h.program)), Expected(expected));
        const QList<QStringList> shown = ShownPages(w.Text1());
        QCOMPARE(shown.size(), sheets);
        QCOMPARE(shown, ReportFilePages(Expected(expected)));
        QVERIFY(QFontInfo(w.Text1()->font()).fixedPitch());
        QVERIFY(w.Text1()->isReadOnly());
        QVERIFY(h.prompts.shown.isEmpty());
        QVERIFY(h.printer.jobs.isEmpty());
    }

    void printReport_fromTheKeyboard_printsOneSheetPerReportPage_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::newRow("Tab to the button, Enter") << "tab enter";
        QTest::newRow("Alt+P") << "alt+p";
        QTest::newRow("twice") << "tab enter enter";
    }
    void printReport_fromTheKeyboard_printsOneSheetPerReportPage()
    {
        QFETCH(QString, keys);
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(w.reportShown());
        typeKeys(keys);
        // A mnemonic clicks its button after a short animation.
        QTRY_COMPARE(h.printer.jobs.size(), keys.count(QStringLiteral("enter")) + keys.count(QStringLiteral("alt+p")));
        for (const PrintJob& job : h.printer.jobs) {
            QCOMPARE(job.fontFamily, QStringLiteral("Courier New"));
            QCOMPARE(job.pointSize, 11.5);
            QCOMPARE(job.pages, ReportFilePages(Expected(QStringLiteral("client1-normal.prn"))));
        }
        QVERIFY(w.cmdPrintReport()->isEnabled());
        QVERIFY(w.cmdCancel()->isEnabled());
        QVERIFY(w.isVisible());
        QVERIFY(h.prompts.shown.isEmpty()); // a print that came out needs no box
        typeKeys(QStringLiteral("alt+c"));
        QTRY_VERIFY(!w.isVisible());
    }

    void printReport_withoutPrinter_offersAPdfFile_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QList<Prompts::Answer>>("answers");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<Prompts::Icon>>("icons");
        const int none = static_cast<int>(PrintOutcome::Status::NoPrinter);
        const int failed = static_cast<int>(PrintOutcome::Status::Failed);
        using A = Prompts::Answer;
        using I = Prompts::Icon;
        QTest::newRow("saved; a second print keeps the first file")
            << none << QList<A>{A::Yes} << QStringList{"VLT report client 2 2026-12-06.pdf", "VLT report client 2 2026-12-06 (2).pdf"}
            << QList<I>{I::Question, I::Information, I::Information};
        QTest::newRow("declined: nothing saved, said not printed")
            << none << QList<A>{A::No, A::Ok, A::No} << QStringList{}
            << QList<I>{I::Question, I::Critical, I::Question, I::Critical};
        QTest::newRow("printer failed: no offer") << failed << QList<A>{} << QStringList{}
                                                  << QList<I>{I::Critical, I::Critical};
    }
    void printReport_withoutPrinter_offersAPdfFile()
    {
        QFETCH(int, status);
        QFETCH(QList<Prompts::Answer>, answers);
        QFETCH(QStringList, files);
        QFETCH(QList<Prompts::Icon>, icons);
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        h.table.CurClient = 2;
        const QString why = QStringLiteral("The printer says no.");
        h.printer.refuseWith = PrintOutcome{static_cast<PrintOutcome::Status>(status), why};
        for (Prompts::Answer a : answers)
            h.prompts.answers << a;
        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(w.reportShown());
        w.PrintReport();
        w.PrintReport();

        QList<Prompts::Icon> shownIcons;
        for (const FakePrompts::Shown& s : h.prompts.shown) {
            shownIcons << s.icon;
            // Every box says why nothing reached paper; none claims a print.
            QVERIFY2(s.text.contains(why) || s.text.contains(QStringLiteral("There is no printer")), qPrintable(s.text));
            QVERIFY(!s.text.contains(QStringLiteral("printed.")) || s.text.contains(QStringLiteral("not printed")));
        }
        QCOMPARE(shownIcons, icons);
        const FakePrompts::Shown& first = h.prompts.shown.first();
        if (first.icon == Prompts::Icon::Question) {
            QCOMPARE(first.title, QStringLiteral("No Printer"));
            QCOMPARE(first.buttons, Prompts::Buttons::YesNo);
            QVERIFY(first.text.contains(QDir::toNativeSeparators(h.pdfs)));
        }
        const QStringList written = QDir(h.pdfs).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(written.begin(), written.end()), QSet<QString>(files.begin(), files.end()));
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString path = QDir(h.pdfs).filePath(files[i]);
            QVERIFY(h.prompts.shown[i + 1].text.contains(QDir::toNativeSeparators(path)));
            if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
                QCOMPARE(pdfPages(path), 3);
        }
        QVERIFY(w.cmdPrintReport()->isEnabled());
    }

    void viewReport_clientThatCannotBeScored_saysWhyAndShowsNoOldReport()
    {
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        QVERIFY(QFile::remove(h.program + QStringLiteral("/QNB.TXT")));
        QFile old(ReportFilePath(h.program));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("Somebody Else's report\r\n");
        old.close();
        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(h.prompts.shown.size(), 1);
        QCOMPARE(h.prompts.shown[0].icon, Prompts::Icon::Critical);
        QVERIFY2(h.prompts.shown[0].text.contains(QStringLiteral("QNB.TXT")), qPrintable(h.prompts.shown[0].text));
        QVERIFY(!w.Text1()->toPlainText().contains(QStringLiteral("Somebody")));
        QVERIFY(h.printer.jobs.isEmpty());
        QVERIFY(!h.flags.ContinueFlag);
    }

    void printSelected_followsTheWindowConventions()
    {
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        ReportOutput output(h.ctx, true, h.pdfs);
        frmPrintSelected w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Print Selected Reports"));
        QCOMPARE(w.lbNameDisplay()->count(), 4);
        QCOMPARE(w.lbNameDisplay()->item(3)->text(), QStringLiteral("4-Plain, Pat               "));
        QVERIFY(w.txtInstructions()->toPlainText().startsWith(QStringLiteral("- Select the client names of the \n")));
        QVERIFY(w.txtInstructions()->toPlainText().endsWith(QStringLiteral("  return to the Main Menu.")));
        QVERIFY(w.lbNameDisplay()->hasFocus());
        QCOMPARE(w.fraClient()->palette().color(QPalette::Window), HighlightColor);
        QVERIFY(w.fraClient()->font().bold());
        QVERIFY(!w.lbNameDisplay()->font().bold());
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Use up or down arrow keys or mouse to select client."));
        // Nothing chosen, nothing to print: Tab passes over the disabled print button.
        QVERIFY(!w.menu().button(0)->isEnabled());
        typeKeys(QStringLiteral("tab"));
        QVERIFY(w.menu().button(1)->hasFocus());
        QCOMPARE(w.fraClient()->palette().color(QPalette::Window), NormalColor);
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Select all client reports for printing"));
        QCOMPARE(w.menu().panel(1)->backColor(), HighlightColor);
        typeKeys(QStringLiteral("tab"));
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Cancel selections and printing."));
        typeKeys(QStringLiteral("tab space"));
        QVERIFY(w.lbNameDisplay()->item(0)->isSelected());
        QVERIFY(w.menu().button(0)->isEnabled());
        typeKeys(QStringLiteral("tab"));
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Print selected client reports"));
        QVERIFY(h.printer.jobs.isEmpty());
    }

    void printSelected_printsTheChosenClientsInListOrder_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QList<int>>("clients");
        QTest::addColumn<int>("curClient");
        QTest::newRow("rows 1 and 4") << "space down down down space tab enter" << QList<int>{1, 4} << 4;
        QTest::newRow("chosen bottom up, printed top down") << "down down space up space tab enter"
                                                           << QList<int>{2, 3} << 3;
        QTest::newRow("Select All") << "tab enter backtab enter" << QList<int>{1, 2, 3, 4} << 4;
        QTest::newRow("Return to Main Menu") << "space tab tab tab enter" << QList<int>{} << 1;
    }
    void printSelected_printsTheChosenClientsInListOrder()
    {
        QFETCH(QString, keys);
        QFETCH(QList<int>, clients);
        QFETCH(int, curClient);
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        ReportOutput output(h.ctx, true, h.pdfs);
        frmPrintSelected w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        typeKeys(keys);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(h.printer.jobs.size(), clients.size());
        for (qsizetype j = 0; j < clients.size(); ++j) {
            const QString name = TestClientName(clients[j]);
            for (const QStringList& page : h.printer.jobs[j].pages)
                QVERIFY2(PageText(page).contains(name), qPrintable(name));
            // Each numbered copy holds the report printed in its place.
            const QList<QStringList> copy = ReportFilePages(ReadBytes(h.program + QStringLiteral("/temp%1").arg(j + 1)));
            QCOMPARE(copy, h.printer.jobs[j].pages);
        }
        QCOMPARE(h.table.CurClient, curClient);
        QCOMPARE(h.flags.ContinueFlag, !clients.isEmpty());
        QVERIFY(h.prompts.shown.isEmpty());
    }

    void printSelected_withoutPrinter_asksOnceAndSavesEveryReport()
    {
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        h.printer.refuseWith = PrintOutcome{PrintOutcome::Status::NoPrinter, QStringLiteral("No printer here.")};
        ReportOutput output(h.ctx, true, h.pdfs);
        frmPrintSelected w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        typeKeys(QStringLiteral("tab enter backtab enter"));
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(h.prompts.shown.size(), 2);
        QCOMPARE(h.prompts.shown[0].buttons, Prompts::Buttons::YesNo);
        QVERIFY(h.prompts.shown[0].text.contains(QStringLiteral("PDF files")));
        QVERIFY2(h.prompts.shown[1].text.contains(QStringLiteral("4 reports were saved as PDF files")),
                 qPrintable(h.prompts.shown[1].text));
        QCOMPARE(QDir(h.pdfs).entryList(QDir::Files).size(), 4);
        QVERIFY(QFile::exists(h.pdfs + QStringLiteral("/VLT report client 4 2026-12-06.pdf")));
        QVERIFY(h.flags.ContinueFlag);
    }

    void printSelected_printerFailsMidway_saysWhichAndStops()
    {
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), FourClients()));
        JammingPrinter jamming;
        h.ctx.printer = &jamming;
        ReportOutput output(h.ctx, true, h.pdfs);
        frmPrintSelected w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        typeKeys(QStringLiteral("space down down space down space tab enter"));
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(jamming.printed, 1);
        QCOMPARE(h.prompts.shown.size(), 1);
        const QString text = h.prompts.shown[0].text;
        QVERIFY2(text.contains(QStringLiteral("client 3 was not printed")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Paper jam.")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("1 of the 3 chosen reports came out")), qPrintable(text));
        QVERIFY(!h.flags.ContinueFlag);
    }
};

QTEST_MAIN(TestReportWindows)
#include "test_report_windows.moc"
