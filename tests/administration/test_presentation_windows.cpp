// The entry-method, language and presentation windows taken with the keyboard: every way a chain ends early, what a
// whole test shows, says and saves (also when the save fails), and the keys on an item.

#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Panel3D.h"
#include "PresentFixture.h"
#include "PresentationTexts.h"
#include "WindowGeometry.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"
#include "frmSelectEntryMethod.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

std::unique_ptr<frmPresentQA> open(PresentFixture& f, const QString& language)
{
    f.startNewClient();
    auto w = std::make_unique<frmPresentQA>(*f.ctx);
    w->Language = language;
    QString error;
    if (!w->Load(&error))
        return nullptr;
    w->show();
    return QTest::qWaitForWindowActive(w.get()) ? std::move(w) : nullptr;
}

QString wave(int id, int answer = 0)
{
    return QStringLiteral("Q%1").arg(id, 3, 10, QLatin1Char('0')) +
           (answer ? QStringLiteral("A%1.wav").arg(answer) : QStringLiteral(".wav"));
}

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

} // namespace

class TestPresentationWindows : public QObject {
    Q_OBJECT
private slots:
    void chainsEndingEarly_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QList<int>>("press");   // entry button, then language button (none: no language window)
        QTest::addColumn<QList<bool>>("accept"); // client information, court history
        QTest::addColumn<int>("abandonAt");      // Shift+Alt+F10 at this item (0: the first screen), -1 no test
        QTest::addColumn<QStringList>("codes");  // the secret codes entered; empty is "Cancel Input"
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("firstBox");
        QTest::addColumn<bool>("blanked"); // the new client given up in memory

        const QStringList both{"English", "Spanish"}, intake{"clientInformation", "courtHistory"};
        const QList<bool> yes{true, true};
        const QString begin = QStringLiteral("Press the Enter key to begin the test.");
        QTest::newRow("abandoned at item 40, code cancelled, then right")
            << both << "" << QList<int>{0, 1} << yes << 40 << QStringList{"", "K"} << intake << begin << true;
        QTest::newRow("one table: no language window; abandoned on the first screen")
            << QStringList{"Spanish"} << "" << QList<int>{0} << yes << 0 << QStringList{"k"} << intake << begin << true;
        QTest::newRow("Cancel New Client Entry")
            << both << "" << QList<int>{3} << yes << -1 << QStringList() << QStringList() << "" << false;
        QTest::newRow("client information cancelled")
            << both << "" << QList<int>{0} << QList<bool>{false, true} << -1 << QStringList()
            << QStringList{"clientInformation"} << "" << false;
        QTest::newRow("court history cancelled")
            << both << "" << QList<int>{0} << QList<bool>{true, false} << -1 << QStringList() << intake << "" << false;
        QTest::newRow("Cancel Presentation")
            << both << "" << QList<int>{0, 3} << yes << -1 << QStringList() << intake << "" << true;
        QTest::newRow("no question table") << QStringList() << "CREATE TABLE French (ID)" << QList<int>{0} << yes << -1
                                           << QStringList() << intake << "has no question table" << true;
        QTest::newRow("paper, court history cancelled")
            << both << "" << QList<int>{1} << QList<bool>{true, false} << -1 << QStringList() << intake << "" << false;
        QTest::newRow("scan") << both << "" << QList<int>{2} << yes << -1 << QStringList() << QStringList{"scanChain"}
                              << "" << false;
    }
    void chainsEndingEarly()
    {
        QFETCH(QStringList, tables);
        QFETCH(QString, sql);
        QFETCH(QList<int>, press);
        QFETCH(QList<bool>, accept);
        QFETCH(int, abandonAt);
        QFETCH(QStringList, codes);
        QFETCH(QString, firstBox);
        QFETCH(bool, blanked);
        PresentFixture f(tables, sql.isEmpty() ? QStringList() : QStringList{sql});
        QVERIFY2(f.databaseError.isEmpty(), qPrintable(f.databaseError));
        const QByteArray before = f.fileBytes();
        frmMyInputBox::PasswordInput = true;

        QStringList calls, seen, expectedSeen{"frmSelectEntryMethod"};
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

        ModalDriver driver;
        driver.onNextModal(pressButton(press[0], &seen));
        if (press.size() > 1) {
            driver.onNextModal(QStringLiteral("frmSelectLanguage"), pressButton(press[1], &seen));
            expectedSeen << QStringLiteral("frmSelectLanguage");
        }
        if (abandonAt >= 0) {
            driver.onNextModal(QStringLiteral("frmPresentQA"), [&](QWidget* modal) {
                seen << modal->objectName();
                auto* w = static_cast<frmPresentQA*>(modal);
                if (abandonAt > 0)
                    TakeTest(*w, abandonAt);
                PressKey(w, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
            });
            expectedSeen << QStringLiteral("frmPresentQA");
        }
        for (const QString& code : codes) {
            driver.onNextModal(QStringLiteral("frmMyInputBox"), [&seen, code](QWidget* modal) {
                seen << modal->objectName();
                auto* box = static_cast<frmMyInputBox*>(modal);
                QTest::keyClicks(box->txtInput(), code);
                QTest::keyClick(box->txtInput(), Qt::Key_Return);
                QTest::keyClick(box->menu().button(code.isEmpty() ? 1 : 0), Qt::Key_Return);
            });
            expectedSeen << QStringLiteral("frmMyInputBox");
        }
        RunSelectEntryMethod(*f.ctx, nullptr, windows);

        QVERIFY(driver.done());
        QCOMPARE(seen, expectedSeen);
        QTEST(calls, "calls");
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.fileBytes(), before);
        QCOMPARE(f.prompts.shown.isEmpty(), firstBox.isEmpty());
        if (!firstBox.isEmpty())
            QVERIFY2(f.prompts.shown.first().text.contains(firstBox), qPrintable(f.prompts.shown.first().text));
        if (abandonAt >= 0)
            QCOMPARE(QFileInfo(f.audio.played.first()).dir().dirName(), tables[press.value(1)].toUpper());
        if (blanked) {
            QCOMPARE(f.table.CurClient, 1);
            QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        }
        if (abandonAt < 0 && !firstBox.isEmpty())
            QVERIFY(f.prompts.shown.first().text.contains(QStringLiteral("the new client was not saved")));
        QCOMPARE(frmMyInputBox::PasswordInput, press[0] != 2);
    }

    void wholeTest_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("audio"); // 0 none, 1 no output device, 2 played
        QTest::addColumn<int>("save");  // 0 saved, 1 disk taken out then put back, 2 taken out, client left out
        QTest::newRow("English, disk put back") << "English" << 2 << 1;
        QTest::newRow("Spanish, client left out") << "Spanish" << 2 << 2;
        QTest::newRow("no output device") << "English" << 1 << 0;
        QTest::newRow("no audio service") << "Spanish" << 0 << 0;
    }
    void wholeTest()
    {
        QFETCH(QString, language);
        QFETCH(int, audio);
        QFETCH(int, save);
        const bool spanish = language == QLatin1String("Spanish");
        PresentFixture f;
        const QByteArray before = f.fileBytes();
        f.audio.available = audio == 2;
        if (audio == 0)
            f.ctx->audio = nullptr;
        const QString away = f.table.DataPath + QStringLiteral("-away");
        if (save > 0) {
            QVERIFY(QDir().rename(f.table.DataPath, away));
            f.prompts.answers << Prompts::Answer::Ok << Prompts::Answer::Ok << Prompts::Answer::Ok;
            if (save == 1)
                f.prompts.answers << Prompts::Answer::Ok;
            else
                f.prompts.answers << Prompts::Answer::Cancel << Prompts::Answer::Yes;
        }
        auto o = open(f, language);
        QVERIFY(o);
        frmPresentQA& w = *o;
        QList<int> behindNotes;
        f.prompts.onShow = [&](const FakePrompts::Shown& box) {
            behindNotes << w.presentation()->CurrentItem().ID;
            if (box.title == QLatin1String("Data Disk Error") && save == 1)
                QDir().rename(away, f.table.DataPath);
        };
        QCOMPARE(w.windowTitle(), PresentationTexts::WindowCaption(spanish));
        QCOMPARE(w.AudioOn(), audio == 2);
        // The test's screen is 1024 x 768, the smallest the presentation is used on.
        QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
        const QString outside = ChildOutsideItsParent(w);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));

        QStringList expectedSounds{"Inst0.wav", "Inst1.wav"};
        QString expectedResponses;
        int screens = 0;
        for (int id = 1; id <= NumItems; ++id) {
            expectedResponses += QChar('1' + SpreadSlot(id));
            if (id == 87 || id == 111)
                expectedSounds << QStringLiteral("Inst%1.wav").arg(id == 87 ? 2 : 3);
            expectedSounds << wave(id);
            for (int a = 1; a <= SpreadSlot(id) + 1; ++a)
                expectedSounds << wave(id, a);
        }
        for (int guard = 0; guard < 5000 && w.isVisible(); ++guard) {
            const Presentation* p = w.presentation();
            if (p->InstructionsShowing()) {
                const QString whole = WholeWithoutScrolling(*w.txtInstructions());
                QVERIFY2(whole.isEmpty(), qPrintable(whole));
                ++screens;
                PressKey(&w, Qt::Key_Return);
                continue;
            }
            QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("%1. Statement %1").arg(p->CurrentItem().ID));
            for (int i = 0; i <= SpreadSlot(p->CurrentItem().ID); ++i)
                PressKey(&w, Qt::Key_Down);
            QCOMPARE(w.msgPanel()->caption(), PresentationTexts::AnswerHelp(spanish, audio == 2));
            PressKey(&w, Qt::Key_Return);
        }
        QTRY_VERIFY(!w.isVisible());

        QCOMPARE(screens, 4);
        QCOMPARE(f.playedNames(), audio == 2 ? expectedSounds : QStringList());
        if (audio == 2)
            QCOMPARE(QFileInfo(f.audio.played.last()).dir().dirName(), language.toUpper());
        // A section's note comes once its last item is answered; the closing message after the last item.
        const QStringList boxes{PresentationTexts::SectionNoteText(spanish),
                                PresentationTexts::SectionNoteText(spanish), PresentationTexts::ClosingText(spanish)};
        QCOMPARE(f.prompts.texts().mid(0, 3), boxes);
        QCOMPARE(behindNotes.mid(0, 3), (QList<int>{87, 111, 123}));
        QCOMPARE(f.prompts.shown.size(), 3 + save);
        if (save)
            QCOMPARE(f.prompts.shown[3].text, "Data disk not found!\r\rInsert data disk in drive A to continue.");
        if (save == 2)
            QVERIFY(f.prompts.shown[4].text.contains(QDir::toNativeSeparators(f.table.ClientFilePath)));
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.NumClients, save == 2 ? 3 : 4);
        if (save == 2) {
            QVERIFY(!QFile::exists(f.table.ClientFilePath));
            QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        } else {
            QCOMPARE(f.fileBytes().left(before.size()), before);
            const ClientRecord r = ClientRecord::fromBytes(f.fileBytes().mid(before.size()));
            QCOMPARE(r.Responses, expectedResponses);
            QCOMPARE(r.Name.trimmed(), QStringLiteral("Newcomer, Robin"));
        }
    }

    // The keys on an item: Down and Up walk its answers and come back to the question, which is spoken again; F10
    // steps back; a click on an answer's text chooses it; Shift+Alt+F10 leaves without saving.
    void itemKeys()
    {
        PresentFixture f;
        const QByteArray before = f.fileBytes();
        auto o = open(f, QStringLiteral("English"));
        QVERIFY(o);
        frmPresentQA& w = *o;
        PressKey(&w, Qt::Key_F10); // nothing on an instructions screen
        PressKey(&w, Qt::Key_Escape);
        QCOMPARE(w.presentation()->InstructionsSection(), 0);
        QVERIFY(w.isVisible());
        QVERIFY(TakeTest(w, 1));
        PressKey(&w, Qt::Key_F10);
        QCOMPARE(f.prompts.beeps, 1);
        QVERIFY(TakeTest(w, 120)); // three answers
        for (int s = 0; s < frmPresentQA::Slots; ++s) {
            QCOMPARE(w.menu().button(s)->isVisible(), s < 3);
            QCOMPARE(w.txtButtonText(s)->isVisible(), s < 3);
        }
        QCOMPARE(w.txtButtonText(2)->text(), QStringLiteral("A3 of 120"));
        QCOMPARE(w.txtQuestion()->palette().color(QPalette::Base), HighlightColor);
        f.audio.clear();
        for (int s = 0; s < 3; ++s) {
            PressKey(&w, Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), w.menu().button(s));
            QCOMPARE(w.menu().panel(s)->backColor(), HighlightColor);
            QVERIFY(w.txtButtonText(s)->font().bold());
            QVERIFY(!w.txtButtonText(s ? s - 1 : 1)->font().bold());
        }
        QCOMPARE(w.txtQuestion()->palette().color(QPalette::Base), NormalColor);
        PressKey(&w, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        QCOMPARE(f.playedNames(), (QStringList{wave(120, 1), wave(120, 2), wave(120, 3), wave(120)}));
        PressKey(&w, Qt::Key_Down);
        PressKey(&w, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        PressKey(&w, Qt::Key_X);
        QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("120. Statement 120"));

        PressKey(&w, Qt::Key_F10);
        QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("119. Statement 119"));
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        QCOMPARE(f.playedNames().last(), wave(119));
        QTest::mouseClick(w.txtButtonText(3), Qt::LeftButton);
        QCOMPARE(w.presentation()->ItemAnswer(119), 4);
        QCOMPARE(w.presentation()->CurrentItem().ID, 120);

        PressKey(&w, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.fileBytes(), before);
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.table.CurClient, 1);
        QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        QVERIFY(f.flags.ContinueFlag); // left as it was: the secret code is still asked for
        QCOMPARE(f.audio.calls.last(), QStringLiteral("stop"));
    }
};

QTEST_MAIN(TestPresentationWindows)
#include "test_presentation_windows.moc"
