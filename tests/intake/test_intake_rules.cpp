// The intake rules the windows cannot reach by typing: dates of birth, stored dates, court counts, the stored edit
// count.

#include "CourtCount.h"
#include "DateOfBirth.h"
#include "EditLimit.h"

#include <QTest>

class TestIntakeRules : public QObject {
    Q_OBJECT
private slots:
    void goodDate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("good");
        // Today is 03/15/2026. The window tests type the year range and the other common cases.
        QTest::newRow("born this year") << "01/02/2026" << true;
        QTest::newRow("next year") << "01/01/2027" << false;
        QTest::newRow("february 29 of a leap year") << "02/29/1972" << true;
        QTest::newRow("february 29 of a common year") << "02/29/1971" << false;
        QTest::newRow("month 13") << "13/01/1970" << false;
        QTest::newRow("month 0") << "00/10/1970" << false;
        QTest::newRow("day 32") << "01/32/1970" << false;
        QTest::newRow("day 0") << "01/00/1970" << false;
        QTest::newRow("dashes") << "03-14-1987" << false;
        QTest::newRow("short") << "3/14/1987" << false;
    }
    void goodDate()
    {
        QFETCH(QString, date);
        QTEST(GoodDate(date, QDate(2026, 3, 15)), "good");
    }

    void dateBoxText_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("box");
        QTest::newRow("stored N") << "N         "
                                  << "N_/__/____";
        QTest::newRow("blank") << "          "
                               << "__/__/____";
        // A scanned date with unread columns keeps the digits that were read.
        QTest::newRow("scan, day unread") << "03/1N/1987"
                                          << "03/1_/1987";
        QTest::newRow("scan, year unread") << "03/14/NNN7"
                                           << "03/14/___7";
    }
    void dateBoxText()
    {
        QFETCH(QString, date);
        QTEST(DateBoxText(date), "box");
    }

    void courtCountValid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        // What a two-character box cannot hold or the window tests do not type.
        QTest::newRow("12") << "12" << true;
        QTest::newRow("blanks around") << " 5 " << true;
        QTest::newRow("100") << "100" << false;
        QTest::newRow("plus sign") << "+5" << false;
        QTest::newRow("N and blank") << "N " << true;
    }
    void courtCountValid()
    {
        QFETCH(QString, text);
        QTEST(CourtCountValid(text), "valid");
    }

    void editLimit_startsFromTheStoredCount()
    {
        EditLimit limit(2, {"Avery", "2", "03/14/1987", "3", "1", "4"});
        QCOMPARE(limit.fieldLeft(IntakeField::Education, "8"), EditLimit::Outcome::LimitReached);
        QVERIFY(EditLimit(3, {}).reached());
        // A damaged count above the limit is held at the limit.
        QCOMPARE(EditLimit(7, {}).countDigit(), QStringLiteral("3"));
    }
};

QTEST_GUILESS_MAIN(TestIntakeRules)
#include "test_intake_rules.moc"
