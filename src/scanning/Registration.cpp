#include "Registration.h"

#include "ScanPage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int16_t toInt16(double v)
{
    // Halves go to the even neighbour (the default rounding mode of nearbyint).
    const double rounded = std::nearbyint(v);
    if (std::isnan(rounded))
        return 0;
    return static_cast<int16_t>(
        std::clamp(rounded, double(std::numeric_limits<int16_t>::min()), double(std::numeric_limits<int16_t>::max())));
}

// The shared search: the first pure white pixel arms the search (and stays armed); every non-white pixel met after
// that is tried as a box corner. The first hit fixes y; later hits move x left only.
template <typename Rows, typename Cols> bool searchBox(const ScanPage& page, Rows rows, Cols cols, PolarPoint& point)
{
    bool seenWhite = false;
    bool found = false;
    for (int y = rows.first; y <= rows.second; ++y) {
        for (int x = cols.first; x <= cols.second; ++x) {
            if (page.isWhite(x, y)) {
                seenWhite = true;
                continue;
            }
            if (!seenWhite || !IsBoxDark(page, x, y, 8))
                continue;
            if (!found) {
                point.x = static_cast<int16_t>(x);
                point.y = static_cast<int16_t>(y);
                found = true;
            } else if (x < point.x) {
                point.x = static_cast<int16_t>(x);
            }
            PointToPolar(point);
        }
    }
    return found;
}

} // namespace

void PointToPolar(PolarPoint& point)
{
    const double x = point.x;
    const double y = point.y;
    point.r = static_cast<float>(std::sqrt(x * x + y * y));
    const double theta = point.x != 0 ? std::atan(y / x) : M_PI / 2;
    point.theta = static_cast<float>(theta * 180.0 / M_PI);
}

QPoint PolarToPoint(float r, float theta)
{
    const float radians = static_cast<float>(theta * 3.14159265358979 / 180);
    return QPoint(toInt16(double(r) * std::cos(double(radians))), toInt16(double(r) * std::sin(double(radians))));
}

bool FindAnchorBox(const ScanPage& page, PolarPoint& anchor)
{
    return searchBox(page, std::pair(0, 125), std::pair(5, 45), anchor);
}

bool FindReferenceBox(const ScanPage& page, const PolarPoint& anchor, PolarPoint& reference)
{
    const int lastColumn = std::min(802, ScanPageWidth - anchor.x);
    const int firstRow = std::max(-static_cast<int>(anchor.y), -100);
    return searchBox(page, std::pair(firstRow, 100), std::pair(772, lastColumn), reference);
}
