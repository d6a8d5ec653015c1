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

ModalDriver::Step pressButton(int index)
{
    return [index](QWidget* modal) {
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
    // audio: 0 no audio service, 1 no output device, 2 played. save: 0 saved, 1 disk taken out then put back, 2 taken
    // out and the client left out.
    void wholeTestWith(const QString& language, int audio, int save)
    {
        PresentFixture f;
        const QByteArray before = f.fileBytes();
        f.audio.available = audio == 2;
        if (audio == 0)
            f.ctx->audio = nullptr;
        const QString away = f.table.DataPath + QStringLiteral("-away");
        QVERIFY(!save || QDir().rename(f.table.DataPath, away));
        f.prompts.answers << Prompts::Answer::Ok << Prompts::Answer::Ok << Prompts::Answer::Ok
                          << (save == 1 ? Prompts::Answer::Ok : Prompts::Answer::Cancel) << Prompts::Answer::Yes;
        auto o = open(f, language);
        QVERIFY(o);
        frmPresentQA& w = *o;
        QList<int> behindBoxes;
        f.prompts.onShow = [&](const FakePrompts::Shown& box) {
            behindBoxes << w.presentation()->CurrentItem().ID;
            if (box.title == QLatin1String("Data Disk Error") && save == 1)
                QDir().rename(away, f.table.DataPath);
        };
        QCOMPARE(w.AudioOn(), audio == 2);
        // The test's screen is 1024 x 768, the smallest the presentation is used on.
        QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
        QCOMPARE(ChildOutsideItsParent(w), QString());
        QStringList sounds{"Inst0.wav", "Inst1.wav"};
        QString responses;
        for (int id = 1; id <= NumItems; ++id) {
            responses += QChar('1' + SpreadSlot(id));
            if (id == 87 || id == 111)
                sounds << QStringLiteral("Inst%1.wav").arg(id == 87 ? 2 : 3);
            for (int a = 0; a <= SpreadSlot(id) + 1; ++a) // the question, then each answer passed on the way down
                sounds << QStringLiteral("Q%1%2.wav")
                              .arg(id, 3, 10, QLatin1Char('0'))
                              .arg(a ? "A" + QString::number(a) : "");
        }
        int screens = 0;
        for (int guard = 0; guard < 5000 && w.isVisible(); ++guard) {
            if (w.presentation()->InstructionsShowing()) {
                QCOMPARE(WholeWithoutScrolling(*w.txtInstructions()), QString());
                ++screens;
                PressKey(&w, Qt::Key_Return);
                continue;
            }
            const int id = w.presentation()->CurrentItem().ID;
            QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("%1. Statement %1").arg(id));
            for (int i = 0; i <= SpreadSlot(id); ++i)
                PressKey(&w, Qt::Key_Down);
            PressKey(&w, Qt::Key_Return);
        }
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(screens, 4);
        QCOMPARE(f.playedNames(), audio == 2 ? sounds : QStringList());
        if (audio == 2)
            QCOMPARE(QFileInfo(f.audio.played.last()).dir().dirName(), language.toUpper());
        // Two section notes and the closing message, each once the last item before it is answered.
        QCOMPARE(behindBoxes.mid(0, 3), (QList<int>{87, 111, 123}));
        QCOMPARE(f.prompts.texts().value(2), PresentationTexts::ClosingText(language == QLatin1String("Spanish")));
        QCOMPARE(f.prompts.shown.size(), 3 + save);
        if (save)
            QCOMPARE(f.prompts.shown[3].text, "Data disk not found!\r\rInsert data disk in drive A to continue.");
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.NumClients, save == 2 ? 3 : 4);
        if (save == 2) {
            QVERIFY(f.prompts.shown[4].text.contains(QDir::toNativeSeparators(f.table.ClientFilePath)));
            QVERIFY(!QFile::exists(f.table.ClientFilePath) && f.table.Clients[4].Name.trimmed().isEmpty());
        } else {
            QCOMPARE(f.fileBytes().left(before.size()), before);
            QCOMPARE(ClientRecord::fromBytes(f.fileBytes().mid(before.size())).Responses, responses);
        }
    }

private slots:
    void chainsEndingEarly()
    {
        struct Row {
            QStringList tables;
            QList<int> press;   // entry button, then language button (none: no language window)
            QList<bool> accept; // client information, court history
            int abandonAt;      // Shift+Alt+F10 at this item (0: the first screen), -1 no test
            QStringList codes;  // the secret codes entered; empty is "Cancel Input"
            QStringList calls;
            QString firstBox;
            bool blanked; // the new client given up in memory
        };
        const QStringList both{"English", "Spanish"}, intake{"clientInformation", "courtHistory"};
        const QList<bool> yes{true, true}, noCourt{true, false};
        const QString begin = QStringLiteral("Press the Enter key to begin the test.");
        const Row rows[] = {
            {both, {0, 1}, yes, 120, {"", "K"}, intake, begin, true}, // code cancelled, then right
            {{"Spanish"}, {0}, yes, 0, {"k"}, intake, begin, true},   // one table: no language window
            {both, {3}, yes, -1, {}, {}, "", false},                  // Cancel New Client Entry
            {both, {0}, {false, true}, -1, {}, {"clientInformation"}, "", false},
            {both, {0}, noCourt, -1, {}, intake, "", false},
            {both, {0, 3}, yes, -1, {}, intake, "", true},                 // Cancel Presentation
            {{}, {0}, yes, -1, {}, intake, "has no question table", true}, // the new client was not saved
            {both, {1}, noCourt, -1, {}, intake, "", false},               // paper
            {both, {2}, yes, -1, {}, {"scanChain"}, "", false}};
        for (const Row& row : rows) {
            PresentFixture f(row.tables,
                             row.tables.isEmpty() ? QStringList{"CREATE TABLE French (ID)"} : QStringList());
            QVERIFY2(f.databaseError.isEmpty(), qPrintable(f.databaseError));
            const QByteArray before = f.fileBytes();
            frmMyInputBox::PasswordInput = true;
            QStringList calls;
            EntryChainWindows windows;
            auto step = [&](const char* name, int accept) {
                return [&, name, accept](QWidget*) {
                    calls << QLatin1String(name);
                    if (accept == 0)
                        f.startNewClient();
                    if (accept >= 0)
                        f.flags.ContinueFlag = row.accept[accept];
                };
            };
            windows.clientInformation = step("clientInformation", 0);
            windows.courtHistory = step("courtHistory", 1);
            windows.answerGrid = step("answerGrid", -1);
            windows.scanChain = step("scanChain", -1);
            ModalDriver driver;
            driver.onNextModal(QStringLiteral("frmSelectEntryMethod"), pressButton(row.press[0]));
            if (row.press.size() > 1)
                driver.onNextModal(QStringLiteral("frmSelectLanguage"), pressButton(row.press[1]));
            if (row.abandonAt >= 0) {
                driver.onNextModal(QStringLiteral("frmPresentQA"), [&](QWidget* modal) {
                    auto* w = static_cast<frmPresentQA*>(modal);
                    if (row.abandonAt > 0 && TakeTest(*w, row.abandonAt)) {
                        // Item 120 offers three answers: Down walks them and comes back to the question, Up goes
                        // back. F10 steps back to item 119, where a click on an answer's text chooses it.
                        for (int slot = 0; slot < frmPresentQA::Slots; ++slot)
                            QCOMPARE(w->menu().button(slot)->isVisible() + w->txtButtonText(slot)->isVisible(),
                                     2 * (slot < 3));
                        for (int key :
                             {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
                            PressKey(w, key);
                        QCOMPARE(QApplication::focusWidget(), w->txtQuestion());
                        PressKey(w, Qt::Key_F10);
                        QTest::mouseClick(w->txtButtonText(3), Qt::LeftButton);
                        QVERIFY(w->presentation()->ItemAnswer(119) == 4 && w->presentation()->CurrentItem().ID == 120);
                    }
                    PressKey(w, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
                });
            }
            for (const QString& code : row.codes) {
                driver.onNextModal(QStringLiteral("frmMyInputBox"), [code](QWidget* modal) {
                    auto* box = static_cast<frmMyInputBox*>(modal);
                    QTest::keyClicks(box->txtInput(), code);
                    QTest::keyClick(box->txtInput(), Qt::Key_Return);
                    QTest::keyClick(box->menu().button(code.isEmpty() ? 1 : 0), Qt::Key_Return);
                });
            }
            RunSelectEntryMethod(*f.ctx, nullptr, windows);

            QVERIFY(driver.done()); // a window not expected would be left open, and the chain would not end
            QCOMPARE(calls, row.calls);
            QCOMPARE(f.table.NumClients, 3);
            QCOMPARE(f.fileBytes(), before);
            QCOMPARE(f.prompts.texts().value(0).contains(row.firstBox), true);
            QCOMPARE(f.prompts.shown.isEmpty(), row.firstBox.isEmpty());
            if (row.abandonAt >= 0)
                QCOMPARE(QFileInfo(f.audio.played.first()).dir().dirName(), row.tables[row.press.value(1)].toUpper());
            if (row.blanked)
                QVERIFY(f.table.CurClient == 1 && f.table.Clients[4].Name.trimmed().isEmpty());
            QCOMPARE(frmMyInputBox::PasswordInput, row.press[0] != 2);
        }
    }

    void wholeTest()
    {
        // audio: 0 no audio service, 1 no output device, 2 played. save: 0 saved, 1 disk taken out then put back,
        // 2 taken out and the client left out.
        for (auto [language, audio, save] :
             {std::tuple{QStringLiteral("English"), 2, 1}, {"Spanish", 2, 2}, {"English", 1, 0}, {"Spanish", 0, 0}})
            wholeTestWith(language, audio, save);
    }
};

QTEST_MAIN(TestPresentationWindows)
#include "test_presentation_windows.moc"
