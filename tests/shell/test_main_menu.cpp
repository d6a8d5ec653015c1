// The main menu with its activities stubbed: the buttons a location allows, the edit chain stopping where it is
// cancelled, exit, and another data location.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "MenuButtons.h"
#include "Profile.h"
#include "SelectDataDrive.h"
#include "TestFiles.h"
#include "WindowGeometry.h"
#include "WindowRoutines.h"
#include "frmMainMenu.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

class FakeChooser final : public DriveChooser {
public:
    QString next;
    QString chooseDrive() override { return next; }
};

void writeClients(const QString& dir, int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        ClientRecord r = ClientRecord::blank();
        r.Name = QStringLiteral("Client-%1 x").arg(i);
        bytes += r.toBytes();
    }
    WriteFile(dir + "/DATA401.QN", bytes);
}

struct Harness {
    QTemporaryDir dir;
    Profile settings{dir.path() + "/Quillan.ini"};
    FakePrompts prompts;
    FakeClock clock;
    ClientTable table;
    SessionFlags flags;
    DataWorkspace workspace{dir.path(), settings};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, dir.path()};
    FakeChooser chooser;
    MainMenuActivities activities;
    std::unique_ptr<frmMainMenu> menu;

    explicit Harness(int clients)
    {
        writeClients(dir.path() + "/data", clients);
        settings.write("Path", "FilePath", dir.path() + "/data");
    }
    void start()
    {
        menu = std::make_unique<frmMainMenu>(ctx, chooser, activities);
        menu->SplashHoldTickMs = 1;
        QVERIFY(menu->StartUp());
        QVERIFY(QTest::qWaitForWindowActive(menu.get()));
    }
};

} // namespace

class TestMainMenu : public QObject {
    Q_OBJECT
private slots:
    void list_currentClientAndButtonsFollowTheLocation()
    {
        Harness h(12);
        h.start();
        QListWidget* list = h.menu->lbNameDisplay();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(h.table.CurClient, 12); // the hyphen inside the name "Client-12 x" does not count
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(h.table.CurClient, 11);
        // An empty location: nothing to edit, and the list passes the focus on; a full one takes no new client.
        Harness empty(0);
        empty.start();
        QVERIFY(empty.table.CurClient == 0 && !empty.menu->menu().button(0)->isEnabled());
        empty.menu->lbNameDisplay()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), empty.menu->menu().button(1));
        Harness full(51);
        full.start();
        QVERIFY(!full.menu->menu().button(1)->isEnabled());
    }

    void editChain_data()
    {
        QTest::addColumn<bool>("infoOk");
        QTest::addColumn<bool>("courtOk");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("all accepted") << true << true << QStringList{"info", "court", "grid"};
        QTest::newRow("court cancelled") << true << false << QStringList{"info", "court"};
        QTest::newRow("info cancelled") << false << true << QStringList{"info"};
    }
    void editChain()
    {
        QFETCH(bool, infoOk);
        QFETCH(bool, courtOk);
        Harness h(2);
        QStringList calls;
        QPointer<QDialog> leftOpen;
        h.activities.clientInformation = [&](QWidget* parent) {
            calls << "info";
            QVERIFY(h.flags.EditingClient);
            QVERIFY(!h.flags.ScanReview);
            QVERIFY(!h.menu->UnloadOthers);
            QVERIFY(!h.menu->frMainMenu()->isVisible()); // the menu's frame hides while a window is open
            leftOpen = new QDialog(parent);              // a window the chain leaves behind
            leftOpen->show();
            h.flags.ContinueFlag = infoOk;
        };
        h.activities.courtHistory = [&](QWidget*) {
            QVERIFY(!h.flags.ContinueFlag); // cleared before court history opens
            calls << "court";
            h.flags.ContinueFlag = courtOk;
        };
        h.activities.answerGrid = [&](QWidget*) { calls << "grid"; };
        h.start();
        h.menu->lbNameDisplay()->setCurrentRow(1);
        h.menu->menu().press(0);
        QTEST(calls, "calls");
        QCOMPARE(h.menu->lbNameDisplay()->currentRow(), 1); // the picked client stays picked
        QVERIFY(h.menu->UnloadOthers);
        QVERIFY(h.menu->frMainMenu()->isVisible());
        QVERIFY(!leftOpen || !leftOpen->isVisible()); // closing the chain leaves no other window open
    }

    void driveSelect_otherLocationOrEnd()
    {
        Harness h(3);
        h.start();
        QSignalSpy exits(h.menu.get(), &frmMainMenu::exitRequested);
        // Another location's clients replace the list, and the location is remembered.
        writeClients(h.dir.path() + "/other", 1);
        h.chooser.next = h.dir.path() + "/other";
        h.menu->driveSelectAction()->trigger();
        QCOMPARE(h.menu->lbNameDisplay()->count(), 1);
        QCOMPARE(h.menu->lbNameDisplay()->item(0)->text().trimmed(), QStringLiteral("1-Client-1 x"));
        QCOMPARE(h.settings.read("Path", "FilePath", "", 300), h.chooser.next);
        // A location without a client file, and the supervisor will not look for another: the program ends.
        h.chooser.next = h.dir.path() + "/nothing-here";
        h.prompts.answers << Prompts::Answer::No;
        h.menu->driveSelectAction()->trigger();
        QCOMPARE(exits.count(), 1);
    }
};

QTEST_MAIN(TestMainMenu)
#include "test_main_menu.moc"
