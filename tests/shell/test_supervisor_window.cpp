#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Profile.h"
#include "WindowGeometry.h"
#include "frmMyInputBox.h"
#include "frmSupervisorOptions.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

struct Harness {
    QTemporaryDir dir;
    Profile settings{dir.path() + "/Quillan.ini"};
    FakePrompts prompts;
    FakeClock clock;
    ClientTable table;
    SessionFlags flags;
    DataWorkspace workspace{dir.path(), settings};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, dir.path()};
    QStringList calls;
    SupervisorServices services;

    explicit Harness(int clients)
    {
        QDir().mkpath(dir.path() + "/data");
        table.setDataPath(dir.path() + "/data");
        table.LoadClients();
        for (int16_t n = 1; n <= clients; ++n) {
            table.Clients[n] = ClientRecord::blank();
            table.Clients[n].Name = ClientRecord::fit(QStringLiteral("Client %1").arg(n), 25);
            table.Clients[n].NameDeleted = "0";
            table.SaveClient(n);
        }
        table.NumClients = static_cast<int16_t>(clients);
        table.CurClient = clients > 0 ? 1 : 0;
        // Print all as the program wires it: every client scored, then every report printed, each step told first.
        services.printAll = [this](const std::function<bool(bool, int, int)>& progress) {
            for (bool printing : {false, true})
                for (int n = 1; n <= table.NumClients; ++n) {
                    if (!progress(printing, n, table.NumClients))
                        return QStringLiteral("stopped");
                    calls << QStringLiteral("%1 %2").arg(printing ? "print" : "score").arg(n);
                }
            return QString();
        };
    }
};

void giveCode(ModalDriver& driver, const QString& code)
{
    driver.onNextModal([code](QWidget* m) {
        auto* box = qobject_cast<frmMyInputBox*>(m);
        QVERIFY(box);
        if (code.isEmpty()) {
            box->menu().press(1);
            return;
        }
        QTest::keyClicks(box->txtInput(), code);
        box->menu().press(0);
    });
}

} // namespace

class TestSupervisorWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ModalDriver::rejectAll(); }

    // Print all behind the secret code (the whole-program road gives it in capitals): the progress box shows whole
    // and its bar agrees with its label; a cancelled code runs nothing. One operation per visit either way.
    void printAll_behindTheSecretCode()
    {
        for (const QString code : {"", "k"}) {
            Harness h(3);
            frmSupervisorOptions* window = nullptr;
            QStringList seen;
            const auto observe = [&] {
                auto* p = window->findChild<QProgressDialog*>("frmPrintProgress");
                QVERIFY(p && p->isVisible());
                seen << QStringLiteral("%1: %2 of %3").arg(p->labelText()).arg(p->value()).arg(p->maximum());
                QCOMPARE(ChildOutsideItsParent(*p), QString());
                // Room for the title beside the title bar's icon and buttons.
                QVERIFY(p->width() >= p->fontMetrics().horizontalAdvance(p->windowTitle()) + 150);
            };
            const auto printAll = h.services.printAll;
            h.services.printAll = [&](const std::function<bool(bool, int, int)>& progress) {
                return printAll(
                    [&](bool printing, int n, int count) { return progress(printing, n, count) && (observe(), true); });
            };
            frmSupervisorOptions w(h.ctx, h.services);
            window = &w;
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QCOMPARE(w.lblNameDisplay()->text(), ClientRecord::fit("Client 1", 25));
            // Every tab can be reached with the mouse: none is cut off the tab bar.
            const QTabBar* bar = w.findChild<QTabWidget*>(QStringLiteral("sstSupervisorOperations"))->tabBar();
            for (int i = 0; i < bar->count(); ++i)
                QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
            w.printOption(2)->click();
            ModalDriver driver;
            giveCode(driver, code);
            QTest::keyClick(w.menu().button(0), Qt::Key_Return);
            QTRY_VERIFY(!w.isVisible());
            QCOMPARE(h.table.CurClient, 1);
            if (code.isEmpty()) {
                QVERIFY(h.calls.isEmpty() && seen.isEmpty());
                continue;
            }
            QCOMPARE(h.calls, (QStringList{"score 1", "score 2", "score 3", "print 1", "print 2", "print 3"}));
            QCOMPARE(seen, (QStringList{"Scoring client 1 of 3: 1 of 3", "Scoring client 2 of 3: 2 of 3",
                                        "Scoring client 3 of 3: 3 of 3", "Printing report 1 of 3: 1 of 3",
                                        "Printing report 2 of 3: 2 of 3", "Printing report 3 of 3: 3 of 3"}));
        }
    }

    void emptyDisk_saysSoAndCloses()
    {
        Harness h(0);
        frmSupervisorOptions w(h.ctx, h.services);
        QCOMPARE(w.lblNameDisplay()->text(), QStringLiteral("No Clients"));
        w.exec();
        QCOMPARE(h.prompts.texts(), QStringList{"There are no clients on this data disk.\rReturning to main menu."});
    }
};

QTEST_MAIN(TestSupervisorWindow)
#include "test_supervisor_window.moc"
