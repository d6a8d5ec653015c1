#include "FakePrompts.h"
#include "ModalDriver.h"
#include "WindowGeometry.h"
#include "frmDriveSelect.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

class TestDriveSelect : public QObject {
    Q_OBJECT
private slots:
    void done_takesTheShownEntry_rootOnlyWhenPicked()
    {
        FakePrompts prompts;
        frmDriveSelect w(prompts);
        QCOMPARE(w.windowTitle(), QStringLiteral("Please select a drive"));
        QList<frmDriveSelect::Volume> mounted{{"/", "", false}, {"/home", "", false}};
        w.volumes = [&] { return mounted; };
        ModalDriver driver;
        const auto done = [](QWidget* m) { m->findChild<QPushButton*>("cmdDone")->click(); };
        const auto pick = [done](const QString& path) {
            return [done, path](QWidget* m) {
                auto* list = m->findChild<QComboBox*>("drDrive");
                list->setCurrentIndex(list->findData(path));
                done(m);
            };
        };

        // Only fixed volumes: none is shown, "Done" asks for a choice, and closing the window chooses nothing.
        driver.onNextModal([&](QWidget* m) {
            QCOMPARE(m->findChild<QComboBox*>("drDrive")->currentIndex(), -1);
            QCOMPARE(ChildOutsideItsParent(*m), QString());
            done(m);
            QCOMPARE(prompts.shown.size(), 1);
            QVERIFY(m->isVisible());
            m->close();
        });
        QCOMPARE(w.chooseDrive(), QString());

        // A USB drive plugged in since is offered and shown, and "Done" takes what the list shows.
        mounted.prepend({"/media/usb0", "CLIENTS", true});
        driver.onNextModal([](QWidget* m) {
            QCOMPARE(m->findChild<QComboBox*>("drDrive")->currentText(), QStringLiteral("/media/usb0 [CLIENTS]"));
            m->findChild<QPushButton*>("cmdDone")->click();
        });
        QCOMPARE(w.chooseDrive(), QStringLiteral("/media/usb0"));

        // The root is a location when the user picks it, and the window keeps the last choice between uses.
        driver.onNextModal(pick("/"));
        QCOMPARE(w.chooseDrive(), QStringLiteral("/"));
        driver.onNextModal(done);
        QCOMPARE(w.chooseDrive(), QStringLiteral("/"));
        QVERIFY(driver.done());
    }
};

QTEST_MAIN(TestDriveSelect)
#include "test_drive_select.moc"
