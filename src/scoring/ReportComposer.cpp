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
