#include "MarkReader.h"

#include "Registration.h"
#include "ScanPage.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBubbleBox = 14; // IsBoxDark size: a 15 x 15 box
// A bubble this dark holds a mark, even one too light for the reading rule (pencil of about 185 on white paper
// fills a bubble to about 0.15; blank bubbles, outlines and eraser stains stay near 0).
constexpr float kLightMark = 0.05f;
// A second mark at least this share of the first's darkness is too close to call.
constexpr float kTooClose = 0.75f;
// The most a row's or column's own rule may stray from the fully turned position, pixels.
constexpr int kMostDrift = 2;

MarkState stateOf(const QList<float>& darkness, const QList<bool>& marked, int chosen)
{
    const qsizetype count = std::count(marked.begin(), marked.end(), true);
    int darkest = -1;
    for (int i = 0; i < darkness.size(); ++i)
        if (darkest < 0 || darkness[i] > darkness[darkest])
            darkest = i;
    float other = 0; // the darkest bubble besides the one read (or the darkest)
    const int first = chosen >= 0 ? chosen : darkest;
    for (int i = 0; i < darkness.size(); ++i)
        if (i != first)
            other = std::max(other, darkness[i]);
    if (count == 0)
        return darkest >= 0 && darkness[darkest] >= kLightMark ? MarkState::Uncertain : MarkState::Read;
    const float read = darkness[chosen];
    if (count == 1)
        return other >= kLightMark && other >= kTooClose * read ? MarkState::Uncertain : MarkState::Read;
    return darkest != chosen || other >= kTooClose * read ? MarkState::Uncertain : MarkState::Multiple;
}

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

MarkReader::MarkReader(const ScanPage& page, float sheetAngle, MultiMarkList& list, QList<LocationReading>* locations)
    : m_page(page), m_angle(sheetAngle), m_list(list), m_locations(locations)
{
}

QList<QPoint> MarkReader::bubblePositions(const ScanItem& item) const
{
    const QPoint first = PolarToPoint(item.r, static_cast<float>(item.theta + m_angle));
    QList<QPoint> out;
    const bool column = item.DimY > 1;
    const int count = column ? item.DimY : item.dimx;
    for (int i = 0; i < count; ++i) {
        const QPoint turned = column ? PolarToPoint(static_cast<float>(item.dy * i), m_angle + 90.0f)
                                     : PolarToPoint(static_cast<float>(item.dx * i), m_angle);
        const int drift = column ? turned.x() : turned.y();
        if (std::abs(drift) > kMostDrift)
            out.append(first + turned);
        else if (column)
            out.append(QPoint(first.x(), first.y() + turned.y()));
        else
            out.append(QPoint(first.x() + turned.x(), first.y()));
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
    QList<bool> dark;
    QList<float> darkness;
    int chosen = -1;
    int chosenCount = 0;
    int marked = 0;
    for (int i = 0; i < bubbles.size(); ++i) {
        int count = 0;
        dark.append(IsBoxDark(m_page, bubbles[i].x(), bubbles[i].y(), kBubbleBox, &count));
        darkness.append(m_page.darkness(bubbles[i].x(), bubbles[i].y(), kBubbleBox));
        m_lastCounts.append(count);
        if (!dark.last())
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
    // The rows read a second time only for their side effects are recorded once.
    if (m_locations && (m_locations->isEmpty() || m_locations->last().id != item.ID)) {
        m_locations->append({item.ID, item.LocationName, stateOf(darkness, dark, chosen), chosen, bubbles, darkness});
    }
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
