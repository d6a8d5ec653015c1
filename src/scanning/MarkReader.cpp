#include "MarkReader.h"

#include "Registration.h"
#include "ScanPage.h"

namespace {

constexpr int kBubbleBox = 14; // IsBoxDark size: a 15 x 15 box

} // namespace

QString DemographicCode(int type, int position)
{
    if (position == 0)
        return QStringLiteral("N");
    int highest = 0;
    QString other;
    switch (type) {
    case 1:
        highest = 2;
        break; // gender
    case 3:
        highest = 6;
        break; // ethnicity
    case 4:
        highest = 8;
        other = QStringLiteral("0");
        break; // education
    case 5:
        highest = 5;
        other = QStringLiteral("0");
        break; // marital status
    default:
        break;
    }
    return position <= highest ? QString::number(position) : other;
}

MarkReader::MarkReader(const ScanPage& page, float sheetAngle, MultiMarkList& list)
    : m_page(page), m_angle(sheetAngle), m_list(list)
{
}

QList<QPoint> MarkReader::bubblePositions(const ScanItem& item) const
{
    const QPoint first = PolarToPoint(item.r, static_cast<float>(item.theta + m_angle));
    QList<QPoint> out;
    // Only the offset along the row (or down the column) is turned: a row keeps its first bubble's y, a column
    // its x. The sheet's layout keeps rows and columns short so that this stays within a bubble.
    if (item.DimY > 1) {
        for (int j = 0; j < item.DimY; ++j)
            out.append(
                QPoint(first.x(), first.y() + PolarToPoint(static_cast<float>(item.dy * j), m_angle + 90.0f).y()));
    } else {
        for (int i = 0; i < item.dimx; ++i)
            out.append(QPoint(first.x() + PolarToPoint(static_cast<float>(item.dx * i), m_angle).x(), first.y()));
    }
    return out;
}

int MarkReader::readLocation(ScanItem& item, bool column)
{
    ScanItem placed = item;
    if (column)
        placed.dimx = 1;
    else
        placed.DimY = 1;
    const QList<QPoint> bubbles = bubblePositions(placed);
    item.x = bubbles.first().x();
    item.y = bubbles.first().y();

    m_lastCounts.clear();
    int chosen = -1;
    int chosenCount = 0;
    int marked = 0;
    for (int i = 0; i < bubbles.size(); ++i) {
        int count = 0;
        const bool dark = IsBoxDark(m_page, bubbles[i].x(), bubbles[i].y(), kBubbleBox, &count);
        m_lastCounts.append(count);
        if (!dark)
            continue;
        ++marked;
        if (chosen < 0 || count > chosenCount) {
            chosen = i;
            chosenCount = count;
        }
    }
    if (marked > 1)
        m_list.add(item.LocationName);
    m_lastChoice = chosen;
    return chosen;
}

void MarkReader::ReadDemographic(int type, ScanItem& item, QString& text)
{
    text = DemographicCode(type, readLocation(item, false) + 1);
}

void MarkReader::ReadChoiceRow(ScanItem& item, QString& text, int firstValue)
{
    const int chosen = readLocation(item, false);
    if (chosen >= 0)
        text += QString::number(chosen + firstValue);
    else
        text += firstValue == 1 ? QLatin1Char('0') : QLatin1Char('N');
}

void MarkReader::ReadDigitColumn(ScanItem& item, QString& text)
{
    const int chosen = readLocation(item, true);
    text += chosen >= 0 ? QString::number(chosen) : QStringLiteral("N");
}
