// The main menu's edit chain through the intake windows: client information, court history, then the answer grid,
// stopping at the first window that is cancelled and leaving no other window open.

#include "IntakeFixture.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "SelectDataDrive.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"
#include "frmMainMenu.h"

#include <QListWidget>
#include <QPushButton>

namespace {

class NoDrive final : public DriveChooser {
public:
    QString chooseDrive() override { return {}; }
};

// Presses a menu button of whatever modal window is up, as Enter on it does.
ModalDriver::Step pressButton(int index, QStringList* seen)
{
    return [index, seen](QWidget* modal) {
        *seen << modal->objectName();
        auto* button = modal->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_%1").arg(index));
        if (!button) {
            ModalDriver::rejectAll();
            return;
        }
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    };
}

} // namespace

class TestEditChain : public QObject {
    Q_OBJECT
private slots:
    void editCurrentClient_data()
    {
        QTest::addColumn<int>("infoButton");
        QTest::addColumn<int>("courtButton");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<int>("grids");
        QTest::newRow("both accepted") << 0 << 0 << QStringList{"frmClientInfo", "frmCourtHistory"} << 1;
        QTest::newRow("client information cancelled") << 1 << -1 << QStringList{"frmClientInfo"} << 0;
        QTest::newRow("court history cancelled") << 0 << 1 << QStringList{"frmClientInfo", "frmCourtHistory"} << 0;
    }
    void editCurrentClient()
    {
        QFETCH(int, infoButton);
        QFETCH(int, courtButton);
        IntakeFixture f(StandardClients());
        NoDrive chooser;
        int grids = 0;
        MainMenuActivities activities;
        activities.clientInformation = [&f](QWidget* parent) { RunClientInfo(*f.ctx, parent); };
        activities.courtHistory = [&f](QWidget* parent) { RunCourtHistory(*f.ctx, parent); };
        activities.answerGrid = [&grids](QWidget*) { ++grids; };
        frmMainMenu menu(*f.ctx, chooser, activities);
        QVERIFY(ShowActive(menu));
        menu.RefreshNameDisplay();
        menu.lbNameDisplay()->setCurrentRow(0);
        QVERIFY(menu.menu().button(0)->isEnabled());

        QStringList seen;
        ModalDriver driver;
        driver.onNextModal(pressButton(infoButton, &seen));
        if (courtButton >= 0)
            driver.onNextModal(pressButton(courtButton, &seen));
        menu.menu().button(0)->setFocus();
        QTest::keyClick(menu.menu().button(0), Qt::Key_Return);

        QTEST(seen, "windows");
        QTEST(grids, "grids");
        QVERIFY(menu.UnloadOthers);
        QVERIFY(f.flags.EditingClient);
        QVERIFY(!f.flags.ScanReview);
        QVERIFY(!QApplication::activeModalWidget());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w == &menu || !w->isVisible(), qPrintable(w->objectName()));
        // Nothing was changed, so the only trace in the file is the accepted client information's test date.
        QCOMPARE(f.fileRecord(1).EditCount, QStringLiteral("0"));
        QCOMPARE(f.fileRecord(1).TestDate,
                 infoButton == 0 ? QStringLiteral("03/15/2026") : QStringLiteral("11/02/2025"));
    }
};

QTEST_MAIN(TestEditChain)
#include "test_edit_chain.moc"
