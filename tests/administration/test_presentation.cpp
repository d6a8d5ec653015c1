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
#include <QRegularExpression>
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
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Profile> m_profile;
    std::unique_ptr<DataWorkspace> m_ws;

    QString dbPath() const { return m_dir->path() + QStringLiteral("/qn.mdb"); }

private slots:
    void init()
    {
        m_ws.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_profile = std::make_unique<Profile>(m_dir->path() + QStringLiteral("/Quillan.ini"));
        m_ws = std::make_unique<DataWorkspace>(m_dir->path(), *m_profile);
    }

    // Both demo tables have the questionnaire's shape, and every sound they and the screens name was spoken into
    // the demo installation by the build; the answer grids file the English items by the first five characters of
    // their second answer.
    void demoTables()
    {
        QVERIFY(CopyDemoDatabase(m_dir->path()));
        QString error;
        QCOMPARE(LanguageTables::Find(*m_ws, &error), (QStringList{"English", "Spanish"}));
        const auto english = QuestionSet::Load(*m_ws, QStringLiteral("English"), &error);
        QVERIFY2(english, qPrintable(error));
        const auto spanish = QuestionSet::Load(*m_ws, QStringLiteral("Spanish"), &error);
        QVERIFY2(spanish, qPrintable(error));
        const bool withSounds = QFileInfo(ProgramDirForTests() + "/QUILLAN/sound").isDir();
        for (const QuestionSet* set : {&*english, &*spanish}) {
            QCOMPARE(set->Items.size(), NumItems);
            QStringList sounds, named;
            for (int s = 0; s < PresentationTexts::InstructionScreens; ++s)
                named << PresentationTexts::InstructionSound(s);
            for (const QuestionItem& item : set->Items) {
                const QString where = QStringLiteral("%1 item %2").arg(set->Table).arg(item.ID);
                QVERIFY2(!item.TestQuestion.trimmed().isEmpty() && !item.QuestionAudio.trimmed().isEmpty(),
                         qPrintable(where));
                sounds << item.QuestionAudio;
                int offered = 0;
                while (offered < QuestionItem::MaxAnswers && item.hasAnswer(offered)) {
                    QVERIFY2(!item.ChoiceAudio[offered].trimmed().isEmpty(), qPrintable(where));
                    named << item.ChoiceAudio[offered++] + ".wav";
                }
                QVERIFY2(offered == ChoicesOfItem(item.ID) && !item.hasAnswer(offered), qPrintable(where));
            }
            sounds.removeDuplicates();
            QCOMPARE(sounds.size(), NumItems);
            for (const QString& name : named + sounds.replaceInStrings(QRegularExpression("$"), ".wav")) {
                if (!withSounds)
                    break; // the build made no demo sounds (espeak-ng was not found when it was configured)
                QFile f(PresentationSound::FindSoundFile(ProgramDirForTests(),
                                                         Presentation::NormalizeLanguage(set->Table), name));
                QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(name + " is missing"));
                const QByteArray head = f.read(12);
                QVERIFY2(head.startsWith("RIFF") && head.mid(8, 4) == "WAVE" && f.size() > 1000, qPrintable(name));
            }
        }
        for (int id = 1; id <= NumItems; ++id) {
            QVERIFY(english->item(id).TestQuestion != spanish->item(id).TestQuestion);
            QVERIFY(english->item(id).QuestionAudio != spanish->item(id).QuestionAudio);
            const QString head = english->item(id).Answers[1].left(5);
            const int section = SectionOfItem(id);
            QVERIFY2(section == 1   ? head == QLatin1String("False")
                     : section == 2 ? head == QLatin1String("Somet")
                                    : !QStringList({"False", "No", "Somet", "Mostl", "Often"}).contains(head),
                     qPrintable(QStringLiteral("item %1: %2").arg(id).arg(head)));
        }
        QCOMPARE(english->item(87).Answers[3], QStringLiteral("Very Often or Always"));
        QCOMPARE(spanish->item(1).Answers[0], QStringLiteral("Verdadero"));
    }

    void brokenTable_namesTheProblem()
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
            {"ALTER TABLE English RENAME TO Spanish", "has no question table \"English\""},
        };
        for (const auto& [change, expected] : rows) {
            QCOMPARE(MakeDatabase(dbPath(), FixtureTableSql(QStringLiteral("English")) << change), QString());
            QString error;
            QVERIFY(!QuestionSet::Load(*m_ws, QStringLiteral("English"), &error));
            QVERIFY2(error.contains(QLatin1String(expected)) && error.contains(dbPath()), qPrintable(error));
            // The database is closed again, so the next reader gets it.
            QVERIFY(m_ws->OpenQuestionDatabase(&error));
        }
        QString error;
        QVERIFY(!QuestionSet::Load(*m_ws, QStringLiteral("Eng]lish"), &error));
        QVERIFY2(error.contains("is not a table name"), qPrintable(error));
        // The table name is matched without regard to case.
        QCOMPARE(MakeDatabase(dbPath(), FixtureTableSql(QStringLiteral("English"))), QString());
        const auto set = QuestionSet::Load(*m_ws, QStringLiteral("ENGLISH"), &error);
        QVERIFY2(set, qPrintable(error));
        QCOMPARE(set->item(121).Answers[4], QStringLiteral("A5 of 121"));
        QCOMPARE(set->item(7).ChoiceAudio[1], QStringLiteral("Q007A2"));
    }

    void languageTables_inTheDatabasesOrder()
    {
        // Tables made, and the languages offered; names are compared with case.
        const std::pair<QStringList, QStringList> rows[] = {
            {{"About", "English", "ScanItem", "Spanish"}, {"English", "Spanish"}},
            {{"Spanish", "English"}, {"Spanish", "English"}},
            {{"ENGLISH", "Spanish2", "French"}, {}},
        };
        for (const auto& [tables, expected] : rows) {
            QStringList sql;
            for (const QString& t : tables)
                sql << QStringLiteral("CREATE TABLE [%1] (ID INTEGER)").arg(t);
            QCOMPARE(MakeDatabase(dbPath(), sql), QString());
            QString error;
            QCOMPARE(LanguageTables::Find(*m_ws, &error), expected);
            QCOMPARE(error.contains("has no question table") && error.contains(dbPath()), expected.isEmpty());
        }
        QFile f(dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        QString error;
        QVERIFY(LanguageTables::Find(*m_ws, &error).isEmpty());
        QVERIFY2(error.contains("is damaged"), qPrintable(error));
        QFile::remove(dbPath());
        QVERIFY(!QuestionSet::Load(*m_ws, QStringLiteral("English"), &error));
        QVERIFY2(error.contains("qn.mdb") && error.contains("is missing"), qPrintable(error));
    }
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
