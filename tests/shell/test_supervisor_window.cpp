#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Panel3D.h"
#include "Profile.h"
#include "WindowGeometry.h"
#include "frmMyInputBox.h"
#include "frmSupervisorOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
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
        services.viewReport = [this](QWidget*) { calls << "view"; };
        services.printSelected = [this](QWidget*) { calls << "selected"; };
        services.verify = [this](QWidget*) { calls << "verify"; };
        services.scoreAndReport = [this] {
            calls << QStringLiteral("score %1").arg(table.CurClient);
            QFile f(dir.path() + "/report.prn");
            f.open(QIODevice::WriteOnly);
            return QString();
        };
        services.printReport = [this] {
            calls << "print";
            return QString();
        };
    }
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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

    void reports_behindTheSecretCode_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("current client") << 0 << "k" << QStringList{"view"};
        QTest::newRow("selected clients") << 1 << "K" << QStringList{"selected"};
        QTest::newRow("all clients") << 2 << "k" << QStringList{"score 1", "score 2", "print", "print"};
        QTest::newRow("code cancelled") << 0 << "" << QStringList{};
    }
    void reports_behindTheSecretCode()
    {
        QFETCH(int, option);
        QFETCH(QString, code);
        QFETCH(QStringList, calls);
        Harness h(2);
        frmSupervisorOptions w(h.ctx, h.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.lblNameDisplay()->text(), ClientRecord::fit("Client 1", 25));
        w.printOption(option)->click();
        ModalDriver driver;
        giveCode(driver, code);
        QTest::keyClick(w.menu().button(0), Qt::Key_Return);
        QCOMPARE(h.calls, calls);
        QTRY_VERIFY(!w.isVisible()); // one operation per visit
        QCOMPARE(h.table.CurClient, 1);
    }

    void printAll_progressShowsWhole_barAgreesWithLabel()
    {
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
        const auto score = h.services.scoreAndReport;
        const auto print = h.services.printReport;
        h.services.scoreAndReport = [&] { return observe(), score(); };
        h.services.printReport = [&] { return observe(), print(); };
        frmSupervisorOptions w(h.ctx, h.services);
        window = &w;
        w.show();
        w.printOption(2)->click();
        ModalDriver driver;
        giveCode(driver, "k");
        w.menu().press(0);
        QCOMPARE(seen, (QStringList{"Scoring client 1 of 3: 1 of 3", "Scoring client 2 of 3: 2 of 3",
                                    "Scoring client 3 of 3: 3 of 3", "Printing report 1 of 3: 1 of 3",
                                    "Printing report 2 of 3: 2 of 3", "Printing report 3 of 3: 3 of 3"}));
    }

    void tabs_changeLabelAndHelp_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("help");
        QTest::newRow("verify") << 1 << ClientRecord::fit("Client 1", 25)
                                << "Click Execute to perform data verification.";
        QTest::newRow("delete") << 2 << "All Clients" << "Click Execute to perform delete names operation.";
        QTest::newRow("export and backup") << 3 << "All Clients"
                                           << "Click Execute to export, back up or restore the client data.";
    }
    void tabs_changeLabelAndHelp()
    {
        QFETCH(int, tab);
        QFETCH(QString, name);
        QFETCH(QString, help);
        Harness h(1);
        frmSupervisorOptions w(h.ctx, h.services);
        w.show();
        w.tabs()->setCurrentIndex(tab);
        QCOMPARE(w.lblNameDisplay()->text(), name);
        QCOMPARE(w.msgPanel()->caption(), help);
        QCOMPARE(ChildOutsideItsParent(w), QString());
        w.tabs()->setCurrentIndex(0);
        QCOMPARE(w.msgPanel()->caption(), QString());
    }

    void exportTab_keyboard_choosesTheOperation()
    {
        Harness h(1);
        frmSupervisorOptions w(h.ctx, h.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.tabs()->setCurrentIndex(3);
        w.tabs()->tabBar()->setFocus();
        // Tab enters at the chosen operation; the arrow keys choose another; the check box is for exports only.
        QTest::keyClick(w.tabs()->tabBar(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.dataOption(0));
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Use the arrow keys or mouse to choose the operation."));
        QTest::keyClick(w.dataOption(0), Qt::Key_Down);
        QTest::keyClick(w.dataOption(1), Qt::Key_Down);
        QCOMPARE(w.chosenDataOption(), 2);
        QVERIFY(!w.chkDeidentified()->isEnabled());
        QTest::keyClick(w.dataOption(2), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.menu().button(0));
        QTest::keyClick(w.menu().button(0), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.dataOption(2));
    }

    void verifyTab_opensVerification()
    {
        Harness h(1);
        frmSupervisorOptions w(h.ctx, h.services);
        w.show();
        w.tabs()->setCurrentIndex(1);
        w.menu().press(0);
        QCOMPARE(h.calls, QStringList{"verify"});
    }

    void deleteNames_fileAndMessageAgree_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("diskRemoved");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        QTest::newRow("no") << false << false << "Client 1"
                            << "";
        QTest::newRow("yes") << true << false << "Fslhu{ 4"
                             << "Process complete. Press Enter to continue.";
        QTest::newRow("disk removed") << true << true << "Client 1"
                                      << "could not be deleted";
    }
    void deleteNames_fileAndMessageAgree()
    {
        QFETCH(bool, yes);
        QFETCH(bool, diskRemoved);
        QFETCH(QString, name);
        QFETCH(QString, said);
        Harness h(2);
        const QString data = h.table.DataPath;
        const QByteArray before = readFile(h.table.ClientFilePath);
        if (diskRemoved)
            QVERIFY(QDir(data).removeRecursively());
        frmSupervisorOptions w(h.ctx, h.services);
        w.show();
        w.tabs()->setCurrentIndex(2);
        h.prompts.answers << (yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        if (diskRemoved)
            h.prompts.answers << Prompts::Answer::Cancel; // to the box asking for the disk
        w.menu().press(0);
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("WARNING!"));
        QVERIFY(h.prompts.shown[0].text.endsWith("Are you SURE you want to do this?"));
        QCOMPARE(h.table.Clients[1].Name.trimmed(), name);
        QCOMPARE(h.prompts.texts().size(), yes ? (diskRemoved ? 3 : 2) : 1);
        if (yes)
            QVERIFY2(h.prompts.texts().last().contains(said), qPrintable(h.prompts.texts().last()));
        if (!diskRemoved)
            return;
        // The disk comes back: the next run deletes every name, the one that failed included.
        QVERIFY(QDir().mkpath(data));
        QFile f(h.table.ClientFilePath);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(before) == before.size());
        f.close();
        h.prompts.clear();
        h.prompts.answers << Prompts::Answer::Yes;
        w.DeleteClientNames();
        QCOMPARE(h.prompts.texts().last(), QStringLiteral("Process complete. Press Enter to continue."));
        const QByteArray after = readFile(h.table.ClientFilePath);
        QVERIFY(!after.contains("Client"));
        QCOMPARE(after.size(), before.size());
    }

    void emptyDisk_saysSoAndCloses()
    {
        Harness h(0);
        frmSupervisorOptions w(h.ctx, h.services);
        QCOMPARE(w.lblNameDisplay()->text(), QStringLiteral("No Clients"));
        w.exec();
        QCOMPARE(h.prompts.texts(), QStringList{"There are no clients on this data disk.\rReturning to main menu."});
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("Empty Data Disk"));
    }
};

QTEST_MAIN(TestSupervisorWindow)
#include "test_supervisor_window.moc"
