// The presentation window taken with the keyboard: which screen, note and item comes when, the answer slots,
// stepping back, abandoning, the sounds asked for and the record written. The words themselves are checked against
// the hand-written texts in test_presentation_texts.

#include "MenuButtons.h"
#include "Panel3D.h"
#include "PresentFixture.h"
#include "PresentationTexts.h"
#include "WindowRoutines.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

std::unique_ptr<frmPresentQA> open(PresentFixture& f, const QString& language)
{
    f.startNewClient();
    auto w = std::make_unique<frmPresentQA>(*f.ctx);
    w->Language = language;
    QString error;
    if (!w->Load(&error)) {
        qWarning() << error;
        return nullptr;
    }
    w->show();
    return QTest::qWaitForWindowActive(w.get()) ? std::move(w) : nullptr;
}

QString questionText(const frmPresentQA& w)
{
    return w.txtQuestion()->toPlainText();
}

QString wave(int id, int answer = 0)
{
    return QStringLiteral("Q%1").arg(id, 3, 10, QLatin1Char('0')) +
           (answer ? QStringLiteral("A%1.wav").arg(answer) : QStringLiteral(".wav"));
}

} // namespace

class TestPresentQA : public QObject {
    Q_OBJECT
private slots:
    void wholeTest_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("spanish");
        QTest::newRow("English") << "English" << false;
        QTest::newRow("Spanish") << "Spanish" << true;
    }
    void wholeTest()
    {
        QFETCH(QString, language);
        QFETCH(bool, spanish);
        PresentFixture f;
        const QByteArray before = f.fileBytes();
        auto o = open(f, language);
        QVERIFY(o);
        frmPresentQA& w = *o;
        QCOMPARE(w.windowTitle(), PresentationTexts::WindowCaption(spanish));

        QStringList screens, expectedScreens, expectedSounds{"Inst0.wav", "Inst1.wav"};
        QList<int> behind, noteBehind;
        QString expectedResponses;
        for (int s = 0; s < 4; ++s)
            expectedScreens << PresentationTexts::InstructionLines(spanish, s).join(QLatin1Char('\n'));
        for (int id = 1; id <= NumItems; ++id) {
            expectedResponses += QChar('1' + SpreadSlot(id));
            if (id == 87 || id == 111)
                expectedSounds << QStringLiteral("Inst%1.wav").arg(id == 87 ? 2 : 3);
            expectedSounds << wave(id);
            for (int a = 1; a <= SpreadSlot(id) + 1; ++a)
                expectedSounds << wave(id, a);
        }
        f.prompts.onShow = [&](const FakePrompts::Shown&) { noteBehind << w.presentation()->CurrentItem().ID; };

        for (int guard = 0; guard < 5000 && w.isVisible(); ++guard) {
            const Presentation* p = w.presentation();
            if (p->InstructionsShowing()) {
                QCOMPARE(w.msgPanel()->caption(), PresentationTexts::InstructionsHelp(spanish));
                screens << w.txtInstructions()->toPlainText();
                behind << p->CurrentItem().ID;
                PressKey(&w, Qt::Key_Return);
                continue;
            }
            const int id = p->CurrentItem().ID;
            QVERIFY(!w.fraInstructions()->isVisible());
            QCOMPARE(questionText(w), QStringLiteral("%1. Statement %1").arg(id));
            QCOMPARE(w.msgPanel()->caption(), PresentationTexts::QuestionHelp(spanish));
            for (int i = 0; i <= SpreadSlot(id); ++i)
                PressKey(&w, Qt::Key_Down);
            QCOMPARE(w.msgPanel()->caption(), PresentationTexts::AnswerHelp(spanish, true));
            PressKey(&w, Qt::Key_Return);
        }
        QTRY_VERIFY(!w.isVisible());

        QCOMPARE(screens, expectedScreens);
        QCOMPARE(behind, (QList<int>{1, 1, 87, 111}));
        // A section's note comes once its last item is answered, with the next item already loaded behind it.
        QCOMPARE(f.prompts.texts(),
                 (QStringList{PresentationTexts::SectionNoteText(spanish), PresentationTexts::SectionNoteText(spanish),
                              PresentationTexts::ClosingText(spanish)}));
        QCOMPARE(f.prompts.shown[0].title, PresentationTexts::SectionNoteTitle(spanish));
        QCOMPARE(f.prompts.shown[2].title, PresentationTexts::ClosingTitle(spanish));
        QCOMPARE(noteBehind, (QList<int>{87, 111, 123}));
        QCOMPARE(f.playedNames(), expectedSounds);
        QCOMPARE(QFileInfo(f.audio.played.last()).dir().dirName(), language.toUpper());

        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.NumClients, 4);
        QCOMPARE(f.fileBytes().left(3 * ClientRecord::Size), before);
        QCOMPARE(f.fileRecord(4).Responses, expectedResponses);
        QCOMPARE(f.fileRecord(4).Name.trimmed(), QStringLiteral("Newcomer, Robin"));
    }

    void stepBack_data()
    {
        QTest::addColumn<int>("lastOfSection");
        QTest::newRow("from item 87") << 86;
        QTest::newRow("from item 111") << 110;
    }
    void stepBack()
    {
        QFETCH(int, lastOfSection);
        PresentFixture f;
        auto o = open(f, QStringLiteral("English"));
        QVERIFY(o);
        frmPresentQA& w = *o;
        // F10 on an instructions screen does nothing; at item 1 it only beeps.
        PressKey(&w, Qt::Key_F10);
        QCOMPARE(w.presentation()->InstructionsSection(), 0);
        QVERIFY(TakeTest(w, SpreadSlot, 1));
        PressKey(&w, Qt::Key_F10);
        QCOMPARE(f.prompts.beeps, 1);
        QCOMPARE(questionText(w), QStringLiteral("1. Statement 1"));

        QVERIFY(TakeTest(w, SpreadSlot, lastOfSection + 1));
        const int boxes = f.prompts.shown.size();
        PressKey(&w, Qt::Key_F10);
        QCOMPARE(questionText(w), QStringLiteral("%1. Statement %1").arg(lastOfSection));
        QVERIFY(!w.fraInstructions()->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        QCOMPARE(f.playedNames().last(), wave(lastOfSection));
        QCOMPARE(f.prompts.shown.size(), boxes);

        // Answered again, the section's end brings its note and the next screen once more.
        const int other = (SpreadSlot(lastOfSection) + 1) % FixtureAnswerCount(lastOfSection);
        for (int i = 0; i <= other; ++i)
            PressKey(&w, Qt::Key_Down);
        PressKey(&w, Qt::Key_Return);
        QCOMPARE(f.prompts.texts().mid(boxes), QStringList{PresentationTexts::SectionNoteText(false)});
        QCOMPARE(w.presentation()->InstructionsSection(), lastOfSection == 86 ? 2 : 3);
        QCOMPARE(w.presentation()->CurrentItem().ID, lastOfSection + 1);
        QCOMPARE(w.presentation()->ItemAnswer(lastOfSection), other + 1);
        QCOMPARE(f.playedNames().last(), QStringLiteral("Inst%1.wav").arg(lastOfSection == 86 ? 2 : 3));
    }

    void answerSlots_data()
    {
        QTest::addColumn<int>("item");
        for (int item : {1, 87, 120, 121, 123})
            QTest::newRow(qPrintable(QStringLiteral("item %1").arg(item))) << item;
    }
    void answerSlots()
    {
        QFETCH(int, item);
        const int count = FixtureAnswerCount(item);
        PresentFixture f;
        auto o = open(f, QStringLiteral("English"));
        QVERIFY(o);
        frmPresentQA& w = *o;
        QVERIFY(TakeTest(w, SpreadSlot, item));
        for (int s = 0; s < frmPresentQA::Slots; ++s) {
            QCOMPARE(w.menu().button(s)->isVisible(), s < count);
            QCOMPARE(w.txtButtonText(s)->isVisible(), s < count);
            if (s < count)
                QCOMPARE(w.txtButtonText(s)->text(), QStringLiteral("A%1 of %2").arg(s + 1).arg(item));
        }
        QCOMPARE(w.txtQuestion()->palette().color(QPalette::Base), HighlightColor);

        // Down walks the answers the item offers, then the question has the focus again and is spoken again.
        for (int s = 0; s < count; ++s) {
            PressKey(&w, Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), w.menu().button(s));
            QCOMPARE(w.menu().panel(s)->backColor(), HighlightColor);
            QVERIFY(w.txtButtonText(s)->font().bold());
            QCOMPARE(w.menu().panel(s ? s - 1 : 1)->backColor(), NormalColor);
            QVERIFY(!w.txtButtonText(s ? s - 1 : 1)->font().bold());
        }
        QCOMPARE(w.txtQuestion()->palette().color(QPalette::Base), NormalColor);
        f.audio.clear();
        PressKey(&w, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        QCOMPARE(f.playedNames(), QStringList{wave(item)});
        // Up on the first answer returns to the question; typing changes nothing.
        PressKey(&w, Qt::Key_Down);
        PressKey(&w, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        PressKey(&w, Qt::Key_X);
        QCOMPARE(questionText(w), QStringLiteral("%1. Statement %1").arg(item));
        // A click on an answer's text chooses it.
        QTest::mouseClick(w.txtButtonText(count - 1), Qt::LeftButton);
        QCOMPARE(w.presentation()->ItemAnswer(item), count);
    }

    void abandon_data()
    {
        QTest::addColumn<int>("at");
        QTest::newRow("general instructions") << 0;
        QTest::newRow("item 50") << 50;
        QTest::newRow("item 123") << 123;
    }
    void abandon()
    {
        QFETCH(int, at);
        PresentFixture f;
        const QByteArray before = f.fileBytes();
        auto o = open(f, QStringLiteral("English"));
        QVERIFY(o);
        frmPresentQA& w = *o;
        if (at > 0)
            QVERIFY(TakeTest(w, SpreadSlot, at));
        PressKey(&w, Qt::Key_Escape); // no way out of the test
        QVERIFY(w.isVisible());
        PressKey(&w, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.fileBytes(), before);
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.table.CurClient, 1);
        QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        QVERIFY(f.flags.ContinueFlag); // left as it was: the secret code is still asked for
        QCOMPARE(f.audio.calls.last(), QStringLiteral("stop"));
    }

    void silent_data()
    {
        QTest::addColumn<bool>("noService");
        QTest::newRow("no output device") << false;
        QTest::newRow("no audio service") << true;
    }
    void silent()
    {
        QFETCH(bool, noService);
        PresentFixture f;
        f.audio.available = false;
        if (noService)
            f.ctx->audio = nullptr;
        auto o = open(f, QStringLiteral("English"));
        QVERIFY(o);
        QVERIFY(!o->AudioOn());
        QVERIFY(TakeTest(*o, SpreadSlot, 88));
        PressKey(o.get(), Qt::Key_Down);
        QCOMPARE(o->msgPanel()->caption(), QStringLiteral("Press Enter to select this answer."));
        QVERIFY(TakeTest(*o));
        QTRY_COMPARE(f.table.NumClients, 4);
        QVERIFY(f.audio.calls.isEmpty());
    }

    void saveFails_data()
    {
        QTest::addColumn<QList<Prompts::Answer>>("answers"); // to the data disk boxes and the leave-out question
        QTest::addColumn<bool>("saved");
        using A = Prompts::Answer;
        QTest::newRow("disk put back, OK") << QList<A>{A::Ok} << true;
        QTest::newRow("Cancel, client left out") << QList<A>{A::Cancel, A::Yes} << false;
        QTest::newRow("Cancel, not left out, disk put back") << QList<A>{A::Cancel, A::No, A::Ok} << true;
    }
    void saveFails()
    {
        QFETCH(QList<Prompts::Answer>, answers);
        QFETCH(bool, saved);
        PresentFixture f;
        const QString away = f.dataDir() + "-away";
        QVERIFY(QDir().rename(f.dataDir(), away)); // the data disk is taken out during the test
        f.prompts.answers << Prompts::Answer::Ok << Prompts::Answer::Ok << Prompts::Answer::Ok << answers;
        f.prompts.onShow = [&](const FakePrompts::Shown& box) {
            if (box.title == "Data Disk Error" && f.prompts.answers.head() == Prompts::Answer::Ok)
                QDir().rename(away, f.dataDir());
        };
        auto o = open(f, QStringLiteral("English"));
        QVERIFY(o);
        QVERIFY(TakeTest(*o, SpreadSlot));
        QTRY_VERIFY(!o->isVisible());
        QCOMPARE(f.prompts.shown.size(), 3 + answers.size());
        QCOMPARE(f.prompts.shown[3].text, "Data disk not found!\r\rInsert data disk in drive A to continue.");
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.NumClients, saved ? 4 : 3);
        QCOMPARE(f.table.Clients[4].Name.trimmed().isEmpty(), !saved);
        if (saved)
            QCOMPARE(f.fileRecord(4).Name.trimmed(), QStringLiteral("Newcomer, Robin"));
    }
};

QTEST_MAIN(TestPresentQA)
#include "test_present_qa.moc"
