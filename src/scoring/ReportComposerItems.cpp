// The report's later blocks: significant items, the multiple-choice answers, court history and the observations.

#include "ReportComposer.h"

#include "Cp1252.h"

#include <algorithm>

namespace {

// Significant items whose answers are judged by fixed rules instead of by the points they earned.
struct SigRule {
    int group;
    int item;
    int listedAnswer;
    int fixedAnswer1;
    const char* fixedText1;
    int fixedAnswer2;
    const char* fixedText2;
};
constexpr SigRule kSigRules[] = {
    {1, 96, 4, 3, "96. Alcohol abuse rated often", 0, nullptr},
    {1, 113, 1, 2, "113. Drinking occasional problem", 0, nullptr},
    {1, 115, 1, 3, "115. Recovering alcohol/drug abuser", 0, nullptr},
    {1, 117, 1, 2, "117. States needs drinking help", 0, nullptr},
    {1, 122, 1, 2, "122. Drinking occasional problem", 0, nullptr},
    {2, 109, 4, 3, "109. Often gets high on drugs", 2, "109. Sometimes gets high on drugs"},
    {2, 114, 1, 2, "114. Drugs an occasional problem", 0, nullptr},
    {2, 115, 2, 3, "115. Recovering drug/alcohol abuser", 0, nullptr},
    {2, 118, 1, 2, "118. Needs drug treatment", 0, nullptr},
    {2, 123, 1, 2, "123. Rates drugs an occasional problem", 0, nullptr},
    {3, 93, 4, 3, "93. Often angry/hostile", 0, nullptr},
    {3, 101, 4, 3, "101. Often explosive/rage", 0, nullptr},
    {3, 106, 4, 3, "106. Often loss of control", 0, nullptr},
    {3, 108, 4, 3, "108. Often annoying/irritating", 0, nullptr},
    {3, 111, 1, 2, "111. Temper occasional problem", 0, nullptr},
    {3, 112, 1, 2, "112. Anger occasional problem", 0, nullptr},
    {3, 116, 1, 2, "116. Needs anger management", 0, nullptr},
    {3, 119, 1, 2, "119. Needs anger counseling", 0, nullptr},
    {3, 120, 1, 2, "120. Temper an occasional problem", 0, nullptr},
    {3, 121, 1, 2, "121. Anger occasional problem", 0, nullptr},
};

const SigRule* sigRule(int group, int item)
{
    for (const SigRule& r : kSigRules)
        if (r.group == group && r.item == item)
            return &r;
    return nullptr;
}

} // namespace

void ReportComposer::significantItems()
{
    // Groups 1..3 take the items of SigItems 1..21, 22..43 and 44..66; 4 and 5 stay empty.
    std::array<QStringList, 6> entries;
    const int bounds[4] = {0, 21, 43, NumSigItems};
    for (int g = 1; g <= 3; ++g) {
        for (int k = bounds[g - 1] + 1; k <= bounds[g]; ++k) {
            const int i = std::clamp<int>(m_run.tables.SigItems[k], 1, NumItems);
            const int a = m_sheet.Answers[i];
            if (const SigRule* rule = sigRule(g, i)) {
                if (a == rule->listedAnswer)
                    entries[g] << m_words.SigItemTexts[k];
                else if (a == rule->fixedAnswer1)
                    entries[g] << QLatin1String(rule->fixedText1);
                else if (rule->fixedText2 && a == rule->fixedAnswer2)
                    entries[g] << QLatin1String(rule->fixedText2);
            } else if (m_sheet.ItemPoints[i] > 0) {
                entries[g] << m_words.SigItemTexts[k];
            }
        }
        if (entries[g].isEmpty())
            entries[g] << QStringLiteral("No Significant Items were") << QStringLiteral("reported for this scale.");
    }
    const QString headings[6] = {
        QString(), m_words.ScaleNames[2], m_words.ScaleNames[3], m_words.ScaleNames[5], QString(), QString()};

    check(6 + static_cast<int>(std::max(entries[1].size(), entries[2].size())));
    sp(7);
    put(QStringLiteral("SIGNIFICANT ITEMS:   Answers  are  either   client  self-admissions  or"));
    endLine();
    sp(7);
    put(QStringLiteral("unusual responses that  should  be  explored  within the context of the"));
    endLine();
    sp(7);
    put(QStringLiteral("client's lifestyle."));
    endLine();
    blank();
    m_lineCount += 4;

    for (int a : {1, 3}) {
        const int b = a + 1;
        const int rows = static_cast<int>(std::max(entries[a].size(), entries[b].size()));
        if (m_lineCount + 2 + rows > PageLimit)
            continuedPage();
        if (a == 3) {
            blank();
            m_lineCount += 1;
        }
        sp(7);
        put(headings[a]);
        col(44);
        put(headings[b]);
        endLine();
        sp(7);
        put(QString(headings[a].size(), QLatin1Char('-')));
        col(44);
        put(QString(headings[b].size(), QLatin1Char('-')));
        endLine();
        m_lineCount += 2;
        for (int r = 0; r < rows; ++r) {
            if (r < entries[a].size()) {
                sp(7);
                put(entries[a][r]);
            }
            if (r < entries[b].size()) {
                col(44);
                put(entries[b][r]);
            }
            endLine();
            countLine();
        }
    }

    if (m_lineCount + 2 + entries[5].size() > PageLimit)
        continuedPage();
    sp(7);
    put(headings[5]);
    endLine();
    sp(7);
    put(QString(headings[5].size(), QLatin1Char('-')));
    endLine();
    m_lineCount += 2;
}

void ReportComposer::continuedPage()
{
    newPage();
    sp(7);
    put(QStringLiteral("SIGNIFICANT ITEMS: (continued):"));
    endLine();
    blank();
    m_lineCount += 2;
}

QString ReportComposer::choiceEntry(int i) const
{
    const int item = SectionBounds[2] + i;
    const int a = m_sheet.Answers[item];
    if (a >= 1 && a <= 4)
        return m_words.ChoiceTexts[(i - 1) * 4 + a];
    return QString::number(item) + QStringLiteral(". No response given");
}

void ReportComposer::multipleChoice()
{
    sp(7);
    put(QStringLiteral("MULTIPLE CHOICE ITEMS:  Client's answers with all  their biases (items"));
    endLine();
    sp(7);
    put(QStringLiteral("111 through 123) reflect the respondent's attitude and outlook."));
    endLine();
    blank();
    m_lineCount += 3;
    for (int i = 1; i <= 7; ++i) {
        sp(7);
        put(choiceEntry(i));
        col(44);
        if (i + 7 <= NumItems - SectionBounds[2])
            put(choiceEntry(i + 7));
        endLine();
        countLine();
    }
    if (m_lineCount < PageLimit) {
        blank();
        m_lineCount += 1;
    }
}

// A count right-aligned in its two characters; "N" (not available) stays at the left.
QString ReportComposer::courtAnswer(const QString& v)
{
    const QString field = ClientRecord::fit(v, 2);
    if (field.trimmed() == QLatin1String("N"))
        return field;
    qsizetype end = field.size();
    while (end > 0 && field[end - 1] == QLatin1Char(' '))
        --end;
    return QString(field.size() - end, QLatin1Char(' ')) + field.left(end);
}

void ReportComposer::courtHistory()
{
    const auto& c = m_run.snapshot.Court;
    sp(21);
    put(QStringLiteral("ADDITIONAL INFORMATION PROVIDED BY CLIENT"));
    endLine();
    sp(21);
    put(QStringLiteral("-----------------------------------------"));
    endLine();
    m_lineCount += 2;
    col(8);
    put(QStringLiteral("Drug-related arrests......... ") + courtAnswer(c[1]));
    col(43);
    put(QStringLiteral("Alcohol-related arrests.......... ") + courtAnswer(c[2]));
    endLine();
    col(8);
    put(QStringLiteral("Assault arrests.............. ") + courtAnswer(c[3]));
    col(43);
    put(QStringLiteral("Domestic violence arrests........ ") + courtAnswer(c[4]));
    endLine();
    col(43);
    put(QStringLiteral("# of anger management programs... ") + courtAnswer(c[5]));
    endLine();
    blank();
    m_lineCount += 5;
    if (m_lineCount < PageLimit) {
        blank();
        m_lineCount += 1;
    }
}

void ReportComposer::observations()
{
    blank();
    sp(7);
    put(QStringLiteral("OBSERVATIONS AND RECOMMENDATIONS:______________________________________"));
    endLine();
    m_lineCount += 2;
    for (int t = 0; t < 2; ++t) {
        blank();
        sp(7);
        put(QString(71, QLatin1Char('_')));
        endLine();
        m_lineCount += 2;
    }
    blank();
    sp(7);
    put(QStringLiteral("______________________________    ____________"));
    endLine();
    m_lineCount += 2;
    sp(7);
    put(QStringLiteral("    STAFF MEMBER SIGNATURE            DATE"));
    endLine();
    m_lineCount += 1;
    if (m_lineCount < PageLimit) {
        blank();
        m_lineCount += 1;
    }
}
