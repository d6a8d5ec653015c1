// Test administration without a window: broken question tables, the course of an on-screen test (stepping back, the
// answers kept, the answer slots), the sounds named and found, and what focusing a control does. The window tests
// walk whole tests, the chains that end early (the languages on offer among them), saving and abandoning.

#include "DataWorkspace.h"
#include "FakeAudio.h"
#include "Presentation.h"
#include "PresentationFocus.h"
#include "PresentationSound.h"
#include "Profile.h"
#include "QuestionFixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Item `id` shown, every item before it answered with its first answer and every instructions screen left.
void goTo(Presentation& p, int id)
{
    if (p.InstructionsSection() < 0)
        p.Start();
    for (int guard = 0; guard < 1000 && !p.IsFinished(); ++guard) {
        if (p.InstructionsShowing())
            p.LeaveInstructions();
        else if (p.CurrentItem().ID == id)
            return;
        else
            p.SelectAnswer(0);
    }
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
    QTemporaryDir m_dir;
    Profile m_profile{m_dir.filePath(QStringLiteral("Quillan.ini"))};
    DataWorkspace m_ws{m_dir.path(), m_profile};
    const QString m_db = m_dir.filePath(QStringLiteral("qn.mdb"));

private slots:
    void brokenTables()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"UPDATE English SET ID = 124 WHERE ID = 123",
             "has an item numbered \"124\" in row 123; items must be numbered 1 to 123."},
            {"INSERT INTO English (ID, ANSWER1, ANSWER2) VALUES (124, 'a', 'b')", "numbered \"124\" in row 124"},
            {"UPDATE English SET ID = 0 WHERE ID = 1", "numbered \"0\" in row 1"},
            {"UPDATE English SET ID = NULL WHERE ID = 8", "has an item without a number in row 8."},
            {"DELETE FROM English WHERE ID = 50", "has item 51 in row 50, where item 50 belongs"},
            {"DELETE FROM English WHERE ID > 100", "has 100 items; it needs items 1 to 123."},
            {"UPDATE English SET ANSWER2 = NULL WHERE ID = 40", "has no text for answer 2 of item 40."},
            {"ALTER TABLE English DROP COLUMN ChoiceAudio5", "has no column ChoiceAudio5."},
            {"ALTER TABLE English RENAME TO Spanish", "has no question table \"English\""}};
        for (const auto& [change, expected] : rows) {
            QCOMPARE(MakeDatabase(m_db, FixtureTableSql(QStringLiteral("English")) << change), QString());
            QString error;
            QVERIFY(!QuestionSet::Load(m_ws, QStringLiteral("English"), &error));
            QVERIFY2(error.contains(QLatin1String(expected)) && error.contains(m_db), qPrintable(error));
            // The database is closed again, so the next reader gets it.
            QVERIFY(m_ws.OpenQuestionDatabase(&error));
        }
        QString error;
        QVERIFY(!QuestionSet::Load(m_ws, QStringLiteral("Eng]lish"), &error) && error.contains("is not a table name"));
        // The table name is matched without regard to case.
        QCOMPARE(MakeDatabase(m_db, FixtureTableSql(QStringLiteral("English"))), QString());
        const auto set = QuestionSet::Load(m_ws, QStringLiteral("ENGLISH"), &error);
        QVERIFY2(set && set->item(121).Answers[4] == "A5 of 121", qPrintable(error));
    }

    void stepBack_keepsAnswers()
    {
        // From item `from`, F10 shows item `shown` (no section screen on the way back); item 1 only beeps.
        for (auto [from, shown] : {std::pair{1, 1}, {2, 1}, {87, 86}, {111, 110}, {123, 122}}) {
            Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
            goTo(p, from);
            const Presentation::Step s = p.StepBack();
            QVERIFY(s.beep == (from == 1) && s.focusQuestion == (from != 1) && !p.InstructionsShowing());
            QCOMPARE(p.CurrentItem().ID, shown);
            QCOMPARE(p.CurrentSection(), SectionOfItem(shown));
        }
        Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
        goTo(p, 86);
        p.SelectAnswer(0);
        QCOMPARE(p.StepBack().focusQuestion, false); // nothing while the section's screen shows
        p.LeaveInstructions();
        p.SelectAnswer(0);
        p.StepBack();
        p.StepBack();
        QCOMPARE(p.ItemAnswer(87), 1); // kept until answered again
        const Presentation::Step s = p.SelectAnswer(1);
        QVERIFY(s.sectionDone == 1 && s.instructions == 2); // the section's end comes again
        QCOMPARE(p.Responses().mid(84, 4), QStringLiteral("1210"));
    }

    void soundNames_andAnswerSlots()
    {
        QuestionSet set = FixtureQuestionSet();
        set.Items[119].QuestionAudio = QStringLiteral("  Q120 ");
        Presentation p(set, QStringLiteral("English"));
        goTo(p, 120);
        // Names are trimmed; a slot the item does not offer (item 120 offers three) is never played or chosen.
        QCOMPARE(p.QuestionSound() + p.ChoiceSound(2), QStringLiteral("Q120.wavQ120A3.wav"));
        for (int slot : {3, QuestionItem::MaxAnswers, -1})
            QCOMPARE(p.SelectAnswer(slot).focusQuestion, false);
        QCOMPARE(p.CurrentItem().ID, 120);
    }

    void sound_playedFromTheLanguagesFolderOnly()
    {
        const QString root = m_dir.path();
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
        // Folders are matched without case.
        touch(root + "/other/quillan/SOUND/english/q001.wav");
        QCOMPARE(PresentationSound::FindSoundFile(root + "/other", "ENGLISH", "Q001.wav"),
                 root + "/other/quillan/SOUND/english/q001.wav");
        // No device: nothing is played or stopped, and a device turning up later does not switch audio back on.
        FakeAudio audio;
        audio.available = false;
        PresentationSound off(audio, root, QStringLiteral("ENGLISH"));
        QVERIFY(!off.PrepareAudio());
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
            using R = PresentationFocus::Response;
            PresentationFocus focus;
            QString responses;
            for (const char* e = events; *e; ++e) {
                const R r = *e == 's'                    ? (focus.questionSent(), R(-1))
                            : *e == '('                  ? (focus.beginChange(), R(-1))
                            : *e == ')'                  ? (focus.endChange(), R(-1))
                            : QChar(*e).toLower() == 'q' ? focus.questionGained(*e == 'q')
                                                         : focus.answerGained(*e == 'a');
                responses += QString("-=+").mid(int(r), 1); // an event without a response adds nothing
            }
            QCOMPARE(responses, QLatin1String(expected));
        }
    }
};

QTEST_GUILESS_MAIN(TestPresentation)
#include "test_presentation.moc"
