#include "FakePrompts.h"
#include "ModalDriver.h"
#include "frmDriveSelect.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

class TestDriveSelect : public QObject {
    Q_OBJECT
private slots:
    void done_withoutChange_givesEmptyThenKeepsLastChoice()
    {
        FakePrompts prompts;
        frmDriveSelect w(prompts);
        QCOMPARE(w.windowTitle(), QStringLiteral("Please select a drive"));
        ModalDriver driver;
        driver.onNextModal([](QWidget* m) { m->findChild<QPushButton*>("cmdDone")->click(); });
        QCOMPARE(w.chooseDrive(), QString());

        w.addLocation("/media/usb0", "CLIENTS", false);
        driver.onNextModal([](QWidget* m) {
            auto* list = m->findChild<QComboBox*>("drDrive");
            const int i = list->findData("/media/usb0");
            QVERIFY(i >= 0);
            QCOMPARE(list->itemText(i), QStringLiteral("/media/usb0 [CLIENTS]"));
            list->setCurrentIndex(i);
            emit list->activated(i); // what a user's pick sends
            m->findChild<QPushButton*>("cmdDone")->click();
        });
        QCOMPARE(w.chooseDrive(), QStringLiteral("/media/usb0"));
        // Hidden between uses, the window remembers the last choice.
        driver.onNextModal([](QWidget* m) { m->findChild<QPushButton*>("cmdDone")->click(); });
        QCOMPARE(w.chooseDrive(), QStringLiteral("/media/usb0"));
    }

    void help_showsTheMessage()
    {
        FakePrompts prompts;
        frmDriveSelect w(prompts);
        w.findChild<QPushButton*>("cmdhelp")->click();
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].title, QString());
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::None);
        QVERIFY(prompts.shown[0].text.startsWith("Use the dropdown box to select the drive that the floppy data \r\n"
                                                 "diskette or USB Flash Drive is in."));
    }

    void volumes_removableFirst()
    {
        bool seenFixed = false;
        for (const auto& v : frmDriveSelect::mountedVolumes()) {
            QVERIFY2(!(v.removable && seenFixed), qPrintable(v.path));
            seenFixed = seenFixed || !v.removable;
            QVERIFY(!v.path.endsWith('/'));
        }
    }
};

QTEST_MAIN(TestDriveSelect)
#include "test_drive_select.moc"
