// The course of an on-screen test: instructions screens, items, section ends, stepping back and the answers kept.

#include "ClientTable.h"
#include "Presentation.h"
#include "QuestionFixtures.h"
#include "TestDefinition.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

using Step = Presentation::Step;

// From the window's first activation through the general and section 1 screens to item 1.
void begin(Presentation& p)
{
    p.Start();
    p.LeaveInstructions();
    p.LeaveInstructions();
}

// Answers the items shown until item `last` has been answered, leaving every instructions screen on the way; returns
// the outcome of answering `last`.
Step answerThrough(
    Presentation& p, int last, const std::function<int(int)>& slotFor = [](int) { return 0; })
{
    Step step;
    for (int guard = 0; guard < 1000 && !p.IsFinished(); ++guard) {
        if (p.InstructionsShowing()) {
            p.LeaveInstructions();
            continue;
        }
        const int id = p.CurrentItem().ID;
        step = p.SelectAnswer(slotFor(id));
        if (id == last)
            return step;
    }
    return step;
}

// Brings the presentation to item `id` shown, with no instructions screen up.
void goTo(Presentation& p, int id)
{
    begin(p);
    if (id > 1)
        answerThrough(p, id - 1);
    if (p.InstructionsShowing())
        p.LeaveInstructions();
}

} // namespace

class TestPresentation : public QObject {
    Q_OBJECT
private slots:
    void open_loadsItem1BehindAnEmptyInstructionsScreen()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        QVERIFY(p.InstructionsShowing());
        QCOMPARE(p.InstructionsSection(), -1);
        QCOMPARE(p.QuestionText(), QStringLiteral("1. Statement 1"));
        QCOMPARE(p.CurrentSection(), 1);
        // No answer is taken and no step back made while instructions show.
        const Step answered = p.SelectAnswer(0);
        QCOMPARE(answered.focusQuestion, false);
        QCOMPARE(p.ItemAnswer(1), 0);
        QCOMPARE(p.StepBack().beep, false);
    }

    void start_generalThenSection1ThenItem1()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        Step s = p.Start();
        QCOMPARE(s.instructions, 0);
        QVERIFY(p.AtGeneralInstructions());
        s = p.LeaveInstructions();
        QCOMPARE(s.instructions, 1);
        QCOMPARE(s.focusQuestion, false);
        QVERIFY(!p.AtGeneralInstructions());
        QVERIFY(p.InstructionsShowing());
        QCOMPARE(p.InstructionsSection(), 1);
        s = p.LeaveInstructions();
        QCOMPARE(s.instructions, -1);
        QCOMPARE(s.focusQuestion, true);
        QVERIFY(!p.InstructionsShowing());
        QCOMPARE(p.QuestionText(), QStringLiteral("1. Statement 1"));
        // A second Enter with no screen up does nothing.
        s = p.LeaveInstructions();
        QCOMPARE(s.focusQuestion, false);
        QCOMPARE(p.CurrentItem().ID, 1);
    }

    void answer_sectionEnds_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("sectionDone");
        QTest::addColumn<int>("instructions");
        QTest::addColumn<bool>("focusQuestion");
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("nextSection");
        QTest::newRow("item 1") << 1 << 0 << -1 << true << 2 << 1;
        QTest::newRow("item 85") << 85 << 0 << -1 << true << 86 << 1;
        QTest::newRow("item 86") << 86 << 1 << 2 << false << 87 << 2;
        QTest::newRow("item 87") << 87 << 0 << -1 << true << 88 << 2;
        QTest::newRow("item 110") << 110 << 2 << 3 << false << 111 << 3;
        QTest::newRow("item 122") << 122 << 0 << -1 << true << 123 << 3;
    }
    void answer_sectionEnds()
    {
        QFETCH(int, item);
        QFETCH(int, sectionDone);
        QFETCH(int, instructions);
        QFETCH(bool, focusQuestion);
        QFETCH(int, next);
        QFETCH(int, nextSection);
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        begin(p);
        const Step s = answerThrough(p, item);
        QCOMPARE(s.sectionDone, sectionDone);
        QCOMPARE(s.instructions, instructions);
        QCOMPARE(s.focusQuestion, focusQuestion);
        QCOMPARE(s.finished, false);
        QCOMPARE(p.InstructionsShowing(), instructions >= 0);
        // The next item is already loaded, behind the section's screen where there is one.
        QCOMPARE(p.CurrentItem().ID, next);
        QCOMPARE(p.QuestionNumber(), next);
        QCOMPARE(p.CurrentSection(), nextSection);
        if (instructions >= 0) {
            QCOMPARE(p.InstructionsSection(), instructions);
            QCOMPARE(p.LeaveInstructions().focusQuestion, true);
            QCOMPARE(p.CurrentItem().ID, next);
        }
    }

    void answer_lastItem_closingThenFinished()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        begin(p);
        const Step s = answerThrough(p, NumItems);
        QCOMPARE(s.sectionDone, 3);
        QCOMPARE(s.finished, true);
        QCOMPARE(s.focusQuestion, false);
        QCOMPARE(s.instructions, -1);
        QVERIFY(p.IsFinished());
        // Nothing moves once the test is over.
        const QString before = p.Responses();
        QCOMPARE(p.SelectAnswer(1).finished, false);
        QCOMPARE(p.StepBack().focusQuestion, false);
        QCOMPARE(p.Responses(), before);
    }

    void stepBack_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("beep");
        QTest::newRow("item 1 beeps") << 1 << 1 << true;
        QTest::newRow("item 2") << 2 << 1 << false;
        QTest::newRow("item 50") << 50 << 49 << false;
        QTest::newRow("item 87, no screen") << 87 << 86 << false;
        QTest::newRow("item 111, no screen") << 111 << 110 << false;
        QTest::newRow("item 123") << 123 << 122 << false;
    }
    void stepBack()
    {
        QFETCH(int, from);
        QFETCH(int, shown);
        QFETCH(bool, beep);
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, from);
        QCOMPARE(p.CurrentItem().ID, from);
        const Step s = p.StepBack();
        QCOMPARE(s.beep, beep);
        QCOMPARE(s.focusQuestion, !beep);
        QCOMPARE(s.instructions, -1);
        QVERIFY(!p.InstructionsShowing());
        QCOMPARE(p.CurrentItem().ID, shown);
        QCOMPARE(p.QuestionText(), QStringLiteral("%1. Statement %1").arg(shown));
        QCOMPARE(p.CurrentSection(), SectionOfItem(shown));
        QCOMPARE(p.QuestionSound(), QStringLiteral("Q%1.wav").arg(shown, 3, 10, QLatin1Char('0')));
    }

    void stepBack_whileSectionScreenShows_changesNothing()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        begin(p);
        answerThrough(p, 86);
        QVERIFY(p.InstructionsShowing());
        const Step s = p.StepBack();
        QCOMPARE(s.beep, false);
        QCOMPARE(s.focusQuestion, false);
        QVERIFY(p.InstructionsShowing());
        QCOMPARE(p.CurrentItem().ID, 87);
    }

    void stepBack_severalTimes_walksBackOneItemEach()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, 5);
        for (int expected : {4, 3, 2, 1})
            QCOMPARE((p.StepBack(), p.CurrentItem().ID), expected);
        QVERIFY(p.StepBack().beep);
        QCOMPARE(p.CurrentItem().ID, 1);
        // Forward again from item 1 goes on to item 2.
        p.SelectAnswer(0);
        QCOMPARE(p.CurrentItem().ID, 2);
    }

    void reanswerSectionEnd_showsNoteAndScreenAgain_data()
    {
        QTest::addColumn<int>("sectionStart");
        QTest::addColumn<int>("section");
        QTest::newRow("section 1 end") << 87 << 1;
        QTest::newRow("section 2 end") << 111 << 2;
    }
    void reanswerSectionEnd_showsNoteAndScreenAgain()
    {
        QFETCH(int, sectionStart);
        QFETCH(int, section);
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, sectionStart);
        p.StepBack();
        QCOMPARE(p.CurrentItem().ID, sectionStart - 1);
        const Step s = p.SelectAnswer(1);
        QCOMPARE(s.sectionDone, section);
        QCOMPARE(s.instructions, section + 1);
        QCOMPARE(p.CurrentItem().ID, sectionStart);
        QCOMPARE(p.ItemAnswer(sectionStart - 1), 2);
    }

    void stepBack_keepsTheAnswerUntilAnsweredAgain()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, 6);
        QCOMPARE(p.ItemAnswer(5), 1);
        p.StepBack();
        p.StepBack();
        QCOMPARE(p.CurrentItem().ID, 4);
        QCOMPARE(p.ItemAnswer(5), 1);
        p.SelectAnswer(1);
        QCOMPARE(p.CurrentItem().ID, 5);
        QCOMPARE(p.ItemAnswer(4), 2);
        QCOMPARE(p.ItemAnswer(5), 1);
        p.SelectAnswer(1);
        QCOMPARE(p.ItemAnswer(5), 2);
        QCOMPARE(p.CurrentItem().ID, 6);
    }

    void responses_oneDigitPerItemZeroForNone()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        QCOMPARE(p.Responses(), QString(NumItems, QLatin1Char('0')));
        begin(p);
        answerThrough(p, 10, [](int id) { return id % 2; });
        QCOMPARE(p.Responses(), QStringLiteral("2121212121") + QString(NumItems - 10, QLatin1Char('0')));
    }

    void wholeTest_everyAnswerLandsInItsItemsDigit()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        begin(p);
        // Slot choices that differ from item to item and use every slot an item offers.
        auto slotFor = [](int id) { return id == 121 ? 4 : (id * 7 + id / 3) % FixtureAnswerCount(id); };
        QString expected;
        for (int id = 1; id <= NumItems; ++id)
            expected += QChar('1' + slotFor(id));
        QList<int> notes;
        QList<int> screens;
        bool finished = false;
        for (int guard = 0; guard < 500 && !finished; ++guard) {
            if (p.InstructionsShowing()) {
                p.LeaveInstructions();
                continue;
            }
            const Step s = p.SelectAnswer(slotFor(p.CurrentItem().ID));
            if (s.sectionDone)
                notes << s.sectionDone;
            if (s.instructions >= 0)
                screens << s.instructions;
            finished = s.finished;
        }
        QVERIFY(finished);
        QCOMPARE(notes, (QList<int>{1, 2, 3}));
        QCOMPARE(screens, (QList<int>{2, 3}));
        QCOMPARE(p.Responses(), expected);
        QVERIFY(expected.contains(QLatin1Char('5')));
    }

    void slots_shownAsTheItemOffers_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("visible");
        QTest::newRow("true or false") << 1 << 2;
        QTest::newRow("rating") << 87 << 4;
        QTest::newRow("three answers") << 120 << 3;
        QTest::newRow("five answers") << 121 << 5;
        QTest::newRow("multiple choice") << 123 << 4;
    }
    void slots_shownAsTheItemOffers()
    {
        QFETCH(int, item);
        QFETCH(int, visible);
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, item);
        for (int slot = 0; slot < QuestionItem::MaxAnswers; ++slot) {
            QCOMPARE(p.SlotVisible(slot), slot < visible);
            QCOMPARE(p.AnswerText(slot),
                     slot < visible ? QStringLiteral("A%1 of %2").arg(slot + 1).arg(item) : QString());
        }
        // A hidden slot cannot be chosen.
        if (visible < QuestionItem::MaxAnswers) {
            const Step s = p.SelectAnswer(visible);
            QCOMPARE(s.focusQuestion, false);
            QCOMPARE(p.ItemAnswer(item), 0);
            QCOMPARE(p.CurrentItem().ID, item);
        }
        QCOMPARE(p.SelectAnswer(QuestionItem::MaxAnswers).focusQuestion, false);
        QCOMPARE(p.SelectAnswer(-1).focusQuestion, false);
        // The shown slot's choice takes.
        p.SelectAnswer(visible - 1);
        QCOMPARE(p.ItemAnswer(item), visible);
    }

    void sounds_namesOfTheItemShown()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, 119);
        QCOMPARE(p.QuestionSound(), QStringLiteral("Q119.wav"));
        QCOMPARE(p.ChoiceSound(3), QStringLiteral("Q119A4.wav"));
        p.SelectAnswer(0);
        // Item 120 offers three answers: slot 4's name stays from item 119, unreachable behind its hidden slot.
        QCOMPARE(p.QuestionSound(), QStringLiteral("Q120.wav"));
        QCOMPARE(p.ChoiceSound(0), QStringLiteral("Q120A1.wav"));
        QCOMPARE(p.ChoiceSound(2), QStringLiteral("Q120A3.wav"));
        QCOMPARE(p.ChoiceSound(3), QStringLiteral("Q119A4.wav"));
        QVERIFY(!p.SlotVisible(3));
    }

    void sounds_namesAreTrimmedAndEmptyStaysEmpty()
    {
        QuestionSet set = FixtureQuestionSet();
        set.Items[0].QuestionAudio = QStringLiteral("  Q001 ");
        set.Items[0].ChoiceAudio[1] = QStringLiteral(" B ");
        set.Items[1].QuestionAudio.clear();
        set.Items[1].ChoiceAudio[0] = QStringLiteral("   ");
        Presentation p(set, QStringLiteral("English"));
        QCOMPARE(p.QuestionSound(), QStringLiteral("Q001.wav"));
        QCOMPARE(p.ChoiceSound(1), QStringLiteral("B.wav"));
        begin(p);
        p.SelectAnswer(0);
        QCOMPARE(p.QuestionSound(), QString());
        QCOMPARE(p.ChoiceSound(0), QString());
    }

    void language_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("spanish");
        QTest::newRow("English") << "English"
                                 << "ENGLISH" << false;
        QTest::newRow("Spanish keeps its spelling") << "Spanish"
                                                    << "Spanish" << true;
        QTest::newRow("SPANISH") << "SPANISH"
                                 << "SPANISH" << true;
        QTest::newRow("spanish") << "spanish"
                                 << "spanish" << true;
        QTest::newRow("empty") << ""
                               << "ENGLISH" << false;
        QTest::newRow("other") << "French"
                               << "ENGLISH" << false;
    }
    void language()
    {
        QFETCH(QString, given);
        QFETCH(QString, language);
        QFETCH(bool, spanish);
        QCOMPARE(Presentation::NormalizeLanguage(given), language);
        Presentation p(FixtureQuestionSet(), given);
        QCOMPARE(p.Language(), language);
        QCOMPARE(p.IsSpanish(), spanish);
    }

    void emptySet_doesNotCrash()
    {
        Presentation p(QuestionSet{}, QStringLiteral("English"));
        begin(p);
        QCOMPARE(p.CurrentItem().ID, 0);
        p.SelectAnswer(0);
        p.StepBack();
    }

    void saveResponses_writesCountsAndReadsBack()
    {
        QTemporaryDir dir;
        ClientTable table;
        table.setDataPath(dir.path());
        QVERIFY(!table.LoadClients().error);
        table.CurClient = 1;
        table.current() = ClientRecord::blank();
        table.current().Name = QStringLiteral("Sample Client");
        const QString responses = QString(86, QLatin1Char('2')) + QString(37, QLatin1Char('4'));
        QVERIFY(!Presentation::SaveResponses(table, responses));
        QCOMPARE(table.NumClients, 1);

        ClientTable again;
        again.setDataPath(dir.path());
        QVERIFY(!again.LoadClients().error);
        QCOMPARE(again.NumClients, 1);
        QCOMPARE(again.Clients[1].Responses, responses);
        QCOMPARE(again.Clients[1].Name.trimmed(), QStringLiteral("Sample Client"));
    }

    void saveResponses_writeFails_notCountedAndSaysWhy()
    {
        QTemporaryDir dir;
        ClientTable table;
        table.setDataPath(dir.path() + QStringLiteral("/gone"));
        table.CurClient = 1;
        table.current() = ClientRecord::blank();
        const FileError error = Presentation::SaveResponses(table, QString(NumItems, QLatin1Char('1')));
        QVERIFY(error.failed());
        QVERIFY(!error.description.isEmpty());
        QCOMPARE(table.NumClients, 0);
        QCOMPARE(table.current().Responses, QString(NumItems, QLatin1Char('1')));
    }

    void abandon_blanksInMemoryWritesNothing()
    {
        QTemporaryDir dir;
        ClientTable table;
        table.setDataPath(dir.path());
        QVERIFY(!table.LoadClients().error);
        table.CurClient = 1;
        table.current() = ClientRecord::blank();
        table.current().Name = QStringLiteral("Kept");
        QVERIFY(!Presentation::SaveResponses(table, QString(NumItems, QLatin1Char('1'))));
        QFile file(table.ClientFilePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        table.CurClient = 2;
        table.current() = ClientRecord::blank();
        table.current().Name = QStringLiteral("Walked out");
        Presentation::Abandon(table);
        QCOMPARE(table.CurClient, 1);
        QCOMPARE(table.Clients[2], ClientRecord::blank());
        QCOMPARE(table.NumClients, 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
};

QTEST_GUILESS_MAIN(TestPresentation)
#include "test_presentation.moc"
