// Test administration without a window: reading the question database (the demo tables, broken tables, the
// languages on offer), the course of an on-screen test (stepping back, the answers kept, the answer slots), the
// sounds named and found, and what focusing a control does. The window tests walk whole tests, saving and abandoning.

#include "DataWorkspace.h"
#include "FakeAudio.h"
#include "LanguageTables.h"
#include "Presentation.h"
#include "PresentationFocus.h"
#include "PresentationSound.h"
#include "PresentationTexts.h"
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
    // Every sound the demo tables and the screens name was spoken into the demo installation by the build. Their
    // shape is checked by loading them, which the whole-program test does.
    void demoSounds()
    {
        if (!QFileInfo(ProgramDirForTests() + "/QUILLAN/sound").isDir())
            QSKIP("the build made no demo sounds (espeak-ng was not found when it was configured)");
        QFile::remove(m_db);
        QVERIFY(CopyDemoDatabase(m_dir.path()));
        for (const char* table : {"English", "Spanish"}) {
            QString error;
            const auto set = QuestionSet::Load(m_ws, QLatin1String(table), &error);
            QVERIFY2(set, qPrintable(error));
            QSet<QString> named{PresentationTexts::InstructionSound(0), PresentationTexts::InstructionSound(1),
                                PresentationTexts::InstructionSound(2), PresentationTexts::InstructionSound(3)};
            for (const QuestionItem& item : set->Items) {
                named << item.QuestionAudio + ".wav";
                for (int a = 0; a < QuestionItem::MaxAnswers && item.hasAnswer(a); ++a)
                    named << item.ChoiceAudio[a] + ".wav";
            }
            for (const QString& name : named) {
                QFile f(PresentationSound::FindSoundFile(ProgramDirForTests(), Presentation::NormalizeLanguage(table),
                                                         name));
                QVERIFY2(f.open(QIODevice::ReadOnly) && f.read(4) == "RIFF" && f.size() > 1000, qPrintable(name));
            }
        }
    }

    void brokenTables()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"UPDATE English SET ID = 124 WHERE ID = 123",
             "has an item numbered \"124\" in row 123; items must be numbered 1 to 123."},
            {"INSERT INTO English (ID, ANSWER1, ANSWER2) VALUES (124, 'a', 'b')", "numbered \"124\" in row 124"},
            {"UPDATE English SET ID = 0 WHERE ID = 1", "numbered \"0\" in row 1"},
            {"UPDATE English SET ID = 'seven' WHERE ID = 7", "numbered \"seven\" in row 7"},
            {"UPDATE English SET ID = NULL WHERE ID = 8", "has an item without a number in row 8."},
            {"DELETE FROM English WHERE ID = 50", "has item 51 in row 50, where item 50 belongs"},
            {"DELETE FROM English WHERE ID > 100", "has 100 items; it needs items 1 to 123."},
            {"UPDATE English SET ANSWER2 = NULL WHERE ID = 40", "has no text for answer 2 of item 40."},
            {"UPDATE English SET ANSWER1 = '' WHERE ID = 99", "has no text for answer 1 of item 99."},
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

    void languageTables_inTheDatabasesOrder()
    {
        // Tables made, and the languages offered; names are compared with case. Then a missing file.
        const std::pair<QStringList, QStringList> rows[] = {
            {{"About", "English", "ScanItem", "Spanish"}, {"English", "Spanish"}},
            {{"Spanish", "English"}, {"Spanish", "English"}},
            {{"ENGLISH", "Spanish2", "French"}, {}}};
        for (const auto& [tables, expected] : rows) {
            QStringList sql;
            for (const QString& t : tables)
                sql << QStringLiteral("CREATE TABLE [%1] (ID INTEGER)").arg(t);
            QCOMPARE(MakeDatabase(m_db, sql), QString());
            QString error;
            QCOMPARE(LanguageTables::Find(m_ws, &error), expected);
            QCOMPARE(error.contains("has no question table") && error.contains(m_db), expected.isEmpty());
        }
        QString error;
        QFile::remove(m_db);
        QVERIFY(!QuestionSet::Load(m_ws, QStringLiteral("English"), &error));
        QVERIFY2(error.contains("qn.mdb") && error.contains("is missing"), qPrintable(error));
    }

    void stepBack_keepsAnswers()
    {
        // From item `from`, F10 shows item `shown` (no section screen on the way back); item 1 only beeps.
        for (auto [from, shown] : {std::pair{1, 1}, {2, 1}, {87, 86}, {111, 110}, {123, 122}}) {
            Presentation p(FixtureQuestionSet(), QStringLiteral("English"));
            goTo(p, from);
            const Presentation::Step s = p.StepBack();
            QCOMPARE(s.beep, from == 1);
            QCOMPARE(s.focusQuestion, from != 1);
            QVERIFY(!p.InstructionsShowing());
            QCOMPARE(p.CurrentItem().ID, shown);
            QCOMPARE(p.CurrentSection(), SectionOfItem(shown));
            QCOMPARE(p.QuestionSound(), QStringLiteral("Q%1.wav").arg(shown, 3, 10, QLatin1Char('0')));
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
        QCOMPARE(s.sectionDone, 1);
        QCOMPARE(s.instructions, 2); // the section's end comes again
        QCOMPARE(p.Responses().mid(84, 4), QStringLiteral("1210"));
    }

    void soundNames_andAnswerSlots()
    {
        QuestionSet set = FixtureQuestionSet();
        set.Items[0].QuestionAudio = QStringLiteral("  Q001 ");
        set.Items[0].ChoiceAudio[1] = QStringLiteral(" B ");
        set.Items[1].QuestionAudio.clear();
        set.Items[1].ChoiceAudio[0] = QStringLiteral("   ");
        Presentation p(set, QStringLiteral("English"));
        goTo(p, 1);
        QCOMPARE(p.QuestionSound() + p.ChoiceSound(1), QStringLiteral("Q001.wavB.wav"));
        goTo(p, 2);
        QCOMPARE(p.QuestionSound() + p.ChoiceSound(0), QString());
        goTo(p, 120);
        QCOMPARE(p.ChoiceSound(2) + p.ChoiceSound(3), QStringLiteral("Q120A3.wavQ119A4.wav")); // 4: never played
        // A slot the item does not offer cannot be chosen (item 120 offers three).
        for (int slot : {3, QuestionItem::MaxAnswers, -1})
            QCOMPARE(p.SelectAnswer(slot).focusQuestion, false);
        QCOMPARE(p.CurrentItem().ID, 120);
        Presentation empty(QuestionSet{}, QStringLiteral("English")); // an unchecked empty set does not crash
        goTo(empty, 1);
        empty.SelectAnswer(0);
        empty.StepBack();
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
        // The sound path with a trailing separator, with Windows separators; folders matched without case.
        for (const QString& path : {root + "/", QString(root).replace('/', '\\')})
            QVERIFY(!PresentationSound::FindSoundFile(path, "ENGLISH", "Q001.wav").isEmpty());
        QCOMPARE(PresentationSound::FindSoundFile(QStringLiteral("c:"), "ENGLISH", "Q001.wav"), QString());
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
                if (*e == 's' || *e == '(' || *e == ')') {
                    *e == 's' ? focus.questionSent() : *e == '(' ? focus.beginChange() : focus.endChange();
                    continue;
                }
                const R r =
                    QChar(*e).toLower() == 'q' ? focus.questionGained(*e == 'q') : focus.answerGained(*e == 'a');
                responses += r == R::Ignore ? '-' : r == R::Show ? '=' : '+';
            }
            QCOMPARE(responses, QLatin1String(expected));
        }
    }
};

QTEST_GUILESS_MAIN(TestPresentation)
#include "test_presentation.moc"
