// The course of an on-screen test without its window: stepping back, the answers kept, the answer slots, the
// sounds named and found, what focusing a control does. The window tests walk whole tests, saving and abandoning.

#include "FakeAudio.h"
#include "Presentation.h"
#include "PresentationFocus.h"
#include "PresentationSound.h"
#include "PresentationTexts.h"
#include "QuestionFixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Step = Presentation::Step;

// Answers the items shown with `slotFor` until item `last` is answered or the test ends, leaving every instructions
// screen on the way (Start() and the general screen included).
Step answerThrough(
    Presentation& p, int last, int (*slotFor)(int) = [](int) { return 0; })
{
    if (p.InstructionsSection() < 0)
        p.Start();
    Step step;
    for (int guard = 0; guard < 1000 && !p.IsFinished(); ++guard) {
        if (p.InstructionsShowing()) {
            p.LeaveInstructions();
            continue;
        }
        const int id = p.CurrentItem().ID;
        step = p.SelectAnswer(slotFor(id));
        if (id == last)
            break;
    }
    return step;
}

// Item `id` shown, no instructions screen up.
void goTo(Presentation& p, int id)
{
    if (id > 1)
        answerThrough(p, id - 1);
    else
        p.Start();
    while (p.InstructionsShowing())
        p.LeaveInstructions();
}

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class TestPresentation : public QObject {
    Q_OBJECT
private slots:
    void stepBack()
    {
        // From item `from`, F10 shows item `shown` (no section screen on the way back); item 1 only beeps.
        for (auto [from, shown] : {std::pair{1, 1}, {2, 1}, {50, 49}, {87, 86}, {111, 110}, {123, 122}}) {
            Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
            goTo(p, from);
            const Step s = p.StepBack();
            QCOMPARE(s.beep, from == 1);
            QCOMPARE(s.focusQuestion, from != 1);
            QVERIFY(!p.InstructionsShowing());
            QCOMPARE(p.CurrentItem().ID, shown);
            QCOMPARE(p.CurrentSection(), SectionOfItem(shown));
            QCOMPARE(p.QuestionSound(), QStringLiteral("Q%1.wav").arg(shown, 3, 10, QLatin1Char('0')));
        }
    }

    void stepBack_keepsAnswersAndRepeatsTheSectionEnd()
    {
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        answerThrough(p, 86);
        QVERIFY(p.InstructionsShowing());
        QCOMPARE(p.StepBack().focusQuestion, false); // nothing while the section's screen shows
        p.LeaveInstructions();
        p.SelectAnswer(0);
        p.StepBack();
        p.StepBack();
        QCOMPARE(p.CurrentItem().ID, 86);
        QCOMPARE(p.ItemAnswer(87), 1); // kept until answered again
        const Step s = p.SelectAnswer(1);
        QCOMPARE(s.sectionDone, 1);
        QCOMPARE(s.instructions, 2);
        QCOMPARE(p.ItemAnswer(86), 2);
        QCOMPARE(p.Responses().left(3), QStringLiteral("111"));
        QCOMPARE(p.Responses().mid(85, 3), QStringLiteral("210"));
    }

    void soundNames_trimmedAndKeptBehindHiddenSlots()
    {
        QuestionSet set = FixtureQuestionSet();
        set.Items[0].QuestionAudio = QStringLiteral("  Q001 ");
        set.Items[0].ChoiceAudio[1] = QStringLiteral(" B ");
        set.Items[1].QuestionAudio.clear();
        set.Items[1].ChoiceAudio[0] = QStringLiteral("   ");
        Presentation p(set, QStringLiteral("English"));
        QCOMPARE(p.QuestionSound(), QStringLiteral("Q001.wav"));
        QCOMPARE(p.ChoiceSound(1), QStringLiteral("B.wav"));
        goTo(p, 2);
        QCOMPARE(p.QuestionSound(), QString());
        QCOMPARE(p.ChoiceSound(0), QString());
        goTo(p, 120);
        QCOMPARE(p.QuestionSound(), QStringLiteral("Q120.wav"));
        QCOMPARE(p.ChoiceSound(2), QStringLiteral("Q120A3.wav"));
        QCOMPARE(p.ChoiceSound(3), QStringLiteral("Q119A4.wav")); // item 120 offers three: never played
    }

    void language()
    {
        const std::tuple<const char*, const char*, bool> rows[] = {
            {"English", "ENGLISH", false}, {"Spanish", "Spanish", true}, {"SPANISH", "SPANISH", true},
            {"spanish", "spanish", true},  {"", "ENGLISH", false},       {"French", "ENGLISH", false}};
        for (const auto& [given, language, spanish] : rows) {
            Presentation p(FixtureQuestionSet(), QLatin1String(given));
            QCOMPARE(p.Language(), QString::fromLatin1(language));
            QCOMPARE(p.IsSpanish(), spanish);
        }
        // A slot the item does not offer cannot be chosen (item 120 offers three).
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, 120);
        for (int slot : {3, QuestionItem::MaxAnswers, -1})
            QCOMPARE(p.SelectAnswer(slot).focusQuestion, false);
        QCOMPARE(p.CurrentItem().ID, 120);
        Presentation empty(QuestionSet{}, QStringLiteral("English")); // an unchecked empty set does not crash
        goTo(empty, 1);
        empty.SelectAnswer(0);
        empty.StepBack();
    }

    void sound_playedFromTheLanguagesFolder()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        touch(root + "/QUILLAN/sound/ENGLISH/Q001.wav");
        touch(root + "/QUILLAN/sound/SPANISH/s017.WAV"); // made where case does not count
        touch(root + "/QUILLAN/sound/ENGLISH/Q002.wav/inside");
        // Played path under the sound path; empty: nothing played.
        const std::tuple<const char*, const char*, const char*> rows[] = {
            {"ENGLISH", "Q001.wav", "/QUILLAN/sound/ENGLISH/Q001.wav"},
            {"Spanish", "S017.wav", "/QUILLAN/sound/SPANISH/s017.WAV"},
            {"ENGLISH", "Q003.wav", ""},
            {"ENGLISH", "Q002.wav", ""}, // a folder
            {"ENGLISH", "s017.WAV", ""}, // another language's
            {"ENGLISH", "../ENGLISH/Q001.wav", ""},
            {"ENGLISH", "..\\ENGLISH\\Q001.wav", ""},
            {"FRENCH", "Q001.wav", ""}};
        for (const auto& [language, file, played] : rows) {
            FakeAudio audio;
            PresentationSound sound(audio, root, QLatin1String(language));
            QVERIFY(sound.PrepareAudio());
            const QString expected = *played ? root + QLatin1String(played) : QString();
            QCOMPARE(sound.PlaySoundFile(QLatin1String(file)), expected);
            // The sound playing is stopped first, whether or not there is anything new to play.
            QCOMPARE(audio.calls.value(0), QStringLiteral("stop"));
            QCOMPARE(audio.played, *played ? QStringList{expected} : QStringList());
        }
        // The sound path as set, with a trailing separator, with Windows separators; folders matched without case.
        for (const QString& path : {root + "/", QString(root).replace('/', '\\')})
            QCOMPARE(PresentationSound::FindSoundFile(path, "ENGLISH", "Q001.wav").isEmpty(), false);
        QCOMPARE(PresentationSound::FindSoundFile(QStringLiteral("c:"), "ENGLISH", "Q001.wav"), QString());
        touch(root + "/other/quillan/SOUND/english/q001.wav");
        QCOMPARE(PresentationSound::FindSoundFile(root + "/other", "ENGLISH", "Q001.wav"),
                 root + "/other/quillan/SOUND/english/q001.wav");

        // No device: nothing is played or stopped, and a device turning up later does not switch audio back on.
        FakeAudio audio;
        audio.available = false;
        PresentationSound off(audio, root, QStringLiteral("ENGLISH"));
        QVERIFY(!off.PrepareAudio());
        QCOMPARE(off.PlaySoundFile(QStringLiteral("Q001.wav")), QString());
        off.StopSound();
        audio.available = true;
        QVERIFY(!off.PrepareAudio());
        QCOMPARE(off.PlaySoundFile(QStringLiteral("Q001.wav")), QString());
        QCOMPARE(audio.calls, QStringList());
    }

    void focus_speaksWhenSentOrMovedNotOnActivation()
    {
        // Events in order: s the question box sent the focus, q/Q it gained the focus by the window's activation or
        // otherwise, a/A the same for an answer, ( and ) a change of the item begins and ends. The responses to the
        // focus gained: - nothing, = shown, + shown and spoken.
        const std::pair<const char*, const char*> rows[] = {{"Q", "+"},         {"q", "="},        {"sq", "+"},
                                                            {"sqq", "+="},      {"(Qa)Q", "--+"},  {"(s)q", "+"},
                                                            {"((A)a)A", "--+"}, {"(s(q))q", "-+"}, {"aA", "=+"}};
        for (const auto& [events, expected] : rows) {
            PresentationFocus focus;
            QString responses;
            for (const char* e = events; *e; ++e) {
                using R = PresentationFocus::Response;
                R r = R::Ignore;
                switch (*e) {
                case 's':
                    focus.questionSent();
                    continue;
                case '(':
                    focus.beginChange();
                    continue;
                case ')':
                    focus.endChange();
                    continue;
                case 'q':
                case 'Q':
                    r = focus.questionGained(*e == 'q');
                    break;
                default:
                    r = focus.answerGained(*e == 'a');
                }
                responses += r == R::Ignore ? '-' : r == R::Show ? '=' : '+';
            }
            QCOMPARE(responses, QLatin1String(expected));
        }
    }
};

QTEST_GUILESS_MAIN(TestPresentation)
#include "test_presentation.moc"
