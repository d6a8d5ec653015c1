// Reading the question database: the demo tables, broken tables, and which languages are on offer.

#include "DataWorkspace.h"
#include "LanguageTables.h"
#include "Profile.h"
#include "QuestionFixtures.h"
#include "QuestionSet.h"
#include "TestDefinition.h"

#include <QSet>
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
        m_dir = std::make_unique<QTemporaryDir>();
        m_profile = std::make_unique<Profile>(m_dir->path() + QStringLiteral("/Quillan.ini"));
        m_ws = std::make_unique<DataWorkspace>(m_dir->path(), *m_profile);
    }
    void cleanup()
    {
        m_ws.reset();
        m_profile.reset();
        m_dir.reset();
    }

    void demoTables_loadWithTheQuestionnairesShape_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("section1");
        QTest::addColumn<QStringList>("section2");
        QTest::newRow("English") << "English" << QStringList{"True", "False"}
                                 << QStringList{"Rare or Never", "Sometimes", "Often", "Very Often or Always"};
        QTest::newRow("Spanish") << "Spanish" << QStringList{"Verdadero", "Falso"}
                                 << QStringList{"Rara vez o nunca", "A veces", "A menudo", "Muy a menudo o siempre"};
    }
    void demoTables_loadWithTheQuestionnairesShape()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, section1);
        QFETCH(QStringList, section2);
        QVERIFY(CopyDemoDatabase(m_dir->path()));
        QString error;
        const auto set = QuestionSet::Load(*m_ws, table, &error);
        QVERIFY2(set, qPrintable(error));
        QCOMPARE(set->Items.size(), NumItems);
        QSet<QString> sounds;
        for (const QuestionItem& item : set->Items) {
            const int section = SectionOfItem(item.ID);
            const QString where = QStringLiteral("item %1").arg(item.ID);
            QVERIFY2(!item.TestQuestion.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(!item.QuestionAudio.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(!sounds.contains(item.QuestionAudio), qPrintable(where + " repeats a question sound"));
            sounds.insert(item.QuestionAudio);
            QStringList answers;
            for (int slot = 0; slot < QuestionItem::MaxAnswers; ++slot) {
                if (!item.hasAnswer(slot))
                    continue;
                answers << item.Answers[slot];
                QVERIFY2(!item.ChoiceAudio[slot].trimmed().isEmpty(), qPrintable(where + " answer without sound"));
            }
            // Every item offers exactly its section's number of answers, in the slots from the first on.
            QCOMPARE(answers.size(), ChoicesOfItem(item.ID));
            QVERIFY2(!item.hasAnswer(answers.size()), qPrintable(where));
            if (section == 1)
                QCOMPARE(answers, section1);
            else if (section == 2)
                QCOMPARE(answers, section2);
        }
    }

    // The answer grid files items by the first five characters of the English ANSWER2.
    void demoEnglish_secondAnswerSortsEachSectionIntoItsGrid()
    {
        QVERIFY(CopyDemoDatabase(m_dir->path()));
        QString error;
        const auto set = QuestionSet::Load(*m_ws, QStringLiteral("English"), &error);
        QVERIFY2(set, qPrintable(error));
        for (const QuestionItem& item : set->Items) {
            const QString head = item.Answers[1].left(5);
            switch (SectionOfItem(item.ID)) {
            case 1:
                QCOMPARE(head, QStringLiteral("False"));
                break;
            case 2:
                QCOMPARE(head, QStringLiteral("Somet"));
                break;
            default:
                for (const char* other : {"False", "No", "Somet", "Mostl", "Often"})
                    QVERIFY2(!item.Answers[1].startsWith(QLatin1String(other)),
                             qPrintable(QStringLiteral("item %1: %2").arg(item.ID).arg(item.Answers[1])));
            }
        }
    }

    void demoSpanish_rendersEveryEnglishItem()
    {
        QVERIFY(CopyDemoDatabase(m_dir->path()));
        QString error;
        const auto english = QuestionSet::Load(*m_ws, QStringLiteral("English"), &error);
        QVERIFY2(english, qPrintable(error));
        const auto spanish = QuestionSet::Load(*m_ws, QStringLiteral("Spanish"), &error);
        QVERIFY2(spanish, qPrintable(error));
        for (int id = 1; id <= NumItems; ++id) {
            QVERIFY(english->item(id).TestQuestion != spanish->item(id).TestQuestion);
            QVERIFY(english->item(id).QuestionAudio != spanish->item(id).QuestionAudio);
        }
    }

    void load_tableNameWithoutRegardToCase_reads()
    {
        QCOMPARE(MakeDatabase(dbPath(), FixtureTableSql(QStringLiteral("English"))), QString());
        QString error;
        const auto set = QuestionSet::Load(*m_ws, QStringLiteral("ENGLISH"), &error);
        QVERIFY2(set, qPrintable(error));
        QCOMPARE(set->item(121).Answers[4], QStringLiteral("A5 of 121"));
        QCOMPARE(set->item(120).hasAnswer(3), false);
        QCOMPARE(set->item(7).ChoiceAudio[1], QStringLiteral("Q007A2"));
    }

    void load_brokenTable_namesTheProblem_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("expected");
        QTest::newRow("item 124") << QStringList{"UPDATE English SET ID = 124 WHERE ID = 123"} << "English"
                                  << "has an item numbered \"124\" in row 123; items must be numbered 1 to 123.";
        QTest::newRow("extra row") << QStringList{"INSERT INTO English (ID, ANSWER1, ANSWER2) VALUES (124, 'a', 'b')"}
                                   << "English"
                                   << "numbered \"124\" in row 124";
        QTest::newRow("item 0") << QStringList{"UPDATE English SET ID = 0 WHERE ID = 1"} << "English"
                                << "numbered \"0\" in row 1";
        QTest::newRow("negative") << QStringList{"UPDATE English SET ID = -5 WHERE ID = 9"} << "English"
                                  << "numbered \"-5\" in row 9";
        QTest::newRow("not a number") << QStringList{"UPDATE English SET ID = 'seven' WHERE ID = 7"} << "English"
                                      << "numbered \"seven\" in row 7";
        QTest::newRow("no number") << QStringList{"UPDATE English SET ID = NULL WHERE ID = 8"} << "English"
                                   << "has an item without a number in row 8.";
        QTest::newRow("gap") << QStringList{"DELETE FROM English WHERE ID = 50"} << "English"
                             << "has item 51 in row 50, where item 50 belongs";
        QTest::newRow("out of order")
            << QStringList{"UPDATE English SET ID = CASE ID WHEN 2 THEN 3 ELSE 2 END WHERE ID IN (2, 3)"} << "English"
            << "has item 3 in row 2";
        QTest::newRow("short") << QStringList{"DELETE FROM English WHERE ID > 100"} << "English"
                               << "has 100 items; it needs items 1 to 123.";
        QTest::newRow("empty") << QStringList{"DELETE FROM English"} << "English"
                               << "has 0 items";
        QTest::newRow("no answer 2") << QStringList{"UPDATE English SET ANSWER2 = NULL WHERE ID = 40"} << "English"
                                     << "has no text for answer 2 of item 40.";
        QTest::newRow("empty answer 1") << QStringList{"UPDATE English SET ANSWER1 = '' WHERE ID = 99"} << "English"
                                        << "has no text for answer 1 of item 99.";
        QTest::newRow("missing column") << QStringList{"ALTER TABLE English DROP COLUMN ChoiceAudio5"} << "English"
                                        << "has no column ChoiceAudio5.";
        QTest::newRow("missing table") << QStringList{} << "Spanish"
                                       << "has no question table \"Spanish\"";
        QTest::newRow("bracket in name") << QStringList{} << "Eng]lish"
                                         << "is not a table name";
    }
    void load_brokenTable_namesTheProblem()
    {
        QFETCH(QStringList, changes);
        QFETCH(QString, table);
        QFETCH(QString, expected);
        QCOMPARE(MakeDatabase(dbPath(), FixtureTableSql(QStringLiteral("English")) + changes), QString());
        QString error;
        QVERIFY(!QuestionSet::Load(*m_ws, table, &error));
        QVERIFY2(error.contains(expected), qPrintable(error));
        QVERIFY2(error.contains(dbPath()), qPrintable(error));
        // The database is closed again, so the next reader gets it.
        QVERIFY(m_ws->OpenQuestionDatabase(&error));
    }

    void load_noDatabase_saysTheFileIsMissing()
    {
        QString error;
        QVERIFY(!QuestionSet::Load(*m_ws, QStringLiteral("English"), &error));
        QVERIFY2(error.contains("qn.mdb") && error.contains("is missing"), qPrintable(error));
    }

    void languageTables_inTheDatabasesOrder_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("both") << QStringList{"About", "English", "ScanItem", "Spanish"}
                              << QStringList{"English", "Spanish"};
        QTest::newRow("made Spanish first") << QStringList{"Spanish", "English"} << QStringList{"Spanish", "English"};
        QTest::newRow("English only") << QStringList{"English", "ScanItem"} << QStringList{"English"};
        QTest::newRow("Spanish only") << QStringList{"Spanish"} << QStringList{"Spanish"};
        // Names are compared with case: these are not language tables.
        QTest::newRow("other spellings") << QStringList{"ENGLISH", "Spanish2", "French"} << QStringList{};
        QTest::newRow("none") << QStringList{"About"} << QStringList{};
    }
    void languageTables_inTheDatabasesOrder()
    {
        QFETCH(QStringList, tables);
        QFETCH(QStringList, expected);
        QStringList sql;
        for (const QString& t : tables)
            sql << QStringLiteral("CREATE TABLE [%1] (ID INTEGER)").arg(t);
        QCOMPARE(MakeDatabase(dbPath(), sql), QString());
        QString error;
        QCOMPARE(LanguageTables::Find(*m_ws, &error), expected);
        if (expected.isEmpty()) {
            QVERIFY2(error.contains("has no question table") && error.contains(dbPath()), qPrintable(error));
        }
    }

    void languageTables_demoDatabase_offersEnglishThenSpanish()
    {
        QVERIFY(CopyDemoDatabase(m_dir->path()));
        QString error;
        QCOMPARE(LanguageTables::Find(*m_ws, &error), (QStringList{"English", "Spanish"}));
    }

    void languageTables_unreadableDatabase_saysSo()
    {
        QFile f(dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        QString error;
        QVERIFY(LanguageTables::Find(*m_ws, &error).isEmpty());
        QVERIFY2(error.contains("is damaged"), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestQuestionDatabase)
#include "test_question_database.moc"
