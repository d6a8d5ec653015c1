// The answer grids without a window: answer types, the grid each item joins, placement, and reading the question
// table.

#include "AnswerGridLayout.h"
#include "AnswerType.h"
#include "DataWorkspace.h"
#include "KeyingEnv.h"

#include <QSqlQuery>
#include <QTest>

class TestAnswerGrids : public QObject {
    Q_OBJECT
private slots:
    void answerType_fromFirstFiveCharacters_data()
    {
        QTest::addColumn<QString>("answer2");
        QTest::addColumn<int>("type");
        // The window tests file the usual second answers; these are the edges of the five-character rule.
        QTest::newRow("False, padded") << "False   " << 0;
        QTest::newRow("No, then more") << "No way" << 2;
        QTest::newRow("Often or more") << "Often or more" << 5;
        QTest::newRow("lower case is not False") << "false" << 2;
        QTest::newRow("empty") << "" << 2;
    }
    void answerType_fromFirstFiveCharacters()
    {
        QFETCH(QString, answer2);
        QFETCH(int, type);
        QCOMPARE(AnswerTypeOf(answer2), type);
    }

    void build_placesGridsSideBySideAndCentres()
    {
        QList<QuestionRow> rows;
        for (const FixtureItem& item : StandardSheet())
            rows.append({item.id, item.answers.value(1)});
        AnswerGridLayout layout = AnswerGridLayout::build(rows);
        // 200, then each left is the previous left + width + 200: 200 + 1120 + 200, 1520 + 1550 + 200.
        QCOMPARE(layout.grids[0].left, 200);
        QCOMPARE(layout.grids[1].left, 1520);
        QCOMPARE(layout.grids[2].left, 3270);
        QCOMPARE(layout.grids[2].width, 1550);
        QCOMPARE(layout.blockWidth(), 5020);
        // Frame 7200: every grid moves by 3600 - 2510.
        layout.centreIn(7200);
        QCOMPARE(layout.grids[0].left, 1290);
        QCOMPARE(layout.grids[1].left, 2610);
        QCOMPARE(layout.grids[2].left, 4360);
    }

    void readRows_badTables_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no table") << "CREATE TABLE Spanish (ID INTEGER, ANSWER2 TEXT)"
                                  << "cannot be read";
        QTest::newRow("empty") << "CREATE TABLE English (ID INTEGER, ANSWER2 TEXT)"
                               << "holds no items";
        QTest::newRow("item 0") << "CREATE TABLE English (ID INTEGER, ANSWER2 TEXT);INSERT INTO English VALUES(0,'x')"
                                << "row 1 has the item number \"0\"";
        QTest::newRow("item 124")
            << "CREATE TABLE English (ID INTEGER, ANSWER2 TEXT);INSERT INTO English VALUES(1,'x');"
               "INSERT INTO English VALUES(124,'x')"
            << "row 2 has the item number \"124\"";
        QTest::newRow("text id") << "CREATE TABLE English (ID TEXT, ANSWER2 TEXT);INSERT INTO English VALUES('a','x')"
                                 << "item number \"a\"";
    }
    void readRows_badTables()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        KeyingEnv env({}, false);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make");
            db.setDatabaseName(env.workspace.questionDatabasePath());
            QVERIFY(db.open());
            QSqlQuery q(db);
            for (const QString& s : sql.split(';'))
                QVERIFY(q.exec(s));
            db.close();
        }
        QSqlDatabase::removeDatabase("make");
        QString error;
        auto database = env.workspace.OpenQuestionDatabase(&error);
        QVERIFY2(database, qPrintable(error));
        const QuestionRowsResult result = ReadQuestionRows(database->db(), database->path());
        QVERIFY2(result.error.contains(expected), qPrintable(result.error));
        QVERIFY(result.error.contains("qn.mdb"));
        QVERIFY(result.rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAnswerGrids)
#include "test_answer_grids.moc"
