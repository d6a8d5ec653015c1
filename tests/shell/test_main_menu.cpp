#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Profile.h"
#include "SelectDataDrive.h"
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

QByteArray clientFile(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        ClientRecord r = ClientRecord::blank();
        r.Name = QStringLiteral("Client-%1 x").arg(i);
        bytes += r.toBytes();
    }
    return bytes;
}

struct Harness {
    QTemporaryDir dir;
    QString data = dir.path() + "/data";
    Profile settings{dir.path() + "/Quillan.ini"};
    FakePrompts prompts;
    FakeClock clock;
    ClientTable table;
    SessionFlags flags;
    DataWorkspace workspace{dir.path(), settings};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, dir.path()};
    FakeChooser chooser;
    QStringList calls;
    MainMenuActivities activities;
    std::unique_ptr<frmMainMenu> menu;

    explicit Harness(int clients)
    {
        QDir().mkpath(data);
        QFile f(data + "/DATA401.QN");
        f.open(QIODevice::WriteOnly);
        f.write(clientFile(clients));
        f.close();
        settings.write("Path", "FilePath", data);
    }
    void start()
    {
        menu = std::make_unique<frmMainMenu>(ctx, chooser, activities);
        menu->SplashHoldTickMs = 1;
        QVERIFY(menu->StartUp());
        QVERIFY(QTest::qWaitForWindowActive(menu.get()));
    }
    QStringList lines() const
    {
        QStringList out;
        for (int i = 0; i < menu->lbNameDisplay()->count(); ++i)
            out << menu->lbNameDisplay()->item(i)->text();
        return out;
    }
};

} // namespace

class TestMainMenu : public QObject {
    Q_OBJECT
private slots:
    void startUp_listsClientsWithStoredNames()
    {
        Harness h(3);
        h.start();
        QCOMPARE(h.menu->windowTitle(), QStringLiteral("Veltrane"));
        QCOMPARE(h.lines(), (QStringList{"1-Client-1 x               ", "2-Client-2 x               ",
                                         "3-Client-3 x               "}));
        // Edit is offered exactly when the list shows a current line.
        QCOMPARE(h.menu->menu().button(0)->isEnabled(), h.menu->lbNameDisplay()->currentItem() != nullptr);
        QVERIFY(h.menu->numLockAction()->isChecked());
        QVERIFY(h.menu->UnloadOthers);
        QCOMPARE(ChildOutsideItsParent(*h.menu), QString());
    }

    void list_selectingALine_setsCurrentClientFromItsNumber()
    {
        Harness h(12);
        h.start();
        QListWidget* list = h.menu->lbNameDisplay();
        list->setFocus();
        QTRY_COMPARE(h.menu->fraClient()->palette().color(QPalette::Window), HighlightColor);
        QCOMPARE(h.menu->msgPanel()->caption(), QStringLiteral("Use up or down arrow keys or mouse to select client."));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(h.table.CurClient, 12); // "12-Client-12 x": the hyphen inside the name does not count
        QVERIFY(h.menu->menu().button(0)->isEnabled());
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(h.table.CurClient, 11);
        QTest::keyClick(list, Qt::Key_Tab);
        QTRY_COMPARE(h.menu->fraClient()->palette().color(QPalette::Window), NormalColor);
        QCOMPARE(h.menu->msgPanel()->caption(), QStringLiteral("Edit client's information."));
    }

    void emptyLocation_listPassesFocusToAddNewClient()
    {
        Harness h(0);
        h.start();
        QCOMPARE(h.table.CurClient, 0);
        h.menu->lbNameDisplay()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), h.menu->menu().button(1));
        QVERIFY(!h.menu->menu().button(0)->isEnabled());
    }

    void fullTable_disablesAddNewClient()
    {
        Harness h(51);
        h.start();
        QVERIFY(!h.menu->menu().button(1)->isEnabled());
    }

    void buttons_enterOpensAndArrowDoesNothing()
    {
        Harness h(2);
        int supervisor = 0;
        h.activities.supervisorOptions = [&](QWidget*) {
            ++supervisor;
            QVERIFY(!h.menu->frMainMenu()->isVisible()); // the menu's frame hides while a window is open
        };
        h.start();
        QPushButton* b = h.menu->menu().button(2);
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Down);
        QCOMPARE(supervisor, 0);
        QTest::keyClick(b, Qt::Key_Return);
        QCOMPARE(supervisor, 1);
        QVERIFY(h.menu->frMainMenu()->isVisible());
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
        QFETCH(QStringList, calls);
        Harness h(2);
        QPointer<QDialog> leftOpen;
        h.activities.clientInformation = [&](QWidget* parent) {
            h.calls << "info";
            QVERIFY(h.flags.EditingClient);
            QVERIFY(!h.flags.ScanReview);
            QVERIFY(!h.menu->UnloadOthers);
            leftOpen = new QDialog(parent); // a window the chain leaves behind
            leftOpen->show();
            h.flags.ContinueFlag = infoOk;
        };
        h.activities.courtHistory = [&](QWidget*) {
            QVERIFY(!h.flags.ContinueFlag); // cleared before court history opens
            h.calls << "court";
            h.flags.ContinueFlag = courtOk;
        };
        h.activities.answerGrid = [&](QWidget*) { h.calls << "grid"; };
        h.start();
        h.menu->lbNameDisplay()->setCurrentRow(1);
        h.menu->menu().press(0);
        QCOMPARE(h.calls, calls);
        QCOMPARE(h.menu->lbNameDisplay()->currentRow(), 1); // the picked client stays picked
        QVERIFY(h.menu->menu().button(0)->isEnabled());
        QVERIFY(h.menu->UnloadOthers);
        QVERIFY(!leftOpen || !leftOpen->isVisible()); // closing the chain leaves no other window open
    }

    void numLock_toggleStoresAndUnchecks()
    {
        Harness h(1);
        h.start();
        h.menu->numLockAction()->trigger();
        QVERIFY(!h.menu->numLockAction()->isChecked());
        QCOMPARE(h.settings.read("Settings", "NumLock", "", 10), QStringLiteral("False"));
        h.menu->numLockAction()->trigger();
        QVERIFY(h.menu->numLockAction()->isChecked());
        QCOMPARE(h.settings.read("Settings", "NumLock", "", 10), QStringLiteral("True"));
    }

    void exit_buttonAndMenuBothAsk()
    {
        Harness h(1);
        h.start();
        QSignalSpy exits(h.menu.get(), &frmMainMenu::exitRequested);
        h.menu->menu().press(3);
        h.menu->exitAction()->trigger();
        QCOMPARE(exits.count(), 2);
    }

    void driveSelect_otherLocationReplacesTheList()
    {
        Harness h(3);
        h.start();
        const QString other = h.dir.path() + "/other";
        QDir().mkpath(other);
        QFile f(other + "/DATA401.QN");
        f.open(QIODevice::WriteOnly);
        f.write(clientFile(1));
        f.close();
        h.chooser.next = other;
        h.menu->driveSelectAction()->trigger();
        QCOMPARE(h.lines(), QStringList{"1-Client-1 x               "});
        QCOMPARE(h.settings.read("Path", "FilePath", "", 300), other);
    }

    void driveSelect_noMediumAnsweredNo_endsProgram()
    {
        Harness h(3);
        h.start();
        QSignalSpy exits(h.menu.get(), &frmMainMenu::exitRequested);
        h.chooser.next = h.dir.path() + "/nothing-here";
        h.prompts.answers << Prompts::Answer::No;
        h.menu->driveSelectAction()->trigger();
        QCOMPARE(exits.count(), 1);
    }
};

QTEST_MAIN(TestMainMenu)
#include "test_main_menu.moc"
