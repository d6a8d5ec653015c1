#include "ReportComposer.h"

#include "Cp1252.h"

#include <algorithm>

namespace {

// Demographic texts by code; a code beyond a list prints nothing.
const QStringList kGenderTexts{QStringLiteral("N/A"), QStringLiteral("Male"), QStringLiteral("Female")};
const QStringList kRaceTexts{QStringLiteral("N/A"),      QStringLiteral("Caucasian"), QStringLiteral("Black"),
                             QStringLiteral("Hispanic"), QStringLiteral("Asian"),     QStringLiteral("Native American"),
                             QStringLiteral("Other")};
const QStringList kMaritalTexts{QStringLiteral("N/A"),      QStringLiteral("Single"),    QStringLiteral("Married"),
                                QStringLiteral("Divorced"), QStringLiteral("Separated"), QStringLiteral("Widowed")};
const QStringList kEducationTexts{QStringLiteral("N/A"),
                                  QStringLiteral("8th grade Or less"),
                                  QStringLiteral("Partial high school"),
                                  QStringLiteral("G.E.D."),
                                  QStringLiteral("High school graduate"),
                                  QStringLiteral("Partial College"),
                                  QStringLiteral("Tech./business school"),
                                  QStringLiteral("College graduate"),
                                  QStringLiteral("Prof./grad school")};

const QString kRuler = QStringLiteral("-...............-...........-.......-...-");
const QString kScaleSeparator = QStringLiteral("-               -           -       -   -");
const QString kProfileBorder = QStringLiteral("+---------------+-----------+-------+---+");

const QString kPublisherLine = QStringLiteral("Norwick, Ltd.  *  140 Ashgrove Road  *  Fernhill, ST 00000");
const QString kDistributorLine =
    QStringLiteral("Distributed by Dallory, Inc.  *  P.O. Box 2210  *  Calder Bay, ST 00000");

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

QString codeText(const QStringList& texts, const QString& code)
{
    const int v = ValueOf(code);
    return v >= 0 && v < texts.size() ? texts[v] : QString();
}

} // namespace

ReportComposer::ReportComposer(const ScoringRun& run, QChar brandCode, ParagraphSource paragraphs)
    : m_run(run), m_sheet(run.sheet), m_words(run.wording), m_brand(brandCode), m_paragraphs(std::move(paragraphs))
{
}

ScoringError ReportComposer::compose(QByteArray& out)
{
    if (IsInvalidReport(m_sheet))
        invalidReport();
    else
        normalReport();
    if (m_error)
        return m_error;
    out = bytes();
    return {};
}

QByteArray ReportComposer::bytes() const
{
    return toCp1252(m_text + m_line);
}

void ReportComposer::put(const QString& t)
{
    m_line += t;
}

void ReportComposer::sp(int n)
{
    m_line += QString(std::max(n, 0), QLatin1Char(' '));
}

void ReportComposer::col(int c)
{
    if (m_line.size() + 1 > c)
        endLine();
    sp(c - 1 - static_cast<int>(m_line.size()));
}

void ReportComposer::num(int v)
{
    put((v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(std::abs(v)) + QLatin1Char(' '));
}

void ReportComposer::endLine()
{
    m_text += m_line;
    m_text += QLatin1String("\r\n");
    m_line.clear();
}

void ReportComposer::blank()
{
    endLine();
}

void ReportComposer::newPage()
{
    ++m_pageNumber;
    put(QStringLiteral("\f"));
    endLine();
    sp(7);
    put(QStringLiteral("NAME: ") + m_run.snapshot.Name);
    col(41);
    put(QLatin1Char('-') + QString::number(m_pageNumber % 10) + QLatin1Char('-'));
    col(69);
    put(QStringLiteral("VLT REPORT"));
    endLine();
    blank();
    m_lineCount = 2;
}

void ReportComposer::check(int k)
{
    if (m_lineCount + k > PageLimit)
        newPage();
}

void ReportComposer::countLine()
{
    ++m_lineCount;
    if (m_lineCount == PageLimit)
        newPage();
}

int ReportComposer::titleColumn() const
{
    return 44 - static_cast<int>(QStringLiteral("VELTRANE").size()) / 2;
}

void ReportComposer::normalReport()
{
    blank();
    col(titleColumn());
    put(QStringLiteral("VELTRANE"));
    endLine();
    blank();
    m_lineCount += 3;

    clientBlock(60, QStringLiteral("CONFIDENTIAL REPORT"));

    sp(7);
    put(QStringLiteral("VLT results are confidential  and should be considered working hypothe-"));
    endLine();
    sp(7);
    put(QStringLiteral("ses.  No diagnosis or decision should be based solely upon VLT results."));
    endLine();
    blank();
    m_lineCount += 3;

    profile(1, 1);
    scaleBlock(1);
    profile(2, 5);
    for (int s = 2; s <= 5 && !m_error; ++s)
        scaleBlock(s);
    profile(6, 6);
    scaleBlock(6);
    if (m_error)
        return;

    blank();
    m_lineCount += 1;
    responsesBlock();
    footer(m_lineCount >= 55 ? 56 : 55);
    significantItems();
    check(7);
    multipleChoice();
    blank();
    m_lineCount += 1;
    courtHistory();
    check(9);
    observations();
}

void ReportComposer::invalidReport()
{
    blank();
    col(titleColumn());
    put(QStringLiteral("VELTRANE"));
    // The title already passes column 35, so the heading goes to a line of its own.
    col(35);
    put(QStringLiteral("CONFIDENTIAL REPORT"));
    endLine();
    blank();
    m_lineCount += 4;

    clientBlock(53, QStringLiteral("EXTREME TRUTHFULNESS SCORE"));

    QByteArray bytes;
    const QString name = QLatin1String(InvalidTextFileName);
    QStringList lines;
    if ((m_error = m_paragraphs(name, bytes)) || (m_error = ReadInvalidText(bytes, name, lines)))
        return;
    for (const QString& l : lines) {
        sp(7);
        put(l);
        endLine();
        countLine();
    }

    observations();
    responsesBlock();
    footer(57);
}

void ReportComposer::clientBlock(int headingColumn, const QString& heading)
{
    const ClientSnapshot& c = m_run.snapshot;
    sp(7);
    put(QStringLiteral("NAME            : ") + c.Name);
    col(headingColumn);
    put(heading);
    endLine();
    const std::pair<const char*, QString> rows[] = {
        {"GENDER          : ", codeText(kGenderTexts, c.Gender)},
        {"DATE OF BIRTH   : ", c.DOB},
        {"ETHNICITY/RACE  : ", codeText(kRaceTexts, c.Race)},
        {"MARITAL STATUS  : ", codeText(kMaritalTexts, c.Marital)},
        {"EDUCATION/GRADE : ", codeText(kEducationTexts, c.Education)},
        {"DATE VLT SCORED : ", c.TestDate.trimmed()},
    };
    for (const auto& [label, value] : rows) {
        sp(7);
        put(QLatin1String(label) + value);
        endLine();
    }
    blank();
    m_lineCount += 8;
}

QString ReportComposer::bar(int percentile)
{
    const int n = std::clamp(percentile * 10 / 25, 0, 40);
    return QString(n + 1, QLatin1Char('*')) + kRuler.right(40 - n);
}

void ReportComposer::profile(int first, int last)
{
    if (m_error)
        return;
    const auto& pct = m_sheet.Percentile;
    const bool truthHigh = pct[1] >= 90;
    QString title = QStringLiteral("               VLT PROFILES");
    if (first == 1)
        title = QStringLiteral("       TRUTHFULNESS SCALE PROFILE");
    else if (first == 6)
        title = QStringLiteral("        VELTRANE");
    sp(7);
    put(QStringLiteral("MEASURES"));
    sp(12);
    put(QStringLiteral("%ile"));
    sp(6);
    put(title);
    endLine();
    sp(7);
    put(QStringLiteral("--------"));
    sp(12);
    put(QStringLiteral("----"));
    sp(6);
    put(kProfileBorder);
    endLine();
    sp(37);
    put(QStringLiteral("-   LOW RISK    -  MEDIUM   -PROBLEM-MAX-"));
    endLine();

    bool omittedFlag = false;
    for (int s = first; s <= last; ++s) {
        if (s == 4)
            continue;
        sp(7);
        put(m_words.ScaleNames[s]);
        col(pct[s] < 10 ? 29 : 28);
        if (ReportsScaleNotScored(m_sheet, s)) {
            put(QStringLiteral(" **"));
            col(38);
            put(QStringLiteral("Scale not scored, insufficient answers"));
            omittedFlag = true;
        } else {
            num(pct[s]);
            if (s == 1 && truthHigh)
                put(QStringLiteral("*"));
            col(38);
            put(bar(pct[s]));
        }
        endLine();
        sp(37);
        put(s == last ? kProfileBorder : kScaleSeparator);
        endLine();
    }

    if (omittedFlag) {
        sp(7);
        put(QStringLiteral("** Too many omitted items"));
    } else if (truthHigh) {
        sp(7);
        put(QStringLiteral("* These test results"));
    }
    col(38);
    put(QStringLiteral("0"));
    sp(14);
    put(QStringLiteral("40"));
    sp(10);
    put(QStringLiteral("70"));
    sp(6);
    put(QStringLiteral("90 100"));
    endLine();
    if (omittedFlag) {
        sp(7);
        put(QStringLiteral("   to score this scale"));
    } else if (truthHigh) {
        sp(7);
        put(QStringLiteral("  are inaccurate"));
    }
    col(38);
    put(QStringLiteral("----------- PERCENTILE SCORES -----------"));
    endLine();
    blank();
    m_lineCount += 2 * (last - first) + 7;
}

void ReportComposer::scaleBlock(int s)
{
    if (m_error)
        return;
    if (s != 4) {
        if (ReportsScaleNotScored(m_sheet, s)) {
            sp(7);
            put(m_words.ScaleNames[s] + QStringLiteral(" SCALE: "));
            endLine();
            m_lineCount += 1;
            sp(7);
            put(QStringLiteral("This  scale  is inaccurate  and not  scorable  because  the  respondent"));
            endLine();
            sp(7);
            put(QStringLiteral("omitted or skipped an excessive number of items."));
            endLine();
            blank();
            m_lineCount += 2;
            check(2);
            return;
        }
        if (s == 1 && m_sheet.RawPoints[1] == 99) {
            sp(7);
            put(QStringLiteral("TRUTHFULNESS SCALE: MAXIMUM RISK RANGE"));
            col(59);
            put(QStringLiteral("RISK PERCENTILE: "));
            num(m_sheet.Percentile[1]);
            endLine();
            m_lineCount += 1;
            sp(7);
            put(QStringLiteral("The Truthfulness Scale  is inaccurate  because there  were an excessive"));
            endLine();
            sp(7);
            put(QStringLiteral("number of True responses in Section 1."));
            endLine();
            blank();
            m_lineCount += 2;
        } else {
            paragraph(s);
            if (m_error)
                return;
        }
        if (m_lineCount > 2 && m_lineCount < PageLimit) {
            blank();
            m_lineCount += 1;
        }
    }
    check(2);
}

void ReportComposer::paragraph(int s)
{
    const int p = m_sheet.Percentile[s];
    const int r = RiskRange(p);
    const QString marker = RangeMarker(m_words, p);
    const QString& name = m_words.ScaleNames[s];
    int gap = 42 - static_cast<int>(name.size()) - static_cast<int>(marker.size());
    if (s == 3 && r >= 2)
        gap += 5;
    // A scale name too long for the heading leaves no gap rather than an impossible one.
    sp(7);
    put(name + QStringLiteral(" SCALE: "));
    sp(gap);
    put(m_words.RangeWords[r] + QStringLiteral(" RANGE PERCENTILE:") + QString::number(p) + QLatin1Char('%'));
    endLine();
    m_lineCount += 1;

    const QString file = ParagraphFileName(s);
    QByteArray bytes;
    QStringList lines;
    if ((m_error = m_paragraphs(file, bytes)) || (m_error = FindParagraph(bytes, file, marker, lines)))
        return;
    for (const QString& l : lines) {
        sp(8);
        put(l);
        endLine();
        countLine();
    }
}

void ReportComposer::responsesBlock()
{
    col(36);
    put(QStringLiteral("VLT RESPONSES"));
    col(63);
    put(QStringLiteral("(VLT TEST #"));
    num(m_run.snapshot.TestNumber);
    put(QStringLiteral(")"));
    endLine();
    col(36);
    put(QStringLiteral("-------------"));
    endLine();
    m_lineCount += 2;

    const struct {
        int first, last;
        const char* label;
    } rows[] = {{1, 50, "  1- 50  "}, {51, 100, " 51-100  "}, {101, NumItems, "101-123  "}};
    for (const auto& row : rows) {
        sp(7);
        put(QLatin1String(row.label));
        for (int i = row.first; i <= row.last; ++i) {
            const int a = m_sheet.Answers[i];
            QChar c;
            if (i <= SectionBounds[1])
                c = a == 1 ? QLatin1Char('T') : a == 2 ? QLatin1Char('F') : QLatin1Char('0');
            else
                c = QChar(u'0' + std::clamp(a, 0, 9));
            m_line += c;
            if (i % 10 == 0)
                m_line += QLatin1Char(' ');
        }
        endLine();
    }
    m_lineCount += 3;
    if (m_lineCount < PageLimit) {
        blank();
        m_lineCount += 1;
    }
}

void ReportComposer::footer(int target)
{
    while (m_lineCount < target) {
        blank();
        m_lineCount += 1;
    }
    if (m_lineCount < PageLimit) {
        if (m_brand == PublisherBrandCode) {
            col(10);
            put(kPublisherLine);
        } else {
            col(9);
            put(kDistributorLine);
        }
        endLine();
        m_lineCount += 1;
    }
}

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
