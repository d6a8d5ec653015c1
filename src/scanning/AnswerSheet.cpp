#include "AnswerSheet.h"

#include "PrivateFile.h"
#include "Registration.h"
#include "TestDefinition.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

const QStringList kCourtCaptions = {QStringLiteral("Drug-related arrests"), QStringLiteral("Alcohol-related arrests"),
                                    QStringLiteral("Assault arrests"), QStringLiteral("Domestic violence arrests"),
                                    QStringLiteral("Anger management programs")};

const QStringList kDemographicCaptions = {QStringLiteral("Gender"), QStringLiteral("Ethnicity/Race"),
                                          QStringLiteral("Education"), QStringLiteral("Marital Status")};

const QList<QStringList> kDemographicLegends = {
    {},
    {QStringLiteral("1 Caucasian"), QStringLiteral("2 Black"), QStringLiteral("3 Hispanic"), QStringLiteral("4 Asian"),
     QStringLiteral("5 Native American"), QStringLiteral("6 Other")},
    {QStringLiteral("1 8th grade or less"), QStringLiteral("2 Partial High School"), QStringLiteral("3 GED"),
     QStringLiteral("4 High School Graduate"), QStringLiteral("5 Partial College"),
     QStringLiteral("6 Tech /business school"), QStringLiteral("7 College Graduate"),
     QStringLiteral("8 Prof./Grad Student")},
    {QStringLiteral("1 Single"), QStringLiteral("2 Married"), QStringLiteral("3 Divorced"),
     QStringLiteral("4 Separated"), QStringLiteral("5 Widowed")}};

constexpr int kBox = 15;          // a bubble's read box, pixels
constexpr int kRightLimit = 790;  // text stays left of the reference box's search window
constexpr int kLeftMargin = 60;   // and right of the anchor box's
constexpr int kLegendLimit = 830; // below the reference box's window (row 160 on) text may reach further

QFont sheetFont(int pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void drawBubble(QPainter& p, QPoint corner, const QString& label)
{
    const QColor grey(AnswerSheet::DropOutGrey, AnswerSheet::DropOutGrey, AnswerSheet::DropOutGrey);
    p.setPen(QPen(grey, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(corner.x() + 1.0, corner.y() + 1.0, kBox - 2.0, kBox - 2.0));
    p.setFont(sheetFont(9, true));
    p.drawText(QRectF(corner.x(), corner.y(), kBox, kBox), Qt::AlignCenter, label);
}

// Legend entries flowing to the right of a row, wrapped before the right limit.
void drawLegend(QPainter& p, const QStringList& entries, int left, int top)
{
    p.setPen(Qt::black);
    p.setFont(sheetFont(10));
    const QFontMetrics fm(p.font());
    int x = left;
    int y = top;
    for (const QString& e : entries) {
        const int w = fm.horizontalAdvance(e) + 12;
        if (x > left && x + w > kLegendLimit) {
            x = left;
            y += 13;
        }
        p.drawText(QRect(x, y, w, 13), Qt::AlignLeft | Qt::AlignVCenter, e);
        x += w;
    }
}

} // namespace

QPoint AnswerSheet::bubbleOnPage(int id, int index) const
{
    const ScanItem& item = m_items.at(id - 1);
    const QPoint first = PolarToPoint(item.r, item.theta) + AnchorBox.topLeft();
    return item.DimY > 1 ? first + QPoint(0, item.dy * index) : first + QPoint(item.dx * index, 0);
}

QString AnswerSheet::bubbleLabel(int id, int index, int count)
{
    if (id == 1)
        return index == 0 ? QStringLiteral("M") : index == 1 ? QStringLiteral("F") : QString::number(index + 1);
    if (id < FirstCourtItem)
        return QString::number(index + 1);
    if (id < FirstQuestionItem || id >= FirstDateItem)
        return QString::number(index);
    const int item = id - FirstQuestionItem + 1;
    if (SectionOfItem(item) == 1 && count == 2)
        return index == 0 ? QStringLiteral("T") : QStringLiteral("F");
    return QString::number(index + 1);
}

void AnswerSheet::draw(QPainter& p) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(QRect(QPoint(0, 0), PageSize), Qt::white);
    p.fillRect(AnchorBox, Qt::black);
    p.fillRect(ReferenceBox, Qt::black);

    // Header, between the two registration boxes' search windows.
    p.setPen(Qt::black);
    p.setFont(sheetFont(20, true));
    p.drawText(QRect(kLeftMargin, 28, kRightLimit - kLeftMargin, 28), Qt::AlignCenter,
               QStringLiteral("VELTRANE ANSWER SHEET"));
    p.setFont(sheetFont(11));
    p.drawText(QRect(kLeftMargin, 62, kRightLimit - kLeftMargin, 16), Qt::AlignCenter,
               QStringLiteral("Use a No. 2 pencil. Fill each bubble completely; mark one bubble per row. Erase "
                              "changes cleanly."));
    p.setFont(sheetFont(12));
    p.drawText(QRect(kLeftMargin, 95, 60, 20), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Name"));
    p.drawLine(kLeftMargin + 45, 113, 480, 113);
    p.drawText(QRect(510, 95, 60, 20), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Date"));
    p.drawLine(550, 113, kRightLimit - 10, 113);

    // Demographic rows: caption at the left, legend to the right.
    for (int id = 1; id < FirstCourtItem && id <= m_items.size(); ++id) {
        const ScanItem& item = m_items[id - 1];
        const QPoint first = bubbleOnPage(id, 0);
        p.setPen(Qt::black);
        p.setFont(sheetFont(12, true));
        p.drawText(QRect(kLeftMargin, first.y() - 2, first.x() - kLeftMargin - 10, kBox + 4),
                   Qt::AlignLeft | Qt::AlignVCenter, kDemographicCaptions.value(id - 1));
        if (!kDemographicLegends.value(id - 1).isEmpty())
            drawLegend(p, kDemographicLegends.value(id - 1), bubbleOnPage(id, item.dimx - 1).x() + kBox + 12,
                       first.y() + 1);
    }

    // Court history.
    if (m_items.size() >= FirstQuestionItem - 1) {
        const QPoint first = bubbleOnPage(FirstCourtItem, 0);
        p.setPen(Qt::black);
        p.setFont(sheetFont(12, true));
        p.drawText(QRect(kLeftMargin, first.y() - 30, 480, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Court history: mark one number in each row (9 = nine or more)"));
        for (int i = 0; i < 5; ++i) {
            const QPoint row = bubbleOnPage(FirstCourtItem + i, 0);
            p.setFont(sheetFont(11));
            p.drawText(QRect(kLeftMargin, row.y() - 2, row.x() - kLeftMargin - 10, kBox + 4),
                       Qt::AlignRight | Qt::AlignVCenter, kCourtCaptions[i]);
        }
    }

    // Date of birth: a heading, month/day/year over their columns and a box to write each digit in.
    if (m_items.size() >= NumScanItems) {
        const QPoint monthTens = bubbleOnPage(FirstDateItem, 0);
        const QPoint yearUnits = bubbleOnPage(FirstDateItem + 5, 0);
        p.setPen(Qt::black);
        p.setFont(sheetFont(12, true));
        p.drawText(QRect(monthTens.x() - 20, monthTens.y() - 70, yearUnits.x() + kBox + 40 - monthTens.x(), 18),
                   Qt::AlignCenter, QStringLiteral("Date of Birth"));
        const char* groups[] = {"Month", "Day", "Year"};
        p.setFont(sheetFont(10));
        for (int g = 0; g < 3; ++g) {
            const QPoint a = bubbleOnPage(FirstDateItem + 2 * g, 0);
            const QPoint b = bubbleOnPage(FirstDateItem + 2 * g + 1, 0);
            p.setPen(Qt::black);
            p.drawText(QRect(a.x() - 10, a.y() - 50, b.x() + kBox + 20 - a.x(), 14), Qt::AlignCenter,
                       QLatin1String(groups[g]));
            for (const QPoint& c : {a, b}) {
                p.setPen(QPen(QColor(DropOutGrey, DropOutGrey, DropOutGrey), 1.0));
                p.drawRect(QRectF(c.x() + 0.5, c.y() - 30.5, kBox - 1.0, 20.0));
            }
        }
        p.setPen(Qt::black);
        p.setFont(sheetFont(9));
        p.drawText(QRect(monthTens.x() - 20, yearUnits.y() + 232, yearUnits.x() + kBox + 40 - monthTens.x(), 14),
                   Qt::AlignCenter, QStringLiteral("Year: last two digits"));
    }

    // Item section headings, above each section's first row.
    struct Heading {
        int firstItem;
        const char* text;
    };
    const Heading headings[] = {
        {1, "Items 1 to 86: mark T if the statement is TRUE for you, F if it is FALSE."},
        {87, "Items 87 to 110: how often does the statement apply to you?  1 = Rare or Never ... 4 = Very Often"},
        {111, "Items 111 to 123: mark the answer (1, 2, 3 or 4) that is accurate for you."}};
    for (const Heading& h : headings) {
        const int id = FirstQuestionItem + h.firstItem - 1;
        if (id > m_items.size())
            continue;
        const QPoint first = bubbleOnPage(id, 0);
        p.setPen(Qt::black);
        p.setFont(sheetFont(12, true));
        p.drawText(QRect(kLeftMargin, first.y() - 25, kRightLimit - kLeftMargin, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QLatin1String(h.text));
    }

    // Every bubble, and each item's number before its row.
    for (int id = 1; id <= m_items.size(); ++id) {
        const ScanItem& item = m_items[id - 1];
        const int count = item.DimY > 1 ? item.DimY : item.dimx;
        for (int i = 0; i < count; ++i)
            drawBubble(p, bubbleOnPage(id, i), bubbleLabel(id, i, count));
        if (id >= FirstQuestionItem && id < FirstDateItem) {
            const QPoint first = bubbleOnPage(id, 0);
            p.setPen(Qt::black);
            p.setFont(sheetFont(12));
            p.drawText(QRect(first.x() - 40, first.y() - 2, 34, kBox + 4), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(id - FirstQuestionItem + 1));
        }
    }
    p.restore();
}

QImage AnswerSheet::render() const
{
    QImage image(PageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dpm = qRound(100 / 0.0254);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    {
        QPainter p(&image);
        draw(p);
    }
    return image.convertToFormat(QImage::Format_Grayscale8);
}

QString AnswerSheet::paint(QPagedPaintDevice& device, const QString& shownName) const
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Legal), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter p;
    if (!p.begin(&device))
        return QStringLiteral("The answer sheet cannot be written to %1: it cannot be opened.").arg(shownName);
    // Page pixels at 100 dpi onto the device's resolution, so that the printed bubbles are where the reader looks.
    const qreal scale = device.logicalDpiX() / 100.0;
    p.scale(scale, scale);
    draw(p);
    if (!p.end())
        return QStringLiteral("The answer sheet could not be completed on %1.").arg(shownName);
    return {};
}

QString AnswerSheet::writePdf(const QString& path, const QStringList& ownFolders) const
{
    return writePdf(PrivateFile::CheckOutput(path, ownFolders));
}

QString AnswerSheet::writePdf(const PrivateFile::CheckedOutput& target) const
{
    if (target.refused())
        return QStringLiteral("The answer sheet was not saved. %1").arg(target.refusal());
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QStringLiteral("Veltrane answer sheet"));
        writer.setCreator(QStringLiteral("Veltrane"));
        writer.setResolution(600);
        if (QString problem = paint(writer, QDir::toNativeSeparators(target.path())); !problem.isEmpty())
            return problem;
    }
    if (const QString e = PrivateFile::WriteOutput(target, pdf.data()); !e.isEmpty())
        return QStringLiteral("The answer sheet was not saved. %1").arg(e);
    return {};
}
