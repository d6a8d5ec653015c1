// Reading the question database: the demo tables, broken tables, and which languages are on offer.

#include "DataWorkspace.h"
#include "LanguageTables.h"
#include "Presentation.h"
#include "PresentationSound.h"
#include "PresentationTexts.h"
#include "Profile.h"
#include "QuestionFixtures.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestQuestionDatabase : public QObject {
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
};

QTEST_GUILESS_MAIN(TestQuestionDatabase)
#include "test_question_database.moc"
