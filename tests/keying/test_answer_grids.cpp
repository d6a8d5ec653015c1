// The answer grids without a window: answer types, the grid each item joins, placement, keys, scrolling, and reading
// the question table.

#include "AnswerGridLayout.h"
#include "AnswerType.h"
#include "DataWorkspace.h"
#include "GridKeying.h"
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
        QTest::newRow("False") << "False" << 0;
        QTest::newRow("False, padded") << "False   " << 0;
        QTest::newRow("No") << "No" << 1;
        QTest::newRow("No, then more") << "No way" << 2;
        QTest::newRow("Sometimes") << "Sometimes" << 3;
        QTest::newRow("Mostly True") << "Mostly True" << 4;
        QTest::newRow("Often") << "Often" << 5;
        QTest::newRow("Often or more") << "Often or more" << 5;
        QTest::newRow("own answer") << "One or two" << 2;
        QTest::newRow("lower case is not False") << "false" << 2;
        QTest::newRow("empty") << "" << 2;
    }
    void answerType_fromFirstFiveCharacters()
    {
        QFETCH(QString, answer2);
        QFETCH(int, type);
        QCOMPARE(AnswerTypeOf(answer2), type);
    }

    void acceptedKeys_byType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("accepted");
        QTest::newRow("true/false") << 0 << "012";
        QTest::newRow("yes/no") << 1 << "012";
        QTest::newRow("own four") << 2 << "01234";
        QTest::newRow("frequency") << 3 << "01234";
        QTest::newRow("mostly") << 4 << "012345";
        QTest::newRow("often") << 5 << "012345";
    }
    void acceptedKeys_byType()
    {
        QFETCH(int, type);
        QFETCH(QString, accepted);
        QString got;
        for (QChar c : QStringLiteral("0123456789aX -.\r"))
            if (GridAcceptsKey(type, c))
                got += c;
        QCOMPARE(got, accepted);
    }

    void build_itemsJoinGridOfTheirType()
    {
        QList<QuestionRow> rows;
        for (const FixtureItem& item : SheetWithOtherForms())
            rows.append({item.id, item.answers.value(1)});
        const AnswerGridLayout layout = AnswerGridLayout::build(rows);
        // Grids appear in the order their types first appear in the table.
        QList<int> types;
        for (const GridPlan& g : layout.grids)
            types << g.type;
        QCOMPARE(types, (QList<int>{0, 3, 2, 4, 5, 1}));
        QCOMPARE(layout.grids[0].items.size(), 86);
        QCOMPARE(layout.grids[1].items.size(), 24);
        QCOMPARE(layout.grids[2].items, (QList<int>{111, 112, 115, 116, 119, 121, 122, 123}));
        QCOMPARE(layout.grids[3].items, (QList<int>{113, 114}));
        QCOMPARE(layout.grids[4].items, (QList<int>{117, 118}));
        QCOMPARE(layout.grids[5].items, (QList<int>{120}));
        QCOMPARE(layout.gridOfItem(120), 5);
        QCOMPARE(layout.gridOfItem(124), -1);
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

    void geometry_byType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("cols");
        QTest::newRow("0") << 0 << 1120 << 3;
        QTest::newRow("1") << 1 << 1120 << 3;
        QTest::newRow("2") << 2 << 1550 << 5;
        QTest::newRow("3") << 3 << 1550 << 5;
        QTest::newRow("4") << 4 << 1750 << 6;
        QTest::newRow("5") << 5 << 1750 << 6;
    }
    void geometry_byType()
    {
        QFETCH(int, type);
        QFETCH(int, width);
        QFETCH(int, cols);
        const GridGeometry g = GeometryOf(type);
        QCOMPARE(g.width, width);
        QCOMPARE(g.cols, cols);
        QCOMPARE(g.firstColWidth, 400);
        QCOMPARE(g.answerColWidth, 200);
    }

    void scrollTopRow_followsTheRule_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("expected");
        QTest::newRow("visible stays") << 10 << 87 << 1 << 1;
        QTest::newRow("last visible row") << 17 << 87 << 1 << 1;
        QTest::newRow("one below") << 18 << 87 << 1 << 17;
        QTest::newRow("near the end") << 82 << 87 << 65 << 70;
        QTest::newRow("row + 16 equals Rows") << 71 << 87 << 1 << 70;
        QTest::newRow("back to row 1") << 1 << 87 << 40 << 1;
        QTest::newRow("above the view") << 30 << 87 << 40 << 29;
    }
    void scrollTopRow_followsTheRule()
    {
        QFETCH(int, row);
        QFETCH(int, rows);
        QFETCH(int, top);
        QFETCH(int, expected);
        QCOMPARE(ScrollTopRow(row, rows, top, 17), expected);
    }

    void keying_withoutWindow_advancesAndRebuildsResponses()
    {
        QList<QuestionRow> rows;
        for (const FixtureItem& item : StandardSheet())
            rows.append({item.id, item.answers.value(1)});
        QString stored = EmptyResponses();
        stored[2] = '2';
        GridKeying k(AnswerGridLayout::build(rows), stored);
        QCOMPARE(k.markedColumn(0, 3), 2);
        QCOMPARE(k.cellText(0, 3, 2), QStringLiteral("X"));
        QCOMPARE(k.cellText(0, 3, 0), QStringLiteral("3."));
        QCOMPARE(k.cellText(1, 0, 0), QStringLiteral("Num"));
        k.focusGained(0);
        QVERIFY(k.keyPress(0, '1').focusGrid == -1);
        QCOMPARE(k.row(0), 2);
        QVERIFY(k.keyPress(0, '3').beep);
        QCOMPARE(k.row(0), 2);
        QCOMPARE(k.responses(123).left(4), QStringLiteral("1020"));
    }

    void readRows_badTables_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no table") << "CREATE TABLE Spanish (ID INTEGER, ANSWER2 TEXT)" << "cannot be read";
        QTest::newRow("empty") << "CREATE TABLE English (ID INTEGER, ANSWER2 TEXT)" << "holds no items";
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
