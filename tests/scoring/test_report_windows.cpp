// The report window and the batch printing window driven from the keyboard: the report shown sheet by sheet, the
// printouts, and what happens when there is no printer. The whole-program roads walk Select All and the report
// window's three commands.

#include "MenuButtons.h"
#include "PdfWords.h"
#include "ReportOutput.h"
#include "ReportWindowHarness.h"
#include "frmPrintSelected.h"
#include "frmViewReport.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QList<ClientRecord> FourClients{TestClient(1), TestClient(2), TestClient(3), PlainClient()};

// Keys typed at whatever has the focus, such as "space down tab enter" or "alt+p".
void typeKeys(const QString& script)
{
    static const QHash<QString, Qt::Key> keys{
        {"space", Qt::Key_Space},     {"down", Qt::Key_Down},    {"up", Qt::Key_Up},  {"tab", Qt::Key_Tab},
        {"backtab", Qt::Key_Backtab}, {"enter", Qt::Key_Return}, {"alt+p", Qt::Key_P}};
    for (const QString& word : script.split(QLatin1Char(' ')))
        QTest::keyClick(QApplication::focusWidget(), keys.value(word),
                        word.startsWith(QStringLiteral("alt+")) ? Qt::AltModifier : Qt::NoModifier);
}

} // namespace

class TestReportWindows : public QObject {
    Q_OBJECT
private slots:
    void viewReport_showsAndPrintsTheReportSheetBySheet_data()
    {
        QTest::addColumn<int>("client");
        QTest::addColumn<QString>("brand");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("keys");
        Row("normal, four pages; Tab, Enter", 1, QString("N"), QString("client1-normal.prn"), QString("tab enter"));
        Row("omitted scales, three pages; Alt+P", 2, QString("N"), QString("client2-omitted.prn"), QString("alt+p"));
        Row("invalid, distributor; twice", 3, QString("D"), QString("client3-invalid.prn"), QString("tab enter enter"));
    }
    void viewReport_showsAndPrintsTheReportSheetBySheet()
    {
        QFETCH(int, client);
        QFETCH(QString, expected);
        QFETCH(QString, keys);
        ReportWindowHarness h;
        QVERIFY(h.setUp(FourClients));
        h.table.CurClient = static_cast<int16_t>(client);
        QFETCH(QString, brand);
        h.ctx.BrandCode = brand;
        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(w.reportShown());
        // The window scored the client itself into the hand-derived report, and shows each page on its own sheet.
        const QList<QStringList> pages = ReportFilePages(Expected(expected));
        QCOMPARE(ReadBytes(ReportFilePath(h.program)), Expected(expected));
        QCOMPARE(ShownPages(w.Text1()), pages);
        QVERIFY(h.flags.ContinueFlag);
        typeKeys(keys);
        // A mnemonic clicks its button after a short animation.
        QTRY_COMPARE(h.printer.jobs.size(), keys.count(QStringLiteral("enter")) + keys.count(QStringLiteral("alt")));
        for (const PrintJob& job : h.printer.jobs)
            QCOMPARE(job.pages, pages);
        QVERIFY(w.cmdPrintReport()->isEnabled() && w.cmdCancel()->isEnabled());
        QVERIFY(h.prompts.shown.isEmpty()); // a print that came out needs no box
    }

    void printReport_withoutPrinter_offersAPdfFile_data()
    {
        using A = Prompts::Answer;
        using I = Prompts::Icon;
        QTest::addColumn<PrintOutcome::Status>("status");
        QTest::addColumn<QList<A>>("answers");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<I>>("icons");
        Row("saved; asked once; the second keeps the first", PrintOutcome::Status::NoPrinter, QList<A>{A::Yes},
            QStringList{"VLT report client 2 2026-12-06.pdf", "VLT report client 2 2026-12-06 (2).pdf"},
            QList<I>{I::Question, I::Information, I::Information});
        Row("declined: said not printed", PrintOutcome::Status::NoPrinter, QList<A>{A::No, A::Ok, A::No}, QStringList{},
            QList<I>{I::Question, I::Critical, I::Question, I::Critical});
        Row("printer failed: no offer", PrintOutcome::Status::Failed, QList<A>{}, QStringList{},
            QList<I>{I::Critical, I::Critical});
    }
    void printReport_withoutPrinter_offersAPdfFile()
    {
        QFETCH(PrintOutcome::Status, status);
        QFETCH(QList<Prompts::Answer>, answers);
        QFETCH(QStringList, files);
        QFETCH(QList<Prompts::Icon>, icons);
        ReportWindowHarness h;
        QVERIFY(h.setUp(FourClients));
        h.table.CurClient = 2;
        h.printer.refuseWith = PrintOutcome{status, QStringLiteral("The printer says no.")};
        h.prompts.answers.append(answers);
        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QTRY_VERIFY(w.reportShown());
        w.PrintReport();
        w.PrintReport();
        QList<Prompts::Icon> shownIcons;
        for (const FakePrompts::Shown& s : h.prompts.shown)
            shownIcons << s.icon;
        QCOMPARE(shownIcons, icons);
        if (icons.first() == Prompts::Icon::Question)
            QVERIFY(h.prompts.shown[0].title == QStringLiteral("No Printer") &&
                    h.prompts.shown[0].text.contains(QStringLiteral("The printer says no.")) &&
                    h.prompts.shown[0].text.contains(QDir::toNativeSeparators(h.pdfs)));
        QStringList written = QDir(h.pdfs).entryList(QDir::Files), sorted = files;
        written.sort();
        sorted.sort();
        QCOMPARE(written, sorted);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString path = QDir(h.pdfs).filePath(files[i]);
            QVERIFY(h.prompts.shown[i + 1].text.contains(QDir::toNativeSeparators(path)));
            QCOMPARE(PdfWords(path).size(), 3);
        }
    }

    void viewReport_clientThatCannotBeScored_saysWhyAndShowsNoOldReport()
    {
        ReportWindowHarness h;
        QVERIFY(h.setUp(FourClients));
        QVERIFY(QFile::remove(h.program + QStringLiteral("/QNB.TXT")));
        WriteFile(ReportFilePath(h.program), "Somebody Else\r\n");
        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(h.prompts.shown.size(), 1);
        QVERIFY(h.prompts.shown[0].text.contains(QStringLiteral("QNB.TXT")));
        QVERIFY(!w.Text1()->toPlainText().contains(QStringLiteral("Somebody")));
        QVERIFY(h.printer.jobs.isEmpty() && !h.flags.ContinueFlag);
    }

    // A record with a field outside its form is named, with the field, and gets no report: in the report window and
    // from veltrane-cli report alike; the client list marks it.
    void damagedRecord_namedAndNeverReported_data()
    {
        QTest::addColumn<int>("offset"); // where `bytes` replace the record's; -1: the file cut to `bytes`' length
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("field");
        const auto row = [](const char* name, int offset, QByteArray bytes, const char* field) {
            QTest::newRow(name) << offset << bytes << QString::fromLatin1(field);
        };
        row("negative court count", 49, "-9", "number of drug-related arrests reads \"-9\"");
        row("court count not a number", 57, "1x", "number of anger management programs reads \"1x\"");
        row("control character in a count", 51, "\a1", "number of alcohol-related arrests reads \"?1\"");
        row("true/false answer of 3", 59 + 4, "3", "answer to item 5 reads \"3\"; items 1 to 86 take 0 to 2");
        row("letter among the answers", 59 + 99, "A", "answer to item 100 reads \"A\"; items 87 to 110 take 0 to 4");
        row("gender outside its list", 25, "7", "gender code \"7\" is not in its list");
        row("education outside its list", 38, "9", "education code \"9\" is not in its list");
        row("edit count outside its list", 182, "7", "edit count \"7\" is not in its list");
        row("impossible date of birth", 26, "02/30/1980", "date of birth is not a real date");
        row("impossible test date", 39, "13/01/2026", "test date reads \"13/01/2026\"");
        row("NUL in the name", 3, QByteArray(1, '\0'), "name holds a control character");
        row("partial last record", -1, QByteArray(150, ' '), "record is cut short");
    }
    void damagedRecord_namedAndNeverReported()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, field);
        ReportWindowHarness h;
        QVERIFY(h.setUp({TestClient(1)}));
        QByteArray file = TestClient(1).toBytes();
        offset < 0 ? file.truncate(bytes.size()) : void(file.replace(offset, bytes.size(), bytes));
        WriteFile(h.table.ClientFilePath, file);
        QVERIFY(!h.table.LoadClients().error && h.table.NumClients == 1);
        QVERIFY(h.table.listLine(1).endsWith(QStringLiteral("(damaged record)")));
        const QString named = QStringLiteral("Client 1 (%1) has a damaged record")
                                  .arg(QString::fromLatin1(file.left(25)).trimmed().replace(QChar(0), u'?'));

        ReportOutput output(h.ctx, false, h.pdfs);
        frmViewReport w(h.ctx, output);
        w.show();
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(h.prompts.shown.size(), 1);
        QVERIFY2(h.prompts.shown[0].text.contains(named) && h.prompts.shown[0].text.contains(field),
                 qPrintable(h.prompts.shown[0].text));
        QVERIFY(h.printer.jobs.isEmpty() && !QFile::exists(ReportFilePath(h.program)));

        const RunResult cli = RunProgram(ProgramDirForTests() + QStringLiteral("/veltrane-cli"),
                                         {"report", "--program-dir", h.program, "--data-dir", h.table.DataPath,
                                          "--client", "1"});
        QVERIFY2(cli.status == 1 && cli.err.contains(named) && cli.err.contains(field) && cli.out.isEmpty(),
                 qPrintable(cli.err));
        QVERIFY(!QFile::exists(ReportFilePath(h.program)));
    }

    // The batch window from the keyboard: the chosen clients, in list order, to the printer, to a printer chosen in
    // the dialog (one job), or to a PDF file each; or nothing, when the dialog or the window is cancelled.
    void printSelected_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("to"); // printer, chooser, pdf, cancelled chooser, failing printer
        QTest::addColumn<QList<int>>("clients");
        QTest::addColumn<QString>("said");
        const QString rows14 = QStringLiteral("space down down down space ");
        Row("rows 1 and 4", rows14 + "tab enter", QString("printer"), QList<int>{1, 4}, QString());
        Row("chosen bottom up", QString("down down space up space tab enter"), QString("printer"), QList<int>{2, 3},
            QString());
        Row("Return to Main Menu", QString("space tab tab tab tab tab enter"), QString("printer"), QList<int>{},
            QString());
        Row("Print to...: one job", rows14 + "tab tab enter", QString("chooser"), QList<int>{1, 4}, QString());
        Row("Print to..., cancelled: the window stays", QString("space tab tab enter"), QString("cancelled chooser"),
            QList<int>{}, QString());
        Row("Save as PDF...: a file per client", rows14 + "tab tab tab enter", QString("pdf"), QList<int>{1, 4},
            QString("2 reports were saved as PDF files in the folder"));
        Row("the printer fails: said, not taken for printed", rows14 + "tab enter", QString("failing printer"),
            QList<int>{}, QString("The report of client 1 was not printed."));
    }
    void printSelected()
    {
        QFETCH(QString, to);
        QFETCH(QList<int>, clients);
        QFETCH(QString, said);
        ReportWindowHarness h;
        QVERIFY(h.setUp(FourClients));
        h.chooser.cancel = to == QLatin1String("cancelled chooser");
        if (to == QLatin1String("failing printer"))
            h.printer.refuseWith = PrintOutcome{PrintOutcome::Status::Failed, QStringLiteral("Out of paper.")};
        const QString folder = h.dir.path() + QStringLiteral("/chosen");
        QVERIFY(QDir().mkpath(folder));
        h.files.folderAnswers = [&] { return folder; };
        ReportOutput output(h.ctx, true, h.pdfs);
        frmPrintSelected w(h.ctx, output);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.lbNameDisplay()->item(3)->text(), QStringLiteral("4-Plain, Pat               "));
        QVERIFY(!w.menu().button(0)->isEnabled()); // nothing chosen yet
        QFETCH(QString, keys);
        typeKeys(keys);
        QCOMPARE(h.prompts.texts().join(QString()).left(said.size()), said);
        QCOMPARE(h.prompts.shown.size(), said.isEmpty() ? 0 : 1);
        if (h.chooser.cancel) {
            QVERIFY(w.isVisible() && h.chooser.printer.jobs.isEmpty());
            return;
        }
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(h.flags.ContinueFlag, !clients.isEmpty());
        if (clients.isEmpty())
            return;
        QCOMPARE(int(h.table.CurClient), clients.last());
        // Each numbered copy holds its client's report, which came out in its place.
        QList<QList<QStringList>> copies;
        for (qsizetype j = 0; j < clients.size(); ++j) {
            copies << ReportFilePages(ReadBytes(h.program + QStringLiteral("/temp%1").arg(j + 1)));
            QVERIFY(copies[j].first().join(QLatin1Char('\n')).contains(FourClients[clients[j] - 1].Name.trimmed()));
        }
        if (to == QLatin1String("printer")) {
            QCOMPARE(h.printer.jobs.size(), clients.size());
            for (qsizetype j = 0; j < clients.size(); ++j)
                QCOMPARE(h.printer.jobs[j].pages, copies[j]);
        } else if (to == QLatin1String("chooser")) {
            QCOMPARE(h.chooser.printer.jobs.size(), 1); // each page on a sheet of its own
            QCOMPARE(h.chooser.printer.jobs.first().pages, copies[0] + copies[1]);
        } else {
            const QStringList files = QDir(folder).entryList(QDir::Files);
            QCOMPARE(files, (QStringList{"VLT report client 1 2026-12-06.pdf", "VLT report client 4 2026-12-06.pdf"}));
            for (qsizetype j = 0; j < files.size(); ++j)
                QCOMPARE(PdfWords(folder + QLatin1Char('/') + files[j]).size(), copies[j].size());
        }
    }
};

QTEST_MAIN(TestReportWindows)
#include "test_report_windows.moc"
