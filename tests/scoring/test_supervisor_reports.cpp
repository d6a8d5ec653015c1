// The supervisor window's Reports tab end to end on the demo installation: the secret code, the report window, the
// selection window and printing every client's report, scored for real and printed on a fake printer.

#include "MenuButtons.h"
#include "ModalDriver.h"
#include "ReportOutput.h"
#include "ReportWindowHarness.h"
#include "SupervisorReports.h"
#include "frmMyInputBox.h"
#include "frmPrintSelected.h"
#include "frmSupervisorOptions.h"
#include "frmViewReport.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

namespace {

QString DemoProgramDir()
{
    return QString::fromLocal8Bit(qgetenv("VELTRANE_SOURCE_DIR")) + QStringLiteral("/installation/program");
}

// The clients of the demo data location as the installation built it.
QList<ClientRecord> DemoClients()
{
    ClientTable demo;
    demo.setDataPath(ProgramDirForTests() + QStringLiteral("/../demo-data"));
    demo.LoadClients();
    QList<ClientRecord> clients;
    for (int n = 1; n <= demo.NumClients; ++n)
        clients << demo.Clients[n];
    return clients;
}

// Closes what a step left open when one of its checks failed, so the test cannot hang.
auto closeIfLeftOpen(QWidget* window)
{
    return qScopeGuard([window] {
        if (window->isVisible())
            ModalDriver::rejectAll();
    });
}

void giveCodes(ModalDriver& driver, const QStringList& codes)
{
    for (const QString& code : codes) {
        driver.onNextModal([code](QWidget* m) {
            auto* box = qobject_cast<frmMyInputBox*>(m);
            const auto guard = closeIfLeftOpen(m);
            QVERIFY(box);
            if (code.isEmpty()) {
                box->menu().press(1);
                return;
            }
            QTest::keyClicks(box->txtInput(), code);
            box->menu().press(0);
        });
    }
}

} // namespace

class TestSupervisorReports : public QObject {
    Q_OBJECT
private:
    QList<ClientRecord> m_demo;

    static QString nameOf(const ClientRecord& r) { return r.Name.trimmed(); }

private slots:
    void initTestCase()
    {
        m_demo = DemoClients();
        QVERIFY2(m_demo.size() >= 4, "the demo data location is not built");
    }
    void cleanup() { ModalDriver::rejectAll(); }

    void reportsTab_behindTheCode_printsForReal_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QList<int>>("printed");
        QTest::addColumn<int>("curClient");
        QTest::newRow("current client's report") << 0 << QStringList{"k"} << QList<int>{3} << 3;
        QTest::newRow("chosen clients") << 1 << QStringList{"K"} << QList<int>{1, 4} << 4;
        QTest::newRow("all clients") << 2 << QStringList{"k"} << QList<int>{1, 2, 3, 4, 5, 6} << 1;
        QTest::newRow("wrong code, then the code") << 0 << QStringList{"kk", "K"} << QList<int>{3} << 3;
        QTest::newRow("code cancelled") << 2 << QStringList{""} << QList<int>{} << 3;
    }
    void reportsTab_behindTheCode_printsForReal()
    {
        QFETCH(int, option);
        QFETCH(QStringList, codes);
        QFETCH(QList<int>, printed);
        QFETCH(int, curClient);
        ReportWindowHarness h;
        QVERIFY(h.setUp(DemoProgramDir(), m_demo));
        QCOMPARE(h.table.NumClients, 6);
        h.table.CurClient = 3;
        SupervisorServices services;
        ReportOutput printAll(h.ctx, true, h.pdfs);
        SetReportServices(services, h.ctx, printAll);
        frmSupervisorOptions w(h.ctx, services);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.printOption(option)->click();

        ModalDriver driver;
        giveCodes(driver, codes);
        QList<QStringList> shown;
        if (option == 0 && !codes.last().isEmpty()) {
            driver.onNextModal([&](QWidget* m) {
                const auto guard = closeIfLeftOpen(m);
                auto* view = qobject_cast<frmViewReport*>(m);
                QVERIFY(view);
                QTRY_VERIFY(view->reportShown());
                shown = ShownPages(view->Text1());
                QTest::keyClick(view->cmdPrintReport(), Qt::Key_Return);
                QTest::keyClick(view->cmdCancel(), Qt::Key_Return);
            });
        } else if (option == 1 && !codes.last().isEmpty()) {
            driver.onNextModal([](QWidget* m) {
                const auto guard = closeIfLeftOpen(m);
                auto* selection = qobject_cast<frmPrintSelected*>(m);
                QVERIFY(selection);
                QList<Qt::Key> keys{Qt::Key_Space, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space,
                                    Qt::Key_Tab,   Qt::Key_Return};
                for (Qt::Key k : keys)
                    QTest::keyClick(QApplication::focusWidget(), k);
            });
        }
        QTest::keyClick(w.menu().button(0), Qt::Key_Return);
        QVERIFY(driver.done());
        QTRY_VERIFY(!w.isVisible());

        QCOMPARE(h.printer.jobs.size(), printed.size());
        for (qsizetype j = 0; j < printed.size(); ++j) {
            const QList<QStringList>& pages = h.printer.jobs[j].pages;
            QVERIFY(pages.size() >= 1);
            for (const QStringList& page : pages)
                QVERIFY2(PageText(page).contains(nameOf(m_demo[printed[j] - 1])), qPrintable(PageText(page)));
        }
        if (option == 0 && !printed.isEmpty())
            QCOMPARE(h.printer.jobs.first().pages, shown);
        if (option == 2 && !printed.isEmpty()) {
            // Print all leaves its numbered copies behind, each the report printed in its place.
            for (int n = 1; n <= 6; ++n)
                QCOMPARE(ReportFilePages(ReadBytes(h.program + QStringLiteral("/temp%1").arg(n))), h.printer.jobs[n - 1].pages);
        }
        QCOMPARE(h.table.CurClient, curClient);
        const qsizetype refusals = codes.count() - 1;
        QCOMPARE(h.prompts.shown.size(), refusals);
        if (refusals)
            QCOMPARE(h.prompts.shown[0].text, QStringLiteral("Incorrect password.  Please try again."));
    }

    void printAll_withoutPrinter_savesEveryReportAsPdf_data()
    {
        QTest::addColumn<bool>("agree");
        QTest::newRow("saved as PDF files") << true;
        QTest::newRow("declined") << false;
    }
    void printAll_withoutPrinter_savesEveryReportAsPdf()
    {
        QFETCH(bool, agree);
        ReportWindowHarness h;
        QVERIFY(h.setUp(DemoProgramDir(), m_demo));
        h.ctx.printer = nullptr; // a run with no printer at all
        h.table.CurClient = 4;
        h.prompts.answers << (agree ? Prompts::Answer::Yes : Prompts::Answer::No);
        SupervisorServices services;
        ReportOutput printAll(h.ctx, true, h.pdfs);
        SetReportServices(services, h.ctx, printAll);
        {
            frmSupervisorOptions w(h.ctx, services);
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            w.printOption(2)->click();
            ModalDriver driver;
            giveCodes(driver, {QStringLiteral("K")});
            QTest::keyClick(w.menu().button(0), Qt::Key_Return);
            QTRY_VERIFY(!w.isVisible());
        }
        printAll.tellSaved();

        QCOMPARE(h.table.CurClient, 1);
        const QStringList files = QDir(h.pdfs).entryList(QDir::Files);
        QCOMPARE(h.prompts.shown.size(), 2);
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("No Printer"));
        if (agree) {
            QCOMPARE(files.size(), 6);
            QVERIFY2(h.prompts.shown[1].text.contains(QStringLiteral("6 reports were saved as PDF files")),
                     qPrintable(h.prompts.shown[1].text));
            for (int n = 1; n <= 6; ++n)
                QVERIFY(QFile::exists(h.pdfs + QStringLiteral("/VLT report client %1 2026-12-06.pdf").arg(n)));
        } else {
            QVERIFY(files.isEmpty());
            QCOMPARE(h.prompts.shown[1].icon, Prompts::Icon::Critical);
            QVERIFY2(h.prompts.shown[1].text.contains(QStringLiteral("client 1 could not be printed")),
                     qPrintable(h.prompts.shown[1].text));
        }
    }
};

QTEST_MAIN(TestSupervisorReports)
#include "test_supervisor_reports.moc"
