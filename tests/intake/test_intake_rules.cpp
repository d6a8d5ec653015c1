// The intake rules without a window: dates of birth, court counts, list typing, the edit limit, the new client.

#include "CourtCount.h"
#include "DateOfBirth.h"
#include "Demographics.h"
#include "EditLimit.h"
#include "NewClient.h"

#include <QTest>

class TestIntakeRules : public QObject {
    Q_OBJECT
private slots:
    void goodDate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("good");
        // Today is 03/15/2026 throughout.
        QTest::newRow("ordinary") << "03/14/1987" << true;
        QTest::newRow("last day of 2000") << "12/31/2000" << true;
        QTest::newRow("born since 2000") << "01/01/2001" << true;
        QTest::newRow("born this year") << "01/02/2026" << true;
        QTest::newRow("today") << "03/15/2026" << true;
        QTest::newRow("tomorrow") << "03/16/2026" << false;
        QTest::newRow("next year") << "01/01/2027" << false;
        QTest::newRow("first day of 1890") << "01/01/1890" << true;
        QTest::newRow("last day of 1889") << "12/31/1889" << false;
        QTest::newRow("february 30") << "02/30/1970" << false;
        QTest::newRow("february 29 of a leap year") << "02/29/1972" << true;
        QTest::newRow("february 29 of a common year") << "02/29/1971" << false;
        QTest::newRow("month 13") << "13/01/1970" << false;
        QTest::newRow("month 0") << "00/10/1970" << false;
        QTest::newRow("day 32") << "01/32/1970" << false;
        QTest::newRow("day 0") << "01/00/1970" << false;
        QTest::newRow("prompts left") << "03/14/19__" << false;
        QTest::newRow("not available") << "N_/__/____" << false;
        QTest::newRow("dashes") << "03-14-1987" << false;
        QTest::newRow("short") << "3/14/1987" << false;
        QTest::newRow("empty") << "" << false;
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
        QTest::newRow("stored date") << "03/14/1987"
                                     << "03/14/1987";
        QTest::newRow("stored N") << "N         "
                                  << "N_/__/____";
        QTest::newRow("stored N form") << "N_/__/____"
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

    void lists_haveTheirEntriesInCodeOrder()
    {
        QCOMPARE(DemographicEntries(DemographicList::Gender), (QStringList{"N/A", "Male", "Female"}));
        QCOMPARE(DemographicEntries(DemographicList::Race).at(5), QStringLiteral("Native American"));
        QCOMPARE(DemographicEntries(DemographicList::Marital).at(4), QStringLiteral("Separated"));
        QCOMPARE(DemographicEntries(DemographicList::Education).at(3), QStringLiteral("G. E D."));
        QCOMPARE(HighestCode(DemographicList::Education), 8);
    }

    void editLimit_threeChangesReachTheLimit()
    {
        EditLimit limit(0, {"Avery", "2", "03/14/1987", "3", "1", "4"});
        QCOMPARE(limit.fieldLeft(IntakeField::Name, "Avery"), EditLimit::Outcome::Same);
        QCOMPARE(limit.fieldLeft(IntakeField::Gender, "1"), EditLimit::Outcome::Counted);
        QCOMPARE(limit.fieldLeft(IntakeField::Name, "Jordan"), EditLimit::Outcome::Counted);
        QCOMPARE(limit.count(), 2);
        QVERIFY(!limit.reached());
        QCOMPARE(limit.fieldLeft(IntakeField::Race, "5"), EditLimit::Outcome::LimitReached);
        QCOMPARE(limit.count(), 3);
        QCOMPARE(limit.countDigit(), QStringLiteral("3"));
        QVERIFY(limit.reached());
    }

    void editLimit_changeAndUndoCountTwice()
    {
        EditLimit limit(0, {"Avery", "2", "03/14/1987", "3", "1", "4"});
        QCOMPARE(limit.fieldLeft(IntakeField::Gender, "1"), EditLimit::Outcome::Counted);
        QCOMPARE(limit.fieldLeft(IntakeField::Gender, "1"), EditLimit::Outcome::Same);
        QCOMPARE(limit.fieldLeft(IntakeField::Gender, "2"), EditLimit::Outcome::Counted);
        QCOMPARE(limit.count(), 2);
    }

    void editLimit_startsFromTheStoredCount()
    {
        EditLimit limit(2, {"Avery", "2", "03/14/1987", "3", "1", "4"});
        QCOMPARE(limit.fieldLeft(IntakeField::Education, "8"), EditLimit::Outcome::LimitReached);
        QVERIFY(EditLimit(3, {}).reached());
        // A damaged count above the limit is held at the limit.
        QCOMPARE(EditLimit(7, {}).countDigit(), QStringLiteral("3"));
    }

    void newClientRecord_isBlankWithZeroAnswersAndToday()
    {
        const ClientRecord r = NewClientRecord(QDate(2026, 3, 5));
        QCOMPARE(r.Responses, QString(123, QLatin1Char('0')));
        QCOMPARE(r.EditCount, QStringLiteral("0"));
        QCOMPARE(r.NameDeleted, QStringLiteral("0"));
        QCOMPARE(r.TestDate, QStringLiteral("03/05/2026"));
        QCOMPARE(r.DrugArrests, QStringLiteral("  "));
        QCOMPARE(r.toBytes().size(), ClientRecord::Size);
    }
};

QTEST_GUILESS_MAIN(TestIntakeRules)
#include "test_intake_rules.moc"
