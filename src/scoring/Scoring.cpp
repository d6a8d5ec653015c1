// Raw points and percentiles of the six scales.

#include "Scoring.h"

#include "RecordDamage.h"

#include <algorithm>

namespace {

// Items of the ratio scale's two sums; the other six items of section 2 take no part.
constexpr int kRatioItemsA[] = {87, 89, 92, 94, 97, 99, 102, 107, 110};
constexpr int kRatioItemsB[] = {88, 90, 91, 95, 98, 100, 103, 104, 105};

int16_t clamp16(int v)
{
    return static_cast<int16_t>(std::clamp<int>(v, INT16_MIN, INT16_MAX));
}

QString clientLabel(const ClientRecord& client, int16_t testNumber)
{
    return ClientLabel(client, testNumber);
}

} // namespace

int ValueOf(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int value = 0;
    // Fields are at most a few characters wide; the cap only keeps a long text from overflowing.
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9') && value < 100000; ++i)
        value = value * 10 + (text[i].unicode() - '0');
    return negative ? -value : value;
}

int16_t NormSex(const ClientSnapshot& snapshot)
{
    return ValueOf(snapshot.Gender) == 2 ? 2 : 1;
}

int16_t NormGroup(const ClientSnapshot& snapshot)
{
    const int race = ValueOf(snapshot.Race);
    return race >= 1 && race <= 3 ? static_cast<int16_t>(race) : 1;
}

int RiskRange(int p)
{
    if (p < 0 || p > 99)
        return 0;
    if (p <= 39)
        return 1;
    if (p <= 69)
        return 2;
    if (p <= 89)
        return 3;
    return 4;
}

int TruthBand(int p)
{
    if (p < 10)
        return 0;
    if (p >= 95)
        return InvalidTruthBand;
    if (p < 50)
        return p / 10; // 10..49: bands 1..4
    if (p <= 55)
        return 5;
    if (p <= 69)
        return 6;
    if (p <= 79)
        return 7;
    if (p <= 89)
        return 8;
    return 9;
}

ScoringError TakeClientSnapshot(const ClientRecord& client, int16_t testNumber, ClientSnapshot& snapshot,
                                ScoreSheet& sheet)
{
    snapshot = ClientSnapshot();
    snapshot.Name = ClientRecord::fit(client.Name, 25);
    snapshot.Gender = ClientRecord::fit(client.Gender, 1);
    snapshot.DOB = ClientRecord::fit(client.DOB, 10);
    snapshot.Race = ClientRecord::fit(client.Race, 1);
    snapshot.Marital = ClientRecord::fit(client.Marital, 1);
    snapshot.Education = ClientRecord::fit(client.Education, 1);
    snapshot.TestDate = ClientRecord::fit(client.TestDate, 10);
    const QString* court[] = {&client.DrugArrests, &client.AlcoholArrests, &client.Assaults, &client.DVArrests,
                              &client.Anger};
    for (int c = 1; c <= 5; ++c) {
        const QString v = ClientRecord::fit(*court[c - 1], 2);
        snapshot.Court[c] = v == QLatin1String("-1") ? QStringLiteral("N ") : v;
    }
    snapshot.TestNumber = testNumber;

    const int gender = ValueOf(snapshot.Gender);
    if (gender < 0 || gender > 2)
        return {QString(), QStringLiteral("%1 has the gender code \"%2\", for which there are no norms; correct the "
                                          "gender with Edit Current Client.")
                               .arg(clientLabel(client, testNumber), snapshot.Gender)};

    sheet.Answers.fill(0);
    for (int i = 1; i <= NumItems; ++i) {
        const QChar c = i <= client.Responses.size() ? client.Responses[i - 1] : QLatin1Char('0');
        const int a = c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : 0;
        if (a > MaxAnswerValue)
            return {QString(), QStringLiteral("%1 has the answer \"%2\" to item %3; answers run from 0 to %4. Correct "
                                              "the answers with Edit Current Client.")
                                   .arg(clientLabel(client, testNumber), QString(c))
                                   .arg(i)
                                   .arg(MaxAnswerValue)};
        sheet.Answers[i] = static_cast<int16_t>(a);
    }
    return {};
}

void ComputeRawScores(const ScoringTables& tables, const ClientSnapshot& snapshot, ScoreSheet& sheet)
{
    sheet.RawPoints.fill(0);
    sheet.Percentile.fill(0);
    sheet.OmittedCount.fill(0);
    sheet.EndorsedCount.fill(0);
    sheet.ItemPoints.fill(0);

    for (int s = 1; s <= NumTableScales; ++s) {
        const ScaleItemList& list = tables.ScaleItems[s];
        const int count = std::clamp<int>(list.count, 0, MaxScaleItems);
        for (int k = 1; k <= count; ++k) {
            const int i = list.items[k];
            if (i < 1 || i > NumItems)
                continue;
            const int a = std::clamp<int>(sheet.Answers[i], 0, MaxAnswerValue);
            const QString& key = tables.PointKeys[s][a];
            int p = 0;
            if (k <= key.size() && key[k - 1] >= QLatin1Char('0') && key[k - 1] <= QLatin1Char('9'))
                p = key[k - 1].unicode() - '0';
            if (a == 0)
                ++sheet.OmittedCount[s];
            sheet.ItemPoints[i] = static_cast<int16_t>(p);
            sheet.RawPoints[s] = clamp16(sheet.RawPoints[s] + p);
            if (p > 0)
                ++sheet.EndorsedCount[s];
        }
    }

    for (int i = SectionBounds[1] + 1; i <= SectionBounds[2]; ++i)
        if (sheet.Answers[i] == 0)
            ++sheet.OmittedCount[6];
    int sumA = 0;
    int sumB = 0;
    for (int i : kRatioItemsA)
        sumA += sheet.Answers[i] == 0 ? 1 : sheet.Answers[i];
    for (int i : kRatioItemsB)
        sumB += sheet.Answers[i] == 0 ? 4 : sheet.Answers[i];
    if (sumB > 0)
        sheet.RawPoints[6] = clamp16(sumA * 60 / sumB);

    // Court history: arrests count at most 6, anger management programs at most 5.
    int court[6] = {};
    for (int c = 1; c <= 5; ++c) {
        int v = ValueOf(snapshot.Court[c]); // "N" and blanks count 0
        if (c <= 4 && v > 5)
            v = 6;
        if (c == 5 && v > 4)
            v = 5;
        court[c] = v;
    }
    sheet.RawPoints[3] = clamp16(sheet.RawPoints[3] + court[1]);
    sheet.RawPoints[2] = clamp16(sheet.RawPoints[2] + court[2]);
    sheet.RawPoints[5] = clamp16(sheet.RawPoints[5] + court[3] + court[4] + court[5]);

    // Too many True answers in section 1 mark the test invalid (95% of 86, truncated: 81).
    const int limit = SectionBounds[1] * 95 / 100;
    int trueCount = 0;
    for (int i = 1; i <= SectionBounds[1]; ++i)
        if (sheet.Answers[i] == 1)
            ++trueCount;
    if (trueCount >= limit)
        sheet.RawPoints[1] = 99;
}

void ComputePercentiles(const ScoringTables& tables, const ClientSnapshot& snapshot, ScoreSheet& sheet)
{
    const int x = NormSex(snapshot);
    const int g = NormGroup(snapshot);

    for (int s = 1; s <= NumTableScales; ++s) {
        const int raw = sheet.RawPoints[s];
        const int length = std::clamp<int>(tables.NormLength[x][g][s], 0, MaxNormLength);
        int16_t& pct = sheet.Percentile[s];
        if (raw > length) {
            pct = s == 4 ? 39 : 99;
        } else if (sheet.OmittedCount[s] >= 4 && s != 4) {
            pct = 99;
        } else if (raw >= 0) {
            pct = tables.NormTable[x][g][s][raw];
            if (s >= 2) {
                const int endorsed = sheet.EndorsedCount[s];
                if (endorsed == 0)
                    pct = std::min<int16_t>(pct, 7);
                else if (endorsed == 1)
                    pct = std::min<int16_t>(pct, 18);
                else if (endorsed == 2)
                    pct = std::min<int16_t>(pct, 37);
            }
        }

        if (s == 1) {
            const int band = TruthBand(sheet.Percentile[1]);
            if (band == InvalidTruthBand) {
                for (int t = 2; t <= NumScales; ++t)
                    sheet.Percentile[t] = 99;
                return;
            }
            if (band >= 1)
                for (int t = 2; t <= NumScales; ++t)
                    sheet.RawPoints[t] = clamp16(sheet.RawPoints[t] + tables.TruthCorrection[band][t]);
        }
        if (s == 5 && sheet.Percentile[5] < sheet.Percentile[4])
            sheet.Percentile[5] = sheet.Percentile[4];
    }

    const int raw6 = sheet.RawPoints[6];
    if (raw6 <= 0) {
        sheet.Percentile[6] = 99;
        return;
    }
    // Position 46 is 0, so with raw points above 0 the band after threshold 45 can never match.
    for (int k = 1; k <= NumRatioPercentiles; ++k) {
        if (tables.RatioThresholds[g][k] < raw6 && raw6 <= tables.RatioThresholds[g][k + 1]) {
            sheet.Percentile[6] = tables.RatioPercentiles[x][g][k];
            break;
        }
    }
}
