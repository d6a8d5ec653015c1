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

Scored score(const ClientRecord& r, const ScoringTables& t)
{
    Scored s;
    s.error = TakeClientSnapshot(r, 1, s.snapshot, s.sheet);
    if (s.error)
        return s;
    ComputeRawScores(t, s.snapshot, s.sheet);
    ComputePercentiles(t, s.snapshot, s.sheet);
    return s;
}

// The plain client with items first..last answered `answer`.
ClientRecord with(int first, int last, char answer)
{
    ClientRecord r = PlainClient();
    SetAnswers(r, first, last, QLatin1Char(answer));
    return r;
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

    void omittedAndInvalidAnswers()
    {
        // More than 80 True answers make the Truthfulness raw score 99.
        for (auto [trueAnswers, truthRaw] : {std::pair{80, 10}, {81, 99}, {86, 99}})
            QCOMPARE(score(with(1, trueAnswers, '1'), m_tables).sheet.RawPoints[1], truthRaw);
        // Items of a scale left out: from its own limit on, the scale is 99; Beta has no such rule.
        for (auto [first, count, scale, percentile] :
             {std::tuple{11, 3, 2, 9}, {11, 4, 2, 99}, {21, 5, 3, 99}, {31, 4, 4, 0}, {41, 4, 5, 99}}) {
            const Scored s = score(with(first, first + count - 1, '0'), m_tables);
            QCOMPARE(s.sheet.OmittedCount[scale], count);
            QCOMPARE(s.sheet.Percentile[scale], percentile);
        }
        // Four Truthfulness items left out make every percentile 99, without correction.
        const Scored s = score(with(1, 4, '0'), m_tables);
        for (int scale = 1; scale <= 6; ++scale)
            QCOMPARE(s.sheet.Percentile[scale], 99);
        QCOMPARE(s.sheet.RawPoints[2], 3);
    }

    void rawAboveTheNormTable()
    {
        for (auto [scale, first, percentile] : {std::tuple{4, 31, 39}, {2, 11, 99}, {5, 41, 99}}) {
            ScoringTables t = m_tables;
            t.NormLength[1][1][scale] = 5;
            const Scored s = score(with(first, first + 5, '1'), t); // 6 points, or more
            QVERIFY(s.sheet.RawPoints[scale] > 5);
            QCOMPARE(s.sheet.Percentile[scale], percentile);
        }
    }

    void endorsedItemsCapThePercentile()
    {
        for (int x = 1; x <= 2; ++x)
            for (int raw = 1; raw <= 33; ++raw)
                m_tables.NormTable[x][1][2][raw] = 60;
        for (auto [endorsed, percentile] : {std::pair{0, 7}, {1, 18}, {2, 37}, {3, 60}}) {
            ClientRecord r = with(11, 10 + endorsed, '1');
            r.Responses[113 - 1] = QLatin1Char('3'); // no points from item 113
            r.AlcoholArrests = QStringLiteral("12");
            const Scored s = score(r, m_tables);
            QCOMPARE(s.sheet.EndorsedCount[2], endorsed);
            QCOMPARE(s.sheet.RawPoints[2], 6 + endorsed); // court points do not count as endorsed
            QCOMPARE(s.sheet.Percentile[2], percentile);
        }
    }

    void truthBands()
    {
        const std::pair<int, int> rows[] = {{0, 0},  {9, 0},  {10, 1}, {19, 1}, {20, 2}, {39, 3},
                                            {40, 4}, {49, 4}, {50, 5}, {55, 5}, {56, 6}, {69, 6},
                                            {70, 7}, {79, 7}, {80, 8}, {89, 8}, {90, 9}, {94, 9}};
        for (const auto& [truthPercentile, band] : rows) {
            QCOMPARE(TruthBand(truthPercentile), band);
            m_tables.NormTable[1][1][1][1] = static_cast<int16_t>(truthPercentile);
            const Scored s = score(with(1, 1, '1'), m_tables); // one Truthfulness point
            QCOMPARE(s.sheet.Percentile[1], truthPercentile);
            // The test tables add the band number to scales 2..5 and twice it to scale 6.
            const std::array<int, 5> raw{3 + band, 3 + band, band, 2 + band, 60 + 2 * band};
            for (int scale = 2; scale <= 6; ++scale)
                QCOMPARE(s.sheet.RawPoints[scale], raw[scale - 2]);
            QCOMPARE(s.sheet.Percentile[2], std::min(3 * (3 + band), 18)); // one endorsed item caps at 18
        }
        // Truthfulness at 95 or above: every other scale 99, uncorrected.
        m_tables.NormTable[1][1][1][1] = 95;
        const Scored s = score(with(1, 1, '1'), m_tables);
        QCOMPARE(TruthBand(95), InvalidTruthBand);
        for (int scale = 2; scale <= 6; ++scale)
            QCOMPARE(s.sheet.Percentile[scale], 99);
        QCOMPARE(s.sheet.RawPoints[2], 3);
    }

    void ratioScale()
    {
        // Items 87..110; the first sum takes 87 89 92 94 97 99 102 107 110, the second 88 90 91 95 98 100 103 104 105.
        // A raw value on a threshold belongs to the band below; the quotient is truncated; unanswered counts 1 and 4.
        const std::tuple<const char*, int, int, int> rows[] = {{"111111111111111111111111", 60, 0, 10},
                                                               {"000000000000000000000000", 15, 24, 2},
                                                               {"211111111111111111111111", 66, 0, 12},
                                                               {"111111411011114111101441", 60, 2, 10},
                                                               {"414114141141411411114114", 240, 0, 46}};
        for (const auto& [section2, raw, omitted, percentile] : rows) {
            ClientRecord r = PlainClient();
            r.Responses.replace(86, 24, QLatin1String(section2));
            const Scored s = score(r, m_tables);
            QCOMPARE(s.sheet.RawPoints[6], raw);
            QCOMPARE(s.sheet.OmittedCount[6], omitted);
            QCOMPARE(s.sheet.Percentile[6], percentile);
        }
        // Above the last threshold: 0. Corrected down to 0: 99.
        ScoringTables t = m_tables;
        for (int k = 1; k <= NumRatioThresholds; ++k)
            t.RatioThresholds[1][k] = static_cast<int16_t>(k);
        QCOMPARE(score(PlainClient(), t).sheet.Percentile[6], 0);
        m_tables.NormTable[1][1][1][1] = 10; // band 1
        m_tables.TruthCorrection[1][6] = -60;
        const Scored s = score(with(1, 1, '1'), m_tables);
        QCOMPARE(s.sheet.RawPoints[6], 0);
        QCOMPARE(s.sheet.Percentile[6], 99);
    }

    void normColumns()
    {
        // Alcohol raw 10: the test norms give 3 * raw - (sex - 1) - (group - 1); gender 0 or blank is sex 1, and
        // races other than 1 to 3 use group 1.
        const std::tuple<const char*, const char*, int> rows[] = {{"0", "1", 30}, {" ", "1", 30}, {"2", "1", 29},
                                                                  {"1", "2", 29}, {"2", "3", 27}, {"1", "0", 30},
                                                                  {"1", "4", 30}, {"1", "6", 30}, {"1", " ", 30}};
        for (const auto& [gender, race, percentile] : rows) {
            ClientRecord r = with(11, 20, '1');
            r.Gender = QLatin1String(gender);
            r.Race = QLatin1String(race);
            r.Responses[113 - 1] = QLatin1Char('3');
            const Scored s = score(r, m_tables);
            QVERIFY(!s.error);
            QCOMPARE(s.sheet.RawPoints[2], 10);
            QCOMPARE(s.sheet.Percentile[2], percentile);
        }
    }

    void courtHistory()
    {
        // Drug, alcohol, assault, domestic violence, anger programs; then the points each scale gets from them.
        const std::tuple<QStringList, int, int, int> rows[] = {{{"N ", "-1", "N ", "-1", "N "}, 0, 0, 0},
                                                               {{"  ", "  ", "  ", "  ", "  "}, 0, 0, 0},
                                                               {{"5 ", "5 ", "5 ", "5 ", "4 "}, 5, 5, 14},
                                                               {{"12", "6 ", "99", "7 ", "7 "}, 6, 6, 17},
                                                               {{"-3", "0 ", "0 ", "0 ", "0 "}, 0, -3, 0}};
        for (const auto& [counts, alcoholPoints, drugPoints, angerPoints] : rows) {
            ClientRecord r = PlainClient();
            r.DrugArrests = counts[0];
            r.AlcoholArrests = counts[1];
            r.Assaults = counts[2];
            r.DVArrests = counts[3];
            r.Anger = counts[4];
            const Scored s = score(r, m_tables);
            QCOMPARE(s.sheet.RawPoints[2], 3 + alcoholPoints);
            QCOMPARE(s.sheet.RawPoints[3], 3 + drugPoints);
            QCOMPARE(s.sheet.RawPoints[5], 2 + angerPoints);
            QCOMPARE(s.sheet.EndorsedCount[5], 1);
            if (s.sheet.RawPoints[3] < 0)
                QCOMPARE(s.sheet.Percentile[3], 0); // a negative raw value looks nothing up
        }
    }

    void itemPoints()
    {
        // Item 11 scores 1 for Alcohol; listed again under Anger with no points, the Anger value remains.
        ScoringTables t = m_tables;
        ScaleItemList& anger = t.ScaleItems[5];
        anger.items[++anger.count] = 11;
        for (int a = 0; a <= MaxAnswerValue; ++a)
            t.PointKeys[5][a] += QLatin1Char('0');
        Scored s = score(with(11, 12, '1'), t);
        QCOMPARE(s.sheet.RawPoints[2], 3 + 2);
        QCOMPARE(s.sheet.ItemPoints[11], 0);
        QCOMPARE(s.sheet.ItemPoints[12], 1);
        // A short key or one that is not a digit scores nothing.
        m_tables.PointKeys[2][1] = QStringLiteral("1x");
        s = score(with(11, 20, '1'), m_tables);
        QCOMPARE(s.sheet.RawPoints[2], 1);
        QCOMPARE(s.sheet.EndorsedCount[2], 1);
        // Anger is lifted to Beta: Beta 8 raw points is the 24th percentile.
        s = score(with(31, 38, '1'), m_tables);
        QCOMPARE(s.sheet.Percentile[4], 24);
        QCOMPARE(s.sheet.Percentile[5], 24);
    }

    void snapshot()
    {
        // A record outside the tables is refused, naming the client and the value.
        for (auto [gender, item, answer, mentions] : {std::tuple{"3", 0, '0', "gender code \"3\""},
                                                      {"1", 40, '5', "answer \"5\" to item 40"},
                                                      {"1", 123, '9', "answer \"9\" to item 123"}}) {
            ClientRecord r = PlainClient();
            r.Gender = QLatin1String(gender);
            if (item)
                r.Responses[item - 1] = QLatin1Char(answer);
            const Scored s = score(r, m_tables);
            QVERIFY2(s.error.message.contains(QLatin1String(mentions)) && s.error.message.contains("Plain, Pat"),
                     qPrintable(s.error.message));
        }
        // Odd characters and a short response string read as unanswered; -1 arrests as not available.
        ClientRecord r = with(1, 1, 'x');
        r.Responses[1] = QLatin1Char(' ');
        r.Responses.chop(3);
        r.DrugArrests = QStringLiteral("-1");
        ClientSnapshot snap;
        ScoreSheet sheet;
        QVERIFY(!TakeClientSnapshot(r, 7, snap, sheet));
        QCOMPARE(sheet.Answers[1] + sheet.Answers[2] + sheet.Answers[123], 0);
        QCOMPARE(snap.Court[1], QStringLiteral("N "));
        QCOMPARE(snap.TestNumber, 7);
    }
};

QTEST_GUILESS_MAIN(TestScaleScoring)
#include "test_scale_scoring.moc"
