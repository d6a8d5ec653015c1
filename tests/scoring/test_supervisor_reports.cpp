// The supervisor window end to end: on the demo installation the Reports tab (the secret code, the report window, the
// selection window, printing every client's report or saving each as PDF, scored for real and printed on a fake
// printer); on the test installation the score export against files written by hand, and backup and restore.

#include "MenuButtons.h"
#include "ModalDriver.h"
#include "ReportOutput.h"
#include "ReportWindowHarness.h"
#include "SupervisorReports.h"
#include "frmMyInputBox.h"
#include "frmSupervisorOptions.h"
#include "frmViewReport.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>

namespace {

// Runs `step` on the next modal window; whatever a failed check leaves open is closed, so the test cannot hang.
void onNextModal(ModalDriver& driver, const std::function<void(QWidget*)>& step)
{
    driver.onNextModal([step](QWidget* m) {
        const auto guard = qScopeGuard([m] {
            if (m->isVisible())
                ModalDriver::rejectAll();
        });
        step(m);
    });
}

} // namespace

class TestSupervisorReports : public QObject {
    Q_OBJECT
private:
    QList<ClientRecord> m_demo;

    // One visit of the Export and Backup tab, behind the secret code, wired as the program wires it.
    void runDataOperation(ReportWindowHarness& h, int option, bool deidentified)
    {
        SupervisorServices services;
        ReportOutput printAll(h.ctx, true, h.pdfs);
        SetReportServices(services, h.ctx, printAll);
        frmSupervisorOptions w(h.ctx, services);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.tabs()->setCurrentIndex(3);
        w.dataOption(option)->click();
        if (deidentified)
            QTest::keyClick(w.chkDeidentified(), Qt::Key_Space);
        ModalDriver driver;
        onNextModal(driver, [](QWidget* m) {
            auto* box = qobject_cast<frmMyInputBox*>(m);
            QVERIFY(box);
            QTest::keyClicks(box->txtInput(), QStringLiteral("k"));
            box->menu().press(0);
        });
        QTest::keyClick(w.menu().button(0), Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(driver.done());
    }

private slots:
    void initTestCase()
    {
        // The demo data location as the installation built it.
        ClientTable demo;
        demo.setDataPath(ProgramDirForTests() + QStringLiteral("/../demo-data"));
        demo.LoadClients();
        for (int n = 1; n <= demo.NumClients; ++n)
            m_demo << demo.Clients[n];
        QCOMPARE(m_demo.size(), 6);
    }
    void cleanup() { ModalDriver::rejectAll(); }

    void reportsTab_behindTheCode_printsForReal_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("codes"); // an empty one cancels the prompt
        QTest::addColumn<bool>("printer");
        QTest::addColumn<QList<int>>("printed");
        QTest::addColumn<int>("curClient");
        QTest::newRow("current client's report") << 0 << QStringList{"k"} << true << QList<int>{3} << 3;
        QTest::newRow("wrong code, then the code") << 0 << QStringList{"kk", "K"} << true << QList<int>{3} << 3;
        QTest::newRow("chosen clients") << 1 << QStringList{"K"} << true << QList<int>{1, 4} << 4;
        QTest::newRow("all clients") << 2 << QStringList{"k"} << true << QList<int>{1, 2, 3, 4, 5, 6} << 1;
        QTest::newRow("all clients, no printer: PDF files") << 2 << QStringList{"k"} << false << QList<int>{} << 1;
        QTest::newRow("all clients as PDF files in a chosen folder")
            << 3 << QStringList{"k"} << true << QList<int>{} << 1;
        QTest::newRow("code cancelled") << 2 << QStringList{""} << true << QList<int>{} << 3;
    }
    void reportsTab_behindTheCode_printsForReal()
    {
        QFETCH(int, option);
        QFETCH(QStringList, codes);
        QFETCH(bool, printer);
        QFETCH(QList<int>, printed);
        QFETCH(int, curClient);
        ReportWindowHarness h;
        QVERIFY(h.setUp(QString::fromLocal8Bit(qgetenv("VELTRANE_SOURCE_DIR")) + "/installation/program", m_demo));
        if (!printer)
            h.ctx.printer = nullptr;
        const QString chosen = h.dir.path() + QStringLiteral("/chosen");
        h.files.folderAnswers = [&] { return chosen; };
        QDir().mkpath(chosen);
        h.table.CurClient = 3;
        // Wired as the program wires it.
        SupervisorServices services;
        ReportOutput printAll(h.ctx, true, h.pdfs);
        SetReportServices(services, h.ctx, printAll);
        frmSupervisorOptions w(h.ctx, services);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.printOption(option)->click();

        ModalDriver driver;
        for (const QString& code : codes) {
            onNextModal(driver, [code](QWidget* m) {
                auto* box = qobject_cast<frmMyInputBox*>(m);
                QVERIFY(box);
                QTest::keyClicks(box->txtInput(), code);
                box->menu().press(code.isEmpty() ? 1 : 0);
            });
        }
        QList<QStringList> shown;
        if (option == 0) {
            onNextModal(driver, [&shown](QWidget* m) {
                auto* view = qobject_cast<frmViewReport*>(m);
                QVERIFY(view);
                QTRY_VERIFY(view->reportShown());
                shown = ShownPages(view->Text1());
                QTest::keyClick(view->cmdPrintReport(), Qt::Key_Return);
                QTest::keyClick(view->cmdCancel(), Qt::Key_Return);
            });
        } else if (option == 1) {
            onNextModal(driver, [](QWidget* m) {
                QVERIFY(QTest::qWaitForWindowActive(m));
                for (Qt::Key k : {Qt::Key_Space, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Tab,
                                  Qt::Key_Return})
                    QTest::keyClick(QApplication::focusWidget(), k);
            });
        }
        QTest::keyClick(w.menu().button(0), Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        printAll.tellSaved();

        QCOMPARE(h.printer.jobs.size(), printed.size());
        for (qsizetype j = 0; j < printed.size(); ++j)
            for (const QStringList& page : h.printer.jobs[j].pages)
                QVERIFY(page.join(QLatin1Char('\n')).contains(m_demo[printed[j] - 1].Name.trimmed()));
        if (option == 0)
            QCOMPARE(h.printer.jobs.first().pages, shown);
        if (option >= 2 && !codes.last().isEmpty()) {
            // Print all leaves its numbered copies behind; without a printer, or when asked to, each went to a PDF
            // file.
            for (int n = 1; n <= 6; ++n) {
                const QByteArray copy = ReadBytes(h.program + QStringLiteral("/temp%1").arg(n));
                QVERIFY(copy.contains(m_demo[n - 1].Name.trimmed().toLatin1()));
                if (option == 2 && printer)
                    QCOMPARE(ReportFilePages(copy), h.printer.jobs[n - 1].pages);
                else
                    QVERIFY(QFile::exists((option == 3 ? chosen : h.pdfs) +
                                          QStringLiteral("/VLT report client %1 2026-12-06.pdf").arg(n)));
            }
        }
        QCOMPARE(h.table.CurClient, curClient);
        QStringList expectedBoxes(codes.size() - 1, QStringLiteral("Incorrect password.  Please try again."));
        if (!printer)
            expectedBoxes << "No Printer";
        if (!printer || option == 3)
            expectedBoxes << "6 reports were saved as PDF files";
        QCOMPARE(h.prompts.shown.size(), expectedBoxes.size());
        for (qsizetype i = 0; i < expectedBoxes.size(); ++i)
            QVERIFY2((h.prompts.shown[i].text + h.prompts.shown[i].title).contains(expectedBoxes[i]),
                     qPrintable(h.prompts.shown[i].text));
    }

    void exportTab_writesEveryClientsScores_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("deidentified");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CSV") << 0 << false << "scores.csv";
        QTest::newRow("JSON, de-identified") << 1 << true << "scores-deidentified.json";
    }
    void exportTab_writesEveryClientsScores()
    {
        QFETCH(int, option);
        QFETCH(bool, deidentified);
        QFETCH(QString, expected);
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), {TestClient(1), TestClient(2), TestClient(3), TestClient(4)}));
        const QString chosen = h.dir.path() + QStringLiteral("/scores");
        h.files.saveAnswers = [&] { return chosen; };
        runDataOperation(h, option, deidentified);
        QCOMPARE(h.files.asked, QStringList{"Export Scores"});
        const QByteArray written = ReadBytes(chosen + expected.mid(expected.lastIndexOf(QLatin1Char('.'))));
        const QByteArray want = ReadBytes(ScoringDataDir() + QStringLiteral("/expected/") + expected);
        if (option == 1)
            QCOMPARE(QJsonDocument::fromJson(written), QJsonDocument::fromJson(want));
        else
            QCOMPARE(written, want);
        // The client without norms is named, not dropped in silence.
        QCOMPARE(h.prompts.shown.size(), 1);
        QCOMPARE(h.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QVERIFY2(h.prompts.shown[0].text.contains(QStringLiteral("One client could not be scored")) &&
                     h.prompts.shown[0].text.contains(QStringLiteral("Client 4 (Broken, Dana \"DJ\")")),
                 qPrintable(h.prompts.shown[0].text));
    }

    void backupTab_backUpThenRestore_nothingLost()
    {
        ReportWindowHarness h;
        QVERIFY(h.setUp(TestProgramDir(), {TestClient(1), TestClient(2), TestClient(3), TestClient(4)}));
        const QString clientFile = h.table.ClientFilePath;
        const QByteArray original = ReadBytes(clientFile);
        const QString backups = h.dir.path() + QStringLiteral("/backups");
        QVERIFY(QDir().mkpath(backups));
        h.files.folderAnswers = [&] { return backups; };
        runDataOperation(h, 2, false);
        const QStringList made = QDir(backups).entryList(QDir::Files);
        QCOMPARE(made.size(), 1);
        const QString backup = backups + QLatin1Char('/') + made.first();
        QCOMPARE(ReadBytes(backup), original);
        QVERIFY(h.prompts.shown.last().text.contains(QDir::toNativeSeparators(backup)));

        // Work goes on after the backup.
        h.table.Clients[2].Name = QStringLiteral("Renamed, Blair");
        QVERIFY(!h.table.SaveClient(2));
        const QByteArray changed = ReadBytes(clientFile);
        const QString damaged = h.dir.path() + QStringLiteral("/damaged.QN");
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(original.left(300)) == 300);
        f.close();

        // A damaged backup is refused and a declined one is not put back: nothing changes either time.
        for (const QString& from : {damaged, backup}) {
            h.prompts.clear();
            h.prompts.answers << Prompts::Answer::No;
            h.files.openAnswers = [from] { return from; };
            runDataOperation(h, 3, false);
            QCOMPARE(h.prompts.shown.first().icon,
                     from == damaged ? Prompts::Icon::Critical : Prompts::Icon::Exclamation);
            QCOMPARE(ReadBytes(clientFile), changed);
            QCOMPARE(QDir(h.table.DataPath).entryList(QDir::Files), QStringList{"DATA401.QN"});
        }
        QVERIFY(h.prompts.shown.first().text.contains(QStringLiteral("4 clients")));

        h.prompts.clear();
        runDataOperation(h, 3, false);
        QCOMPARE(ReadBytes(clientFile), original);
        QCOMPARE(h.table.NumClients, 4);
        QCOMPARE(h.table.Clients[2].Name.trimmed(), QStringLiteral("Omitted, Blair"));
        const QStringList kept = QDir(h.table.DataPath).entryList({QStringLiteral("DATA401-*-replaced.QN")});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadBytes(h.table.DataPath + QLatin1Char('/') + kept.first()), changed);
        QVERIFY(h.prompts.shown.last().text.contains(kept.first()));
    }
};

QTEST_MAIN(TestSupervisorReports)
#include "test_supervisor_reports.moc"
