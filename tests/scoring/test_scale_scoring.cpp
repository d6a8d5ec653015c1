// The scale rules: raw points, omitted and endorsed counts, percentiles, truthfulness bands, caps, the ratio scale.

#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QTest>

namespace {

struct Scored {
    ScoringError error;
    ClientSnapshot snapshot;
    ScoreSheet sheet;
};

Scored score(const ClientRecord& r, const ScoringTables& t, bool percentiles = true)
{
    Scored s;
    s.error = TakeClientSnapshot(r, 1, s.snapshot, s.sheet);
    if (s.error)
        return s;
    ComputeRawScores(t, s.snapshot, s.sheet);
    if (percentiles)
        ComputePercentiles(t, s.snapshot, s.sheet);
    return s;
}

} // namespace

class TestScaleScoring : public QObject {
    Q_OBJECT
private:
    ScoringTables m_tables;
    ReportWording m_wording;

private slots:
    void init()
    {
        QVERIFY(!LoadScoringData(TestProgramFile(QStringLiteral("QNB.TXT")),
                                 TestProgramFile(QStringLiteral("QNRPT.TXT")), m_tables, m_wording));
    }

    void plainClient_scoresOnlyItsMultipleChoicePoints()
    {
        // Answer 1 to items 113, 114 and 111 earns 3, 3 and 2 points; every True/False item is False.
        const Scored s = score(PlainClient(), m_tables);
        QVERIFY(!s.error);
        const std::array<int16_t, 7> raw{0, 0, 3, 3, 0, 2, 60};
        QCOMPARE(s.sheet.RawPoints, raw);
        const std::array<int16_t, 6> endorsed{0, 0, 1, 1, 0, 1};
        QCOMPARE(s.sheet.EndorsedCount, endorsed);
        // Alcohol 3 raw points: 9th percentile; Beta 0 raw points: 0, which lifts nothing.
        QCOMPARE(s.sheet.Percentile[2], 9);
        QCOMPARE(s.sheet.Percentile[5], 6);
        QCOMPARE(s.sheet.Percentile[6], 10);
    }

    void invalidTestRule_data()
    {
        QTest::addColumn<int>("trueAnswers");
        QTest::addColumn<int>("truthRaw");
        QTest::newRow("80 True answers") << 80 << 10;
        QTest::newRow("81 True answers") << 81 << 99;
        QTest::newRow("all 86 True") << 86 << 99;
    }
    void invalidTestRule()
    {
        QFETCH(int, trueAnswers);
        QFETCH(int, truthRaw);
        ClientRecord r = PlainClient();
        SetAnswers(r, 1, trueAnswers, QLatin1Char('1'));
        const Scored s = score(r, m_tables, false);
        QCOMPARE(s.sheet.RawPoints[1], truthRaw);
    }

    void omittedItems_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("percentile");
        QTest::newRow("3 Alcohol items omitted") << 11 << 3 << 2 << 9;
        QTest::newRow("4 Alcohol items omitted") << 11 << 4 << 2 << 99;
        QTest::newRow("5 Drugs items omitted") << 21 << 5 << 3 << 99;
        QTest::newRow("4 Beta items omitted: no such rule") << 31 << 4 << 4 << 0;
        QTest::newRow("4 Anger items omitted") << 41 << 4 << 5 << 99;
    }
    void omittedItems()
    {
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, scale);
        QFETCH(int, percentile);
        ClientRecord r = PlainClient();
        SetAnswers(r, first, first + count - 1, QLatin1Char('0'));
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.OmittedCount[scale], count);
        QCOMPARE(s.sheet.Percentile[scale], percentile);
    }

    void omittedTruthItems_makeEveryPercentile99()
    {
        ClientRecord r = PlainClient();
        SetAnswers(r, 1, 4, QLatin1Char('0'));
        const Scored s = score(r, m_tables);
        for (int scale = 1; scale <= 6; ++scale)
            QCOMPARE(s.sheet.Percentile[scale], 99);
        QCOMPARE(s.sheet.RawPoints[2], 3); // no correction was applied
    }

    void rawAboveTable_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("percentile");
        QTest::newRow("Beta gives 39") << 4 << 31 << 39;
        QTest::newRow("Alcohol gives 99") << 2 << 11 << 99;
        QTest::newRow("Anger gives 99") << 5 << 41 << 99;
    }
    void rawAboveTable()
    {
        QFETCH(int, scale);
        QFETCH(int, first);
        QFETCH(int, percentile);
        m_tables.NormLength[1][1][scale] = 5;
        ClientRecord r = PlainClient();
        SetAnswers(r, first, first + 5, QLatin1Char('1')); // 6 points, or more
        const Scored s = score(r, m_tables);
        QVERIFY(s.sheet.RawPoints[scale] > 5);
        QCOMPARE(s.sheet.Percentile[scale], percentile);
    }

    void endorsedCaps_data()
    {
        QTest::addColumn<int>("endorsed");
        QTest::addColumn<int>("percentile");
        QTest::newRow("court history only") << 0 << 7;
        QTest::newRow("one endorsed item") << 1 << 18;
        QTest::newRow("two endorsed items") << 2 << 37;
        QTest::newRow("three endorsed items") << 3 << 60;
    }
    void endorsedCaps()
    {
        QFETCH(int, endorsed);
        QFETCH(int, percentile);
        for (int x = 1; x <= 2; ++x)
            for (int raw = 1; raw <= 33; ++raw)
                m_tables.NormTable[x][1][2][raw] = 60;
        ClientRecord r = PlainClient();
        r.Responses[113 - 1] = QLatin1Char('3'); // no points from item 113
        r.AlcoholArrests = QStringLiteral("12");
        if (endorsed > 0)
            SetAnswers(r, 11, 10 + endorsed, QLatin1Char('1'));
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.EndorsedCount[2], endorsed);
        QCOMPARE(s.sheet.RawPoints[2], 6 + endorsed); // court points do not count as endorsed
        QCOMPARE(s.sheet.Percentile[2], percentile);
    }

    void truthBands_data()
    {
        QTest::addColumn<int>("truthPercentile");
        QTest::addColumn<int>("band");
        const QList<QPair<int, int>> rows{{0, 0},  {9, 0},  {10, 1}, {19, 1}, {20, 2}, {39, 3},
                                          {40, 4}, {49, 4}, {50, 5}, {55, 5}, {56, 6}, {69, 6},
                                          {70, 7}, {79, 7}, {80, 8}, {89, 8}, {90, 9}, {94, 9}};
        for (const auto& [p, b] : rows)
            QTest::addRow("percentile %d", p) << p << b;
    }
    void truthBands()
    {
        QFETCH(int, truthPercentile);
        QFETCH(int, band);
        QCOMPARE(TruthBand(truthPercentile), band);
        m_tables.NormTable[1][1][1][1] = static_cast<int16_t>(truthPercentile);
        ClientRecord r = PlainClient();
        r.Responses[0] = QLatin1Char('1'); // one Truthfulness point
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.Percentile[1], truthPercentile);
        // The test tables add the band number to scales 2..5 and twice it to scale 6.
        QCOMPARE(s.sheet.RawPoints[2], 3 + band);
        QCOMPARE(s.sheet.RawPoints[3], 3 + band);
        QCOMPARE(s.sheet.RawPoints[4], band);
        QCOMPARE(s.sheet.RawPoints[5], 2 + band);
        QCOMPARE(s.sheet.RawPoints[6], 60 + 2 * band);
        QCOMPARE(s.sheet.Percentile[2], std::min(3 * (3 + band), 18)); // one endorsed item caps at 18
    }

    void truthPercentile95_setsEveryOtherScaleTo99AndStops()
    {
        m_tables.NormTable[1][1][1][1] = 95;
        ClientRecord r = PlainClient();
        r.Responses[0] = QLatin1Char('1');
        const Scored s = score(r, m_tables);
        QCOMPARE(TruthBand(95), InvalidTruthBand);
        for (int scale = 2; scale <= 6; ++scale)
            QCOMPARE(s.sheet.Percentile[scale], 99);
        QCOMPARE(s.sheet.RawPoints[2], 3); // uncorrected
    }

    void ratioScale_data()
    {
        QTest::addColumn<QString>("section2");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("omitted");
        QTest::addColumn<int>("percentile");
        // Items 87..110; the first sum takes 87 89 92 94 97 99 102 107 110, the second 88 90 91 95 98 100 103 104 105.
        QTest::newRow("equal sums: raw on a threshold belongs to the band below")
            << QStringLiteral("111111111111111111111111") << 60 << 0 << 10;
        QTest::newRow("unanswered count 1 and 4") << QStringLiteral("000000000000000000000000") << 15 << 24 << 2;
        QTest::newRow("quotient truncated") << QStringLiteral("211111111111111111111111") << 66 << 0 << 12;
        QTest::newRow("items outside both sums do not count")
            << QStringLiteral("111111411011114111101441") << 60 << 2 << 10;
        QTest::newRow("first sum high") << QStringLiteral("414114141141411411114114") << 240 << 0 << 46;
    }
    void ratioScale()
    {
        QFETCH(QString, section2);
        QFETCH(int, raw);
        QFETCH(int, omitted);
        QFETCH(int, percentile);
        ClientRecord r = PlainClient();
        r.Responses.replace(86, 24, section2);
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.RawPoints[6], raw);
        QCOMPARE(s.sheet.OmittedCount[6], omitted);
        QCOMPARE(s.sheet.Percentile[6], percentile);
    }

    void ratioScale_aboveLastThreshold_isZero()
    {
        for (int k = 1; k <= NumRatioThresholds; ++k)
            m_tables.RatioThresholds[1][k] = static_cast<int16_t>(k);
        const Scored s = score(PlainClient(), m_tables);
        QCOMPARE(s.sheet.RawPoints[6], 60);
        QCOMPARE(s.sheet.Percentile[6], 0);
    }

    void ratioScale_correctedToZero_is99()
    {
        m_tables.NormTable[1][1][1][1] = 10; // band 1
        m_tables.TruthCorrection[1][6] = -60;
        ClientRecord r = PlainClient();
        r.Responses[0] = QLatin1Char('1');
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.RawPoints[6], 0);
        QCOMPARE(s.sheet.Percentile[6], 99);
    }

    void normColumns_data()
    {
        QTest::addColumn<QString>("gender");
        QTest::addColumn<QString>("race");
        QTest::addColumn<int>("percentile");
        // Alcohol raw 10: the test norms give 3 * raw - (sex - 1) - (group - 1).
        Row("gender 0 counts as sex 1", "0", "1", 30);
        Row("blank gender counts as sex 1", " ", "1", 30);
        Row("sex 2", "2", "1", 29);
        Row("race 2", "1", "2", 29);
        Row("race 3, sex 2", "2", "3", 27);
        for (const char* race : {"0", "4", "5", "6", " "})
            QTest::addRow("race '%s' uses group 1", race) << "1" << race << 30;
    }
    void normColumns()
    {
        QFETCH(QString, gender);
        QFETCH(QString, race);
        QFETCH(int, percentile);
        ClientRecord r = PlainClient();
        r.Gender = gender;
        r.Race = race;
        SetAnswers(r, 11, 20, QLatin1Char('1'));
        r.Responses[113 - 1] = QLatin1Char('3');
        const Scored s = score(r, m_tables);
        QVERIFY(!s.error);
        QCOMPARE(s.sheet.RawPoints[2], 10);
        QCOMPARE(s.sheet.Percentile[2], percentile);
    }

    void courtHistory_data()
    {
        QTest::addColumn<QString>("drug");
        QTest::addColumn<QString>("alcohol");
        QTest::addColumn<QString>("assault");
        QTest::addColumn<QString>("dv");
        QTest::addColumn<QString>("anger");
        QTest::addColumn<int>("alcoholPoints");
        QTest::addColumn<int>("drugPoints");
        QTest::addColumn<int>("angerPoints");
        Row("not available", "N ", "-1", "N ", "-1", "N ", 0, 0, 0);
        Row("blank", "  ", "  ", "  ", "  ", "  ", 0, 0, 0);
        Row("at the caps", "5 ", "5 ", "5 ", "5 ", "4 ", 5, 5, 14);
        Row("above the caps", "12", "6 ", "99", "7 ", "7 ", 6, 6, 17);
        Row("negative counts subtract", "-3", "0 ", "0 ", "0 ", "0 ", 0, -3, 0);
    }
    void courtHistory()
    {
        QFETCH(QString, drug);
        QFETCH(QString, alcohol);
        QFETCH(QString, assault);
        QFETCH(QString, dv);
        QFETCH(QString, anger);
        QFETCH(int, alcoholPoints);
        QFETCH(int, drugPoints);
        QFETCH(int, angerPoints);
        ClientRecord r = PlainClient();
        r.DrugArrests = drug;
        r.AlcoholArrests = alcohol;
        r.Assaults = assault;
        r.DVArrests = dv;
        r.Anger = anger;
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.RawPoints[2], 3 + alcoholPoints);
        QCOMPARE(s.sheet.RawPoints[3], 3 + drugPoints);
        QCOMPARE(s.sheet.RawPoints[5], 2 + angerPoints);
        QCOMPARE(s.sheet.EndorsedCount[5], 1);
        if (s.sheet.RawPoints[3] < 0)
            QCOMPARE(s.sheet.Percentile[3], 0); // a negative raw value looks nothing up
    }

    void itemPoints_lastScaleWins()
    {
        // Item 11 scores 1 for Alcohol; listed again under Anger with no points, the Anger value remains.
        ScaleItemList& anger = m_tables.ScaleItems[5];
        anger.items[++anger.count] = 11;
        for (int a = 0; a <= MaxAnswerValue; ++a)
            m_tables.PointKeys[5][a] += QLatin1Char('0');
        ClientRecord r = PlainClient();
        r.Responses[11 - 1] = QLatin1Char('1');
        r.Responses[12 - 1] = QLatin1Char('1');
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.RawPoints[2], 3 + 2);
        QCOMPARE(s.sheet.ItemPoints[11], 0);
        QCOMPARE(s.sheet.ItemPoints[12], 1);
    }

    void pointKeys_shortOrNonDigit_scoreZero()
    {
        m_tables.PointKeys[2][1] = QStringLiteral("1x"); // item 11: 1, item 12: not a digit, the rest: beyond the key
        ClientRecord r = PlainClient();
        SetAnswers(r, 11, 20, QLatin1Char('1'));
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.RawPoints[2], 1);
        QCOMPARE(s.sheet.EndorsedCount[2], 1);
    }

    void anger_isLiftedToBeta()
    {
        ClientRecord r = PlainClient();
        SetAnswers(r, 31, 38, QLatin1Char('1')); // Beta 8 raw points: 24th percentile
        const Scored s = score(r, m_tables);
        QCOMPARE(s.sheet.Percentile[4], 24);
        QCOMPARE(s.sheet.Percentile[5], 24);
    }

    void snapshot_refusesRecordsOutsideTheTables_data()
    {
        QTest::addColumn<QString>("gender");
        QTest::addColumn<int>("item");
        QTest::addColumn<QChar>("answer");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("gender 3") << "3" << 0 << QChar() << "gender code \"3\"";
        QTest::newRow("gender 9") << "9" << 0 << QChar() << "gender code \"9\"";
        QTest::newRow("answer 5") << "1" << 40 << QChar(u'5') << "answer \"5\" to item 40";
        QTest::newRow("answer 9") << "1" << 123 << QChar(u'9') << "answer \"9\" to item 123";
    }
    void snapshot_refusesRecordsOutsideTheTables()
    {
        QFETCH(QString, gender);
        QFETCH(int, item);
        QFETCH(QChar, answer);
        QFETCH(QString, mentions);
        ClientRecord r = PlainClient();
        r.Gender = gender;
        if (item)
            r.Responses[item - 1] = answer;
        const Scored s = score(r, m_tables);
        QVERIFY(s.error);
        QVERIFY2(s.error.message.contains(mentions), qPrintable(s.error.message));
        QVERIFY(s.error.message.contains(QStringLiteral("Plain, Pat")));
    }

    void snapshot_readsOddCharactersAsUnanswered()
    {
        ClientRecord r = PlainClient();
        r.Responses[0] = QLatin1Char('x');
        r.Responses[1] = QLatin1Char(' ');
        r.Responses.chop(3); // a short response string
        r.DrugArrests = QStringLiteral("-1");
        ClientSnapshot snap;
        ScoreSheet sheet;
        QVERIFY(!TakeClientSnapshot(r, 7, snap, sheet));
        QCOMPARE(sheet.Answers[1], 0);
        QCOMPARE(sheet.Answers[2], 0);
        QCOMPARE(sheet.Answers[123], 0);
        QCOMPARE(snap.Court[1], QStringLiteral("N "));
        QCOMPARE(snap.TestNumber, 7);
        QCOMPARE(snap.Name, QStringLiteral("Plain, Pat               "));
    }

    void ranges_data()
    {
        QTest::addColumn<int>("percentile");
        QTest::addColumn<int>("range");
        QTest::addColumn<QString>("marker");
        QTest::newRow("0") << 0 << 1 << "LOW RISK";
        QTest::newRow("39") << 39 << 1 << "LOW RISK";
        QTest::newRow("40") << 40 << 2 << "MEDIUM-LOW";
        QTest::newRow("55") << 55 << 2 << "MEDIUM-LOW";
        QTest::newRow("56") << 56 << 2 << "MEDIUM-HIGH";
        QTest::newRow("69") << 69 << 2 << "MEDIUM-HIGH";
        QTest::newRow("70") << 70 << 3 << "PROBLEM RISK";
        QTest::newRow("89") << 89 << 3 << "PROBLEM RISK";
        QTest::newRow("90") << 90 << 4 << "MAXIMUM-LOW";
        QTest::newRow("94") << 94 << 4 << "MAXIMUM-LOW";
        QTest::newRow("95") << 95 << 4 << "MAXIMUM-HIGH";
        QTest::newRow("99") << 99 << 4 << "MAXIMUM-HIGH";
        QTest::newRow("100") << 100 << 0 << "";
        QTest::newRow("-1") << -1 << 0 << "";
    }
    void ranges()
    {
        QFETCH(int, percentile);
        QFETCH(int, range);
        QFETCH(QString, marker);
        QCOMPARE(RiskRange(percentile), range);
        QCOMPARE(RangeMarker(m_wording, percentile), marker);
    }
};

QTEST_GUILESS_MAIN(TestScaleScoring)
#include "test_scale_scoring.moc"
