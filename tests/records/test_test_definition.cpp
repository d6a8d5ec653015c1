// The questionnaire's sections and the answers each item takes.

#include "TestDefinition.h"

#include <QTest>

class TestTestDefinition : public QObject {
    Q_OBJECT
private slots:
    void sectionsAndChoices()
    {
        // Item, its section and its number of choices; outside 1 to 123 none.
        const int rows[][3] = {{1, 1, 2},   {86, 1, 2}, {87, 2, 4},  {110, 2, 4}, {111, 3, 4},
                               {123, 3, 4}, {0, 0, 0},  {124, 0, 0}, {-5, 0, 0},  {70000, 0, 0}};
        for (const auto& [item, section, choices] : rows) {
            QCOMPARE(SectionOfItem(item), section);
            QCOMPARE(ChoicesOfItem(item), choices);
        }
        QVERIFY(InRange(5, 5, 5) && InRange(9, 5, 9) && !InRange(4, 5, 9) && !InRange(10, 5, 9));
    }

    void answerOf()
    {
        // The stored character of an item and the answer it counts as: one the item does not offer is none.
        const int rows[][3] = {{1, '1', 1},   {86, '2', 2}, {5, '3', 0}, {87, '4', 4},
                               {123, '5', 0}, {50, '0', 0}, {50, ' ', 0}};
        for (const auto& [item, stored, answer] : rows) {
            QString responses = EmptyResponses();
            responses[item - 1] = QLatin1Char(char(stored));
            QCOMPARE(AnswerOf(responses, item), answer);
        }
        QCOMPARE(EmptyResponses(), QString(NumItems, QLatin1Char('0')));
    }
};

QTEST_GUILESS_MAIN(TestTestDefinition)
#include "test_test_definition.moc"
