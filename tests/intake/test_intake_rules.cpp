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

    void checkDateEntry_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("entry");
        QTest::newRow("N") << "N_/__/____" << int(DateEntry::NotAvailable);
        QTest::newRow("lower n") << "n_/__/____" << int(DateEntry::NotAvailable);
        QTest::newRow("N then digits") << "N1/__/____" << int(DateEntry::Refused);
        QTest::newRow("date") << "12/31/2000" << int(DateEntry::Date);
        QTest::newRow("unfinished") << "12/31/20__" << int(DateEntry::Refused);
        QTest::newRow("impossible") << "02/30/1970" << int(DateEntry::Refused);
        QTest::newRow("before 1890") << "12/31/1889" << int(DateEntry::Refused);
        QTest::newRow("future") << "12/31/2030" << int(DateEntry::Refused);
        QTest::newRow("empty") << "__/__/____" << int(DateEntry::Refused);
    }
    void checkDateEntry()
    {
        QFETCH(QString, box);
        QTEST(int(CheckDateEntry(box, QDate(2026, 3, 15))), "entry");
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

    void storedDob()
    {
        QCOMPARE(StoredDob(QStringLiteral("N_/__/____")), QStringLiteral("N"));
        QCOMPARE(StoredDob(QStringLiteral("n_/__/____")), QStringLiteral("N"));
        QCOMPARE(StoredDob(QStringLiteral("12/31/2000")), QStringLiteral("12/31/2000"));
    }

    void dobEditValue_unfinishedDateIsNoValue()
    {
        const QDate today(2026, 3, 15);
        QCOMPARE(DobEditValue(QStringLiteral("12/31/2000"), today), QStringLiteral("12/31/2000"));
        QCOMPARE(DobEditValue(QStringLiteral("N_/__/____"), today), QStringLiteral("N_/__/____"));
        QVERIFY(DobEditValue(QStringLiteral("12/31/20__"), today).isEmpty());
        QVERIFY(DobEditValue(QStringLiteral("02/30/1970"), today).isEmpty());
    }

    void courtCountValid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("N") << "N" << true;
        QTest::newRow("n") << "n" << true;
        QTest::newRow("0") << "0" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("7") << "7" << true;
        QTest::newRow("12") << "12" << true;
        QTest::newRow("99") << "99" << true;
        QTest::newRow("blanks around") << " 5" << true;
        QTest::newRow("two zeros") << "00" << false;
        QTest::newRow("minus one") << "-1" << false;
        QTest::newRow("100") << "100" << false;
        QTest::newRow("N and a digit") << "N1" << false;
        QTest::newRow("letter") << "x" << false;
        QTest::newRow("digit and letter") << "5a" << false;
        QTest::newRow("plus sign") << "+5" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks") << "  " << false;
    }
    void courtCountValid()
    {
        QFETCH(QString, text);
        QTEST(CourtCountValid(text), "valid");
    }

    void confirmedCourtCount_lowerNBecomesUpper()
    {
        QCOMPARE(ConfirmedCourtCount(QStringLiteral("n")), QStringLiteral("N"));
        QCOMPARE(ConfirmedCourtCount(QStringLiteral(" 7 ")), QStringLiteral("7"));
    }

    void courtKeyOverflows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("empty") << "" << 0 << false;
        QTest::newRow("one") << "1" << 0 << false;
        QTest::newRow("two") << "12" << 0 << true;
        QTest::newRow("two, one selected") << "12" << 1 << true;
        QTest::newRow("two, both selected") << "12" << 2 << false;
    }
    void courtKeyOverflows()
    {
        QFETCH(QString, text);
        QFETCH(int, selected);
        QTEST(CourtKeyOverflows(text, selected), "overflows");
    }

    void comboTyped_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("position");
        const int sel = int(ComboKey::Action::Select), open = int(ComboKey::Action::OpenList),
                  refuse = int(ComboKey::Action::Refuse);
        const int g = int(DemographicList::Gender), r = int(DemographicList::Race), m = int(DemographicList::Marital),
                  e = int(DemographicList::Education);
        QTest::newRow("gender 1") << g << QChar('1') << sel << 1;
        QTest::newRow("gender 2") << g << QChar('2') << sel << 2;
        QTest::newRow("gender 3") << g << QChar('3') << refuse << -1;
        QTest::newRow("gender M") << g << QChar('M') << refuse << -1;
        QTest::newRow("gender N") << g << QChar('N') << sel << 0;
        QTest::newRow("gender n") << g << QChar('n') << sel << 0;
        QTest::newRow("race 0") << r << QChar('0') << sel << 0;
        QTest::newRow("race 6") << r << QChar('6') << sel << 6;
        QTest::newRow("race 7") << r << QChar('7') << refuse << -1;
        QTest::newRow("race N") << r << QChar('N') << open << -1;
        QTest::newRow("marital 5") << m << QChar('5') << sel << 5;
        QTest::newRow("marital 6") << m << QChar('6') << refuse << -1;
        QTest::newRow("marital n") << m << QChar('n') << sel << 0;
        QTest::newRow("education 8") << e << QChar('8') << sel << 8;
        QTest::newRow("education 9") << e << QChar('9') << refuse << -1;
        QTest::newRow("education space") << e << QChar(' ') << refuse << -1;
    }
    void comboTyped()
    {
        QFETCH(int, list);
        QFETCH(QChar, key);
        QFETCH(int, position);
        const ComboKey k = ComboTyped(DemographicList(list), key);
        QTEST(int(k.action), "action");
        if (k.action == ComboKey::Action::Select)
            QCOMPARE(k.position, position);
    }

    void codePosition_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("position");
        QTest::newRow("gender 2") << int(DemographicList::Gender) << "2" << 2;
        QTest::newRow("scanned N") << int(DemographicList::Race) << "N" << 0;
        QTest::newRow("scanned empty") << int(DemographicList::Race) << "" << 0;
        QTest::newRow("blank") << int(DemographicList::Marital) << " " << 0;
        QTest::newRow("education 8") << int(DemographicList::Education) << "8" << 8;
        QTest::newRow("past the list") << int(DemographicList::Gender) << "5" << -1;
    }
    void codePosition()
    {
        QFETCH(int, list);
        QFETCH(QString, code);
        QTEST(CodePosition(DemographicList(list), code), "position");
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
