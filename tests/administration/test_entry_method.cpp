// The entry-method and language windows and the chains they run: on screen (with the secret code at its end),
// paper and pencil, scan, and every way of leaving early.

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

// Stand-ins for the intake and keying windows: they record that they were opened and say "go on" or "cancel".
struct ChainHooks {
    explicit ChainHooks(PresentFixture& fixture) : f(fixture) {}
    PresentFixture& f;
    QStringList calls;
    bool acceptInfo = true;
    bool acceptCourt = true;

    EntryChainWindows windows(bool withScan = true)
    {
        EntryChainWindows w;
        w.clientInformation = [this](QWidget*) {
            calls << QStringLiteral("clientInformation");
            if (acceptInfo)
                f.startNewClient();
            else
                f.flags.ContinueFlag = false;
        };
        w.courtHistory = [this](QWidget*) {
            calls << QStringLiteral("courtHistory");
            f.flags.ContinueFlag = acceptCourt;
        };
        w.answerGrid = [this](QWidget*) { calls << QStringLiteral("answerGrid"); };
        if (withScan)
            w.scanChain = [this](QWidget*) { calls << QStringLiteral("scanChain"); };
        return w;
    }
};

ModalDriver::Step pressButton(int index, QStringList* seen)
{
    return [index, seen](QWidget* modal) {
        *seen << modal->objectName();
        auto* button = modal->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_%1").arg(index));
        if (!button)
            return ModalDriver::rejectAll();
        button->setFocus();
        // Pressed from a fresh timer: the chain it starts opens further modal windows, and the driver's own timer
        // does not run again while one of its steps is still running.
        QTimer::singleShot(0, button, [button] { QTest::keyClick(button, Qt::Key_Return); });
    };
}

// The client at the presentation: the whole test, or Shift+Alt+F10 at item `abandonAt` (0: the first screen).
ModalDriver::Step takeTest(bool finish, int abandonAt, QStringList* seen)
{
    return [=](QWidget* modal) {
        *seen << modal->objectName();
        auto* w = qobject_cast<frmPresentQA*>(modal);
        if (!w)
            return ModalDriver::rejectAll();
        if (!QTest::qWaitForWindowActive(w))
            *seen << QStringLiteral("(presentation not active)");
        const bool ok = TakeTest(*w, SpreadSlot, finish ? 0 : abandonAt);
        // Only Shift+Alt+F10 closes an unfinished test.
        if (!finish || !ok)
            PressKey(w, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
    };
}

// The supervisor at the secret-code prompt; an empty entry presses "Cancel Input".
ModalDriver::Step secretCode(const QString& entry, QStringList* seen)
{
    return [=](QWidget* modal) {
        *seen << modal->objectName();
        auto* box = qobject_cast<frmMyInputBox*>(modal);
        if (!box)
            return ModalDriver::rejectAll();
        if (entry.isEmpty()) {
            box->menu().button(1)->setFocus();
            QTest::keyClick(box->menu().button(1), Qt::Key_Return);
            return;
        }
        QTest::keyClicks(box->txtInput(), entry);
        QTest::keyClick(box->txtInput(), Qt::Key_Return);
        QTest::keyClick(box->menu().button(0), Qt::Key_Return);
    };
}

void runChain(PresentFixture& f, const EntryChainWindows& windows)
{
    RunSelectEntryMethod(*f.ctx, nullptr, windows);
}

} // namespace

class TestEntryMethod : public QObject {
    Q_OBJECT
private slots:
    void entryWindow_buttonsAndHelp()
    {
        PresentFixture f;
        ChainHooks hooks(f);
        frmSelectEntryMethod w(*f.ctx, hooks.windows());
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
            // Letters, digits and arrows on a button do nothing.
            for (Qt::Key k : {Qt::Key_A, Qt::Key_1, Qt::Key_Down})
                PressKey(&w, k);
            QCOMPARE(QApplication::focusWidget(), w.menu().button(i));
            PressKey(&w, Qt::Key_Tab);
        }
        QVERIFY(hooks.calls.isEmpty());
        QVERIFY(w.isVisible());
    }

    void languageWindow_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QStringList>("extraSql");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("English then Spanish") << QStringList{"English", "Spanish"} << QStringList()
                                              << QStringList{"English", "Spanish"};
        QTest::newRow("Spanish made first") << QStringList{"Spanish", "English"} << QStringList()
                                            << QStringList{"Spanish", "English"};
        QTest::newRow("other tables between")
            << QStringList{"Spanish"} << QStringList{"CREATE TABLE ENGLISH2 (ID INTEGER)", "CREATE TABLE english (x)",
                                                     "CREATE TABLE Other (ID INTEGER)"}
            << QStringList{"Spanish"};
        QTest::newRow("no question table") << QStringList() << QStringList{"CREATE TABLE French (ID INTEGER)"}
                                           << QStringList();
    }
    void languageWindow()
    {
        QFETCH(QStringList, tables);
        QFETCH(QStringList, extraSql);
        QFETCH(QStringList, buttons);
        PresentFixture f(tables, extraSql);
        QVERIFY2(f.databaseError.isEmpty(), qPrintable(f.databaseError));
        frmSelectLanguage w(*f.ctx);
        QCOMPARE(w.LanguageCount(), buttons.size());
        QCOMPARE(w.LanguageProblem().isEmpty(), !buttons.isEmpty());
        if (buttons.isEmpty())
            return;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Select Presentation Language"));
        QCOMPARE(w.fraSelectMethod()->title(), QStringLiteral("Select Language to Present"));
        QCOMPARE(QApplication::focusWidget(), w.menu().button(0));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.menu().button(i)->isVisible(), i < buttons.size());
            if (i < buttons.size()) {
                QCOMPARE(w.menu().button(i)->text(), buttons[i]);
                w.menu().button(i)->setFocus();
                QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Present in ") + buttons[i]);
            }
        }
        w.menu().button(3)->setFocus();
        QCOMPARE(w.menu().button(3)->text(), QStringLiteral("Cancel Presentation"));
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Cancel presentation"));
        w.menu().button(buttons.size() - 1)->setFocus();
        PressKey(&w, Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.Language, buttons.last());
        QVERIFY(f.flags.ContinueFlag);
    }

    void onScreenTest_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<int>("languageButton"); // -1: no language window expected
        QTest::addColumn<bool>("finish");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<int>("clients");
        QTest::addColumn<QString>("soundFolder");
        QTest::newRow("Spanish, completed")
            << QStringList{"English", "Spanish"} << 1 << true << QStringList{"KK", "", "k"}
            << QStringList{"frmSelectEntryMethod", "frmSelectLanguage", "frmPresentQA", "frmMyInputBox",
                           "frmMyInputBox", "frmMyInputBox"}
            << 4 << "SPANISH";
        QTest::newRow("English, abandoned at item 40")
            << QStringList{"English", "Spanish"} << 0 << false << QStringList{"K"}
            << QStringList{"frmSelectEntryMethod", "frmSelectLanguage", "frmPresentQA", "frmMyInputBox"} << 3
            << "ENGLISH";
        QTest::newRow("one table, no language window")
            << QStringList{"Spanish"} << -1 << false << QStringList{"k"}
            << QStringList{"frmSelectEntryMethod", "frmPresentQA", "frmMyInputBox"} << 3 << "SPANISH";
    }
    void onScreenTest()
    {
        QFETCH(QStringList, tables);
        QFETCH(int, languageButton);
        QFETCH(bool, finish);
        QFETCH(QStringList, codes);
        PresentFixture f(tables);
        ChainHooks hooks(f);
        const QByteArray before = f.fileBytes();
        QStringList seen;
        ModalDriver driver;
        driver.onNextModal(pressButton(frmSelectEntryMethod::AdministerButton, &seen));
        if (languageButton >= 0)
            driver.onNextModal(QStringLiteral("frmSelectLanguage"), pressButton(languageButton, &seen));
        driver.onNextModal(QStringLiteral("frmPresentQA"), takeTest(finish, 40, &seen));
        for (const QString& code : codes)
            driver.onNextModal(QStringLiteral("frmMyInputBox"), secretCode(code, &seen));
        runChain(f, hooks.windows());

        QVERIFY(driver.done());
        QTEST(seen, "windows");
        QCOMPARE(hooks.calls, (QStringList{"clientInformation", "courtHistory"}));
        QCOMPARE(f.prompts.shown.first().text, QStringLiteral("Press the Enter key to begin the test."));
        QCOMPARE(f.prompts.shown.first().title, QStringLiteral("Veltrane"));
        QCOMPARE(f.prompts.texts().count(QStringLiteral("Incorrect password.  Please try again.")),
                 codes.size() == 3 ? 1 : 0);
        QVERIFY(!f.audio.played.isEmpty());
        QTEST(QFileInfo(f.audio.played.first()).dir().dirName(), "soundFolder");
        QTEST(int(f.table.NumClients), "clients");
        if (finish) {
            QCOMPARE(f.fileRecord(4).Name.trimmed(), QStringLiteral("Newcomer, Robin"));
            QCOMPARE(f.table.listLine(4), QStringLiteral("4-Newcomer, Robin          "));
        } else {
            QCOMPARE(f.fileBytes(), before);
        }
    }

    void leavingEarly_data()
    {
        QTest::addColumn<int>("entryButton");
        QTest::addColumn<bool>("acceptInfo");
        QTest::addColumn<bool>("acceptCourt");
        QTest::addColumn<int>("languageButton");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("windows");
        QTest::newRow("Cancel New Client Entry") << 3 << true << true << -1 << QStringList()
                                                 << QStringList{"frmSelectEntryMethod"};
        QTest::newRow("client information cancelled") << 0 << false << true << -1 << QStringList{"clientInformation"}
                                                      << QStringList{"frmSelectEntryMethod"};
        QTest::newRow("court history cancelled")
            << 0 << true << false << -1 << QStringList{"clientInformation", "courtHistory"}
            << QStringList{"frmSelectEntryMethod"};
        QTest::newRow("Cancel Presentation")
            << 0 << true << true << 3 << QStringList{"clientInformation", "courtHistory"}
            << QStringList{"frmSelectEntryMethod", "frmSelectLanguage"};
    }
    void leavingEarly()
    {
        QFETCH(int, entryButton);
        QFETCH(int, languageButton);
        PresentFixture f;
        ChainHooks hooks(f);
        QFETCH(bool, acceptInfo);
        QFETCH(bool, acceptCourt);
        hooks.acceptInfo = acceptInfo;
        hooks.acceptCourt = acceptCourt;
        const QByteArray before = f.fileBytes();
        QStringList seen;
        ModalDriver driver;
        driver.onNextModal(pressButton(entryButton, &seen));
        if (languageButton >= 0)
            driver.onNextModal(QStringLiteral("frmSelectLanguage"), pressButton(languageButton, &seen));
        runChain(f, hooks.windows());

        QVERIFY(driver.done());
        QTEST(hooks.calls, "calls");
        QTEST(seen, "windows");
        // No test was given, so the supervisor is not asked for the secret code.
        QVERIFY(f.prompts.shown.isEmpty());
        QVERIFY(f.audio.calls.isEmpty());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.fileBytes(), before);
        if (languageButton == 3) {
            QCOMPARE(f.table.CurClient, 1);
            QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        }
    }

    void questionDatabaseUnusable_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QStringList>("extraSql");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no question table") << QStringList() << QStringList{"CREATE TABLE French (ID INTEGER)"}
                                           << "has no question table";
        QTest::newRow("item outside 1 to 123") << QStringList{"English"}
                                               << QStringList{"UPDATE English SET ID = 124 WHERE ID = 123"}
                                               << "numbered \"124\"";
        QTest::newRow("a column missing") << QStringList{"Spanish"}
                                          << QStringList{"ALTER TABLE Spanish DROP COLUMN ChoiceAudio5"}
                                          << "has no column ChoiceAudio5";
    }
    void questionDatabaseUnusable()
    {
        QFETCH(QStringList, tables);
        QFETCH(QStringList, extraSql);
        QFETCH(QString, problem);
        PresentFixture f(tables, extraSql);
        QVERIFY2(f.databaseError.isEmpty(), qPrintable(f.databaseError));
        ChainHooks hooks(f);
        const QByteArray before = f.fileBytes();
        QStringList seen;
        ModalDriver driver;
        driver.onNextModal(pressButton(frmSelectEntryMethod::AdministerButton, &seen));
        runChain(f, hooks.windows());

        QCOMPARE(seen, QStringList{"frmSelectEntryMethod"});
        QCOMPARE(f.prompts.shown.size(), 1);
        const FakePrompts::Shown& box = f.prompts.shown.first();
        QCOMPARE(box.icon, Prompts::Icon::Critical);
        QVERIFY2(box.text.contains(problem), qPrintable(box.text));
        QVERIFY2(box.text.contains(QStringLiteral("the new client was not saved")), qPrintable(box.text));
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.table.CurClient, 1);
        QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        QCOMPARE(f.fileBytes(), before);
    }

    void paperAndScan_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("acceptCourt");
        QTest::addColumn<bool>("withScan");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("paper and pencil") << 1 << true << true
                                          << QStringList{"clientInformation", "courtHistory", "answerGrid"};
        QTest::newRow("paper, court history cancelled") << 1 << false << true
                                                        << QStringList{"clientInformation", "courtHistory"};
        QTest::newRow("scan") << 2 << true << true << QStringList{"scanChain"};
        QTest::newRow("scan, no scanner in this build") << 2 << true << false << QStringList();
    }
    void paperAndScan()
    {
        QFETCH(int, button);
        QFETCH(bool, acceptCourt);
        QFETCH(bool, withScan);
        PresentFixture f;
        ChainHooks hooks(f);
        hooks.acceptCourt = acceptCourt;
        frmMyInputBox::PasswordInput = true;
        QStringList seen;
        ModalDriver driver;
        driver.onNextModal(pressButton(button, &seen));
        runChain(f, hooks.windows(withScan));

        QCOMPARE(seen, QStringList{"frmSelectEntryMethod"});
        QTEST(hooks.calls, "calls");
        QVERIFY(f.prompts.shown.isEmpty());
        if (button == 2)
            QVERIFY(!frmMyInputBox::PasswordInput);
    }
};

QTEST_MAIN(TestEntryMethod)
#include "test_entry_method.moc"
