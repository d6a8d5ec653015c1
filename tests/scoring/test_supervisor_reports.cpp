// The supervisor window's Reports tab end to end on the demo installation: the secret code, the report window, the
// selection window and printing every client's report, scored for real and printed on a fake printer.

#include "MenuButtons.h"
#include "ModalDriver.h"
#include "ReportOutput.h"
#include "ReportWindowHarness.h"
#include "SupervisorReports.h"
#include "frmMyInputBox.h"
#include "frmSupervisorOptions.h"
#include "frmViewReport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
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
        if (option == 2 && !codes.last().isEmpty()) {
            // Print all leaves its numbered copies behind; without a printer each went to a PDF file.
            for (int n = 1; n <= 6; ++n) {
                const QByteArray copy = ReadBytes(h.program + QStringLiteral("/temp%1").arg(n));
                QVERIFY(copy.contains(m_demo[n - 1].Name.trimmed().toLatin1()));
                if (printer)
                    QCOMPARE(ReportFilePages(copy), h.printer.jobs[n - 1].pages);
                else
                    QVERIFY(QFile::exists(h.pdfs + QStringLiteral("/VLT report client %1 2026-12-06.pdf").arg(n)));
            }
        }
        QCOMPARE(h.table.CurClient, curClient);
        QStringList expectedBoxes(codes.size() - 1, QStringLiteral("Incorrect password.  Please try again."));
        if (!printer)
            expectedBoxes << "No Printer"
                          << "6 reports were saved as PDF files";
        QCOMPARE(h.prompts.shown.size(), expectedBoxes.size());
        for (qsizetype i = 0; i < expectedBoxes.size(); ++i)
            QVERIFY2((h.prompts.shown[i].text + h.prompts.shown[i].title).contains(expectedBoxes[i]),
                     qPrintable(h.prompts.shown[i].text));
    }
};

QTEST_MAIN(TestSupervisorReports)
#include "test_supervisor_reports.moc"
