#include "TestDefinition.h"

#include <QTest>

class TestTestDefinition : public QObject {
    Q_OBJECT
private slots:
    void sectionOfItem_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("choices");
        QTest::newRow("first") << 1 << 1 << 2;
        QTest::newRow("end of true/false") << 86 << 1 << 2;
        QTest::newRow("first rating") << 87 << 2 << 4;
        QTest::newRow("last rating") << 110 << 2 << 4;
        QTest::newRow("first choice") << 111 << 3 << 4;
        QTest::newRow("last") << 123 << 3 << 4;
        QTest::newRow("zero") << 0 << 0 << 0;
        QTest::newRow("past the end") << 124 << 0 << 0;
        QTest::newRow("negative") << -5 << 0 << 0;
        QTest::newRow("beyond 16 bits") << 70000 << 0 << 0;
    }
    void sectionOfItem()
    {
        QFETCH(int, item);
        QFETCH(int, section);
        QFETCH(int, choices);
        QCOMPARE(SectionOfItem(item), section);
        QCOMPARE(ChoicesOfItem(item), choices);
    }

    void inRange_includesBothBounds()
    {
        QVERIFY(InRange(5, 5, 5));
        QVERIFY(!InRange(4, 5, 9));
        QVERIFY(InRange(9, 5, 9));
        QVERIFY(!InRange(10, 5, 9));
    }

    void answerOf_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QChar>("stored");
        QTest::addColumn<int>("answer");
        QTest::newRow("true") << 1 << QChar('1') << 1;
        QTest::newRow("false") << 86 << QChar('2') << 2;
        QTest::newRow("3 is not a true/false answer") << 5 << QChar('3') << 0;
        QTest::newRow("rating 4") << 87 << QChar('4') << 4;
        QTest::newRow("5 is past four choices") << 123 << QChar('5') << 0;
        QTest::newRow("omitted") << 50 << QChar('0') << 0;
        QTest::newRow("blank") << 50 << QChar(' ') << 0;
    }
    void answerOf()
    {
        QFETCH(int, item);
        QFETCH(QChar, stored);
        QFETCH(int, answer);
        QString responses = EmptyResponses();
        responses[item - 1] = stored;
        QCOMPARE(AnswerOf(responses, item), answer);
    }

    void emptyResponses_has123Omitted()
    {
        const QString r = EmptyResponses();
        QCOMPARE(r.size(), 123);
        int omitted = 0;
        for (int i = 1; i <= NumItems; ++i)
            omitted += AnswerOf(r, i) == 0;
        QCOMPARE(omitted, 123);
    }
};

QTEST_GUILESS_MAIN(TestTestDefinition)
#include "test_test_definition.moc"
