// Keying without a window: answer types, the grids and their places, reading the question table, scrolling, and
// verification by a second keying. The keys each grid takes and the cursor's way through the grids are walked by
// the answer grid window's test and the whole-program test.

#include "AnswerGridLayout.h"
#include "AnswerType.h"
#include "GridKeying.h"
#include "KeyingEnv.h"
#include "VerifyKeying.h"

#include <QSqlQuery>
#include <QTest>
#include <cstring>

namespace {

AnswerGridLayout layoutOf(const QStringList& sheet)
{
    QList<QuestionRow> rows;
    for (int id = 1; id <= sheet.size(); ++id)
        rows.append({id, sheet[id - 1]});
    return AnswerGridLayout::build(rows);
}

} // namespace

class TestAnswerGrids : public QObject {
    Q_OBJECT
private slots:
    void answerTypes_andTheVerificationKeys()
    {
        using namespace AnswerType;
        // Only the first five characters of the second answer count, with case; the layout's test sees every type.
        for (auto [answer2, type] : {std::pair{"False   ", TrueFalse}, {"No way", OwnChoices}, {"false", OwnChoices}})
            QCOMPARE(AnswerTypeOf(QLatin1String(answer2)), type);
        // Verification takes "0" to "2" in section 1, "0" to "4" after it.
        for (auto [item, taken] : {std::pair{1, "012"}, {86, "012"}, {87, "01234"}, {123, "01234"}})
            for (char c : QByteArray("0123456a -"))
                QCOMPARE(VerifyKeying::Accepts(item, QLatin1Char(c)), std::strchr(taken, c) != nullptr);
    }

    void layout_gridsSideBySideAndCentred()
    {
        AnswerGridLayout layout = layoutOf(StandardSheet());
        QCOMPARE(layout.grids.size(), 3);
        // 200, then each left is the previous left + width + 200: 200 + 1120 + 200, 1520 + 1550 + 200.
        QVERIFY(layout.grids[1].left == 1520 && layout.grids[2].left == 3270 && layout.blockWidth() == 5020);
        // Frame 7200: every grid moves by 3600 - 2510.
        layout.centreIn(7200);
        QVERIFY(layout.grids[0].left == 1290 && layout.grids[2].left == 4360);
        // Grids come in order of each type's first item; an item joins the grid of its type.
        layout = layoutOf(StandardSheet(true));
        QList<int> types;
        for (const GridPlan& g : layout.grids)
            types << g.type;
        QCOMPARE(types, (QList<int>{0, 3, 2, 4, 5, 1}));
        QCOMPARE(layout.grids[2].items.mid(0, 3), (QList<int>{111, 112, 115}));
        QVERIFY(layout.gridOfItem(118) == 4 && layout.gridOfItem(124) == -1);
    }

    void readRows_badTables()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"CREATE TABLE Spanish (ID INTEGER, ANSWER2 TEXT)", "cannot be read"},
            {"CREATE TABLE English (ID INTEGER, ANSWER2 TEXT)", "holds no items"},
            {"CREATE TABLE English (ID INTEGER, ANSWER2 TEXT);INSERT INTO English VALUES(1,'x');"
             "INSERT INTO English VALUES(124,'x')",
             "row 2 has the item number \"124\""},
            {"CREATE TABLE English (ID TEXT, ANSWER2 TEXT);INSERT INTO English VALUES('a','x')", "item number \"a\""}};
        for (const auto& [sql, expected] : rows) {
            KeyingEnv env({}, false);
            QCOMPARE(WriteDatabase(env.workspace.questionDatabasePath(), QString::fromLatin1(sql).split(';')),
                     QString());
            QString error;
            auto database = env.workspace.OpenQuestionDatabase(&error);
            QVERIFY2(database, qPrintable(error));
            const QuestionRowsResult result = ReadQuestionRows(database->db(), database->path());
            QVERIFY2(result.error.contains(QLatin1String(expected)) && result.error.contains("qn.mdb"),
                     qPrintable(result.error));
            QVERIFY(result.rows.isEmpty());
        }
    }

    void scrollTopRow()
    {
        // The cursor row outside the 17 shown brings the view to row - 1, or to Rows - 17 near the end (87 rows).
        for (auto [row, top, expected] :
             {std::tuple{17, 1, 1}, {18, 1, 17}, {33, 17, 17}, {34, 17, 33}, {1, 33, 1}, {82, 65, 70}, {86, 1, 70}})
            QCOMPARE(ScrollTopRow(row, 87, top, 17), expected);
    }

    void verifyKeying_secondKeyingAndCorrections()
    {
        QString stored = QString(NumItems, QLatin1Char('1'));
        VerifyKeying v(QStringLiteral("  ") + stored + QStringLiteral(" "));
        QVERIFY(!v.backspace()); // nothing before the first item
        QCOMPARE(v.key(QLatin1Char('3')), VerifyKeying::Step::Refused);
        QCOMPARE(v.key(QLatin1Char('2')), VerifyKeying::Step::Moved);
        QVERIFY(v.backspace() && v.currentItem() == 1);
        for (int i = 1; i < NumItems; ++i)
            v.key(QLatin1Char(i == 40 || i == 100 ? '2' : '1'));
        QCOMPARE(v.previousItem(), NumItems - 1);
        QCOMPARE(v.key(QLatin1Char('1')), VerifyKeying::Step::NeedsCorrection);
        QCOMPARE(v.list(), (QList<int>{40, 100}));
        QVERIFY(v.correctionPass() && v.currentItem() == 40 && !v.backspace());
        QCOMPARE(v.key(QLatin1Char('1')), VerifyKeying::Step::Moved);
        QCOMPARE(v.key(QLatin1Char('3')), VerifyKeying::Step::Corrected);
        stored[99] = QLatin1Char('3');
        QCOMPARE(v.secondKeying(), stored);

        VerifyKeying same(stored.left(NumItems - 1)); // a short stored string differs where it ends
        for (QChar c : stored)
            same.key(c);
        QCOMPARE(same.list(), QList<int>{NumItems});
        VerifyKeying none(stored);
        for (int i = 0; i < NumItems - 1; ++i)
            none.key(stored[i]);
        QCOMPARE(none.key(stored.back()), VerifyKeying::Step::NoDifferences);
    }
};

QTEST_GUILESS_MAIN(TestAnswerGrids)
#include "test_answer_grids.moc"
