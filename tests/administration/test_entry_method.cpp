// The entry-method and language windows and the chains they run: on screen with the secret code at its end, paper
// and pencil, scan, a question database that cannot serve a test, and every way of leaving early.

#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Panel3D.h"
#include "PresentFixture.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"
#include "frmSelectEntryMethod.h"
#include "frmSelectLanguage.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

ModalDriver::Step pressButton(int index, QStringList* seen)
{
    return [index, seen](QWidget* modal) {
        *seen << modal->objectName();
        QPushButton* button = modal->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_%1").arg(index));
        button->setFocus();
        // From a fresh timer: the chain it starts opens further modal windows, and the driver's timer does not run
        // again while one of its steps is running.
        QTimer::singleShot(0, button, [button] { QTest::keyClick(button, Qt::Key_Return); });
    };
}

// The client at the presentation: the whole test, or Shift+Alt+F10 at item 40.
ModalDriver::Step takeTest(bool finish, QStringList* seen)
{
    return [=](QWidget* modal) {
        *seen << modal->objectName();
        auto* w = static_cast<frmPresentQA*>(modal);
        if (!QTest::qWaitForWindowActive(w))
            *seen << QStringLiteral("(presentation not active)");
        if (!TakeTest(*w, SpreadSlot, finish ? 0 : 40) || !finish)
            PressKey(w, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
    };
}

// The supervisor at the secret-code prompt; an empty entry is "Cancel Input".
ModalDriver::Step secretCode(const QString& entry, QStringList* seen)
{
    return [=](QWidget* modal) {
        *seen << modal->objectName();
        auto* box = static_cast<frmMyInputBox*>(modal);
        QTest::keyClicks(box->txtInput(), entry);
        QTest::keyClick(box->txtInput(), Qt::Key_Return);
        QTest::keyClick(box->menu().button(entry.isEmpty() ? 1 : 0), Qt::Key_Return);
    };
}

} // namespace

class TestEntryMethod : public QObject {
    Q_OBJECT
private slots:
    void entryWindow_buttonsAndHelp()
    {
        PresentFixture f;
        bool opened = false;
        frmSelectEntryMethod w(*f.ctx, {[&](QWidget*) { opened = true; }, {}, {}, {}});
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Entry Method"));
        QCOMPARE(w.fraSelectMethod()->title(), QStringLiteral("Select Client Data Entry Method"));
        const QStringList captions{"Administer Test to Client", "Enter Test Data from Answer Sheet",
                                   "Scan Answer Sheet", "Cancel New Client Entry"};
        const QStringList help{
            "Onscreen Presentation. Enter client information then present the test on the computer.",
            "Paper-Pencil Presentation. Manually enter test information from completed answer sheet.",
            "Optical Scanner Presentation. Scan completed answer sheet.",
            "Cancel. Do not enter a new client. Return to Main Menu."};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(QApplication::focusWidget(), w.menu().button(i));
            QCOMPARE(w.menu().button(i)->text(), captions[i]);
            QVERIFY(w.menu().button(i)->isEnabled());
            QCOMPARE(w.msgPanel()->caption(), help[i]);
            QCOMPARE(w.menu().panel(i)->backColor(), HighlightColor);
            for (Qt::Key k : {Qt::Key_A, Qt::Key_1, Qt::Key_Down}) // do nothing on a button
                PressKey(&w, k);
            PressKey(&w, Qt::Key_Tab);
        }
        QVERIFY(!opened);
    }

    void languageWindow_tablesInTheDatabasesOrder()
    {
        PresentFixture f({QStringLiteral("Spanish"), QStringLiteral("English")});
        const QStringList buttons{"Spanish", "English"};
        frmSelectLanguage w(*f.ctx);
        QCOMPARE(w.LanguageCount(), 2);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.fraSelectMethod()->title(), QStringLiteral("Select Language to Present"));
        QCOMPARE(QApplication::focusWidget(), w.menu().button(0));
        for (int i = 0; i < 4; ++i) {
            const bool language = i < 3;
            QCOMPARE(w.menu().button(i)->isVisible(), !language || i < buttons.size());
            if (w.menu().button(i)->isVisible()) {
                w.menu().button(i)->setFocus();
                QCOMPARE(w.menu().button(i)->text(), language ? buttons[i] : QStringLiteral("Cancel Presentation"));
                QCOMPARE(w.msgPanel()->caption(),
                         language ? QStringLiteral("Present in ") + buttons[i] : QStringLiteral("Cancel presentation"));
            }
        }
        w.menu().button(buttons.size() - 1)->setFocus();
        PressKey(&w, Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.Language, buttons.last());
        QVERIFY(f.flags.ContinueFlag);
    }

    void chains_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QList<int>>("press");   // entry button, then language button (none: no language window)
        QTest::addColumn<QList<bool>>("accept"); // client information, court history
        QTest::addColumn<int>("test");           // -1 none, 0 abandoned at item 40, 1 finished
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("clients");
        QTest::addColumn<QString>("firstBox");
        QTest::addColumn<bool>("blanked"); // the new client given up in memory

        const QStringList both{"English", "Spanish"};
        const QStringList intake{"clientInformation", "courtHistory"};
        const QList<bool> yes{true, true};
        QTest::newRow("Spanish test finished, code wrong, cancelled, right")
            << both << "" << QList<int>{0, 1} << yes << 1 << QStringList{"KK", "", "k"} << intake << 4
            << "Press the Enter key to begin the test." << false;
        QTest::newRow("abandoned, code at once") << both << "" << QList<int>{0, 0} << yes << 0 << QStringList{"K"}
                                                 << intake << 3 << "Press the Enter key to begin the test." << false;
        QTest::newRow("one table: no language window")
            << QStringList{"Spanish"} << "" << QList<int>{0} << yes << 0 << QStringList{"k"} << intake << 3
            << "Press the Enter key to begin the test." << false;
        QTest::newRow("Cancel New Client Entry")
            << both << "" << QList<int>{3} << yes << -1 << QStringList() << QStringList() << 3 << "" << false;
        QTest::newRow("client information cancelled")
            << both << "" << QList<int>{0} << QList<bool>{false, true} << -1 << QStringList()
            << QStringList{"clientInformation"} << 3 << "" << false;
        QTest::newRow("court history cancelled") << both << "" << QList<int>{0} << QList<bool>{true, false} << -1
                                                 << QStringList() << intake << 3 << "" << false;
        QTest::newRow("Cancel Presentation")
            << both << "" << QList<int>{0, 3} << yes << -1 << QStringList() << intake << 3 << "" << true;
        QTest::newRow("no question table") << QStringList() << "CREATE TABLE French (ID)" << QList<int>{0} << yes << -1
                                           << QStringList() << intake << 3 << "has no question table" << true;
        QTest::newRow("item outside 1 to 123")
            << QStringList{"English"} << "UPDATE English SET ID = 124 WHERE ID = 123" << QList<int>{0} << yes << -1
            << QStringList() << intake << 3 << "numbered \"124\"" << true;
        QTest::newRow("paper and pencil")
            << both << "" << QList<int>{1} << yes << -1 << QStringList()
            << QStringList{"clientInformation", "courtHistory", "answerGrid"} << 3 << "" << false;
        QTest::newRow("paper, court history cancelled") << both << "" << QList<int>{1} << QList<bool>{true, false} << -1
                                                        << QStringList() << intake << 3 << "" << false;
        QTest::newRow("scan") << both << "" << QList<int>{2} << yes << -1 << QStringList() << QStringList{"scanChain"}
                              << 3 << "" << false;
    }
    void chains()
    {
        QFETCH(QStringList, tables);
        QFETCH(QString, sql);
        QFETCH(QList<int>, press);
        QFETCH(QList<bool>, accept);
        QFETCH(int, test);
        QFETCH(QStringList, codes);
        QFETCH(QString, firstBox);
        QFETCH(bool, blanked);
        PresentFixture f(tables, sql.isEmpty() ? QStringList() : QStringList{sql});
        QVERIFY2(f.databaseError.isEmpty(), qPrintable(f.databaseError));
        const QByteArray before = f.fileBytes();
        frmMyInputBox::PasswordInput = true;

        QStringList calls;
        EntryChainWindows windows;
        windows.clientInformation = [&](QWidget*) {
            calls << QStringLiteral("clientInformation");
            f.startNewClient();
            f.flags.ContinueFlag = accept[0];
        };
        windows.courtHistory = [&](QWidget*) {
            calls << QStringLiteral("courtHistory");
            f.flags.ContinueFlag = accept[1];
        };
        windows.answerGrid = [&](QWidget*) { calls << QStringLiteral("answerGrid"); };
        windows.scanChain = [&](QWidget*) { calls << QStringLiteral("scanChain"); };

        QStringList seen, expectedSeen{"frmSelectEntryMethod"};
        ModalDriver driver;
        driver.onNextModal(pressButton(press[0], &seen));
        if (press.size() > 1) {
            driver.onNextModal(QStringLiteral("frmSelectLanguage"), pressButton(press[1], &seen));
            expectedSeen << QStringLiteral("frmSelectLanguage");
        }
        if (test >= 0) {
            driver.onNextModal(QStringLiteral("frmPresentQA"), takeTest(test == 1, &seen));
            expectedSeen << QStringLiteral("frmPresentQA");
        }
        for (const QString& code : codes) {
            driver.onNextModal(QStringLiteral("frmMyInputBox"), secretCode(code, &seen));
            expectedSeen << QStringLiteral("frmMyInputBox");
        }
        RunSelectEntryMethod(*f.ctx, nullptr, windows);

        QVERIFY(driver.done());
        QCOMPARE(seen, expectedSeen);
        QTEST(calls, "calls");
        QTEST(int(f.table.NumClients), "clients");
        QCOMPARE(f.prompts.shown.isEmpty(), firstBox.isEmpty());
        if (!firstBox.isEmpty())
            QVERIFY2(f.prompts.shown.first().text.contains(firstBox), qPrintable(f.prompts.shown.first().text));
        QCOMPARE(f.prompts.texts().count(QStringLiteral("Incorrect password.  Please try again.")),
                 codes.size() > 1 ? 1 : 0);
        if (test >= 0)
            QCOMPARE(QFileInfo(f.audio.played.first()).dir().dirName(), tables[press.value(1)].toUpper());
        if (f.table.NumClients == 4) {
            QCOMPARE(f.table.listLine(4), QStringLiteral("4-Newcomer, Robin          "));
            QCOMPARE(f.fileRecord(4).Name.trimmed(), QStringLiteral("Newcomer, Robin"));
        } else {
            QCOMPARE(f.fileBytes(), before);
        }
        if (blanked) {
            QCOMPARE(f.table.CurClient, 1);
            QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        }
        if (blanked && !f.prompts.shown.isEmpty())
            QVERIFY(f.prompts.shown.first().text.contains(QStringLiteral("the new client was not saved")));
        if (press[0] == 2)
            QVERIFY(!frmMyInputBox::PasswordInput);
    }

    void scanWithoutScanner_doesNothing()
    {
        PresentFixture f;
        QStringList seen;
        ModalDriver driver;
        driver.onNextModal(pressButton(frmSelectEntryMethod::ScanButton, &seen));
        RunSelectEntryMethod(*f.ctx, nullptr, EntryChainWindows{});
        QCOMPARE(seen, QStringList{"frmSelectEntryMethod"});
        QVERIFY(f.prompts.shown.isEmpty());
        QCOMPARE(f.table.NumClients, 3);
    }
};

QTEST_MAIN(TestEntryMethod)
#include "test_entry_method.moc"
