#include "ScanPage.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Dark means darker than this share of the paper's own grey: pencil (90-165 on white paper) is dark, the sheet's
// light grey outlines (about 210) are not.
constexpr double kDarkShareOfPaper = 0.72;
// Dark patches of this many pixels or fewer are dust or sensor noise, not marks.
constexpr int kSpeckSize = 3;

int paperGrey(const QImage& grey)
{
    std::array<qint64, 256> histogram{};
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            ++histogram[line[x]];
    }
    // Paper covers most of an answer sheet, so the median is the paper's grey.
    const qint64 half = static_cast<qint64>(grey.width()) * grey.height() / 2;
    qint64 seen = 0;
    int median = 255;
    for (int v = 0; v < 256; ++v) {
        seen += histogram[v];
        if (seen > half) {
            median = v;
            break;
        }
    }
    return std::max(median, 160);
}

void removeSpecks(QImage& page)
{
    const int w = page.width();
    const int h = page.height();
    std::vector<uint8_t> seen(static_cast<size_t>(w) * h, 0);
    std::vector<QPoint> stack;
    std::vector<QPoint> component;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (page.constScanLine(y0)[x0] != 0 || seen[static_cast<size_t>(y0) * w + x0])
                continue;
            component.clear();
            stack.assign(1, QPoint(x0, y0));
            seen[static_cast<size_t>(y0) * w + x0] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                component.push_back(p);
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = p.x() + dx;
                        const int ny = p.y() + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                            continue;
                        const size_t i = static_cast<size_t>(ny) * w + nx;
                        if (seen[i] || page.constScanLine(ny)[nx] != 0)
                            continue;
                        seen[i] = 1;
                        stack.push_back(QPoint(nx, ny));
                    }
                }
            }
            if (static_cast<int>(component.size()) <= kSpeckSize) {
                for (const QPoint& p : component)
                    page.scanLine(p.y())[p.x()] = 255;
            }
        }
    }
}

} // namespace

ScanPage::ScanPage(const QImage& cleaned)
    : m_image(cleaned.format() == QImage::Format_Grayscale8 ? cleaned
                                                            : cleaned.convertToFormat(QImage::Format_Grayscale8))
{
}

int BoxDarkCount(const ScanPage& page, int x, int y, int s)
{
    const int last = s == 8 ? 7 : s;
    int count = 0;
    for (int row = y; row <= y + last; ++row) {
        for (int col = x; col <= x + last; ++col) {
            if (!page.isWhite(col, row))
                ++count;
        }
    }
    return count;
}

bool IsBoxDark(const ScanPage& page, int x, int y, int s, int* count)
{
    const int n = BoxDarkCount(page, x, y, s);
    if (count)
        *count = n;
    // Single precision, as the limits are stated: 19.2 for size 8, 9.8 for size 14.
    const float limit = static_cast<float>(s * s) * (s == 8 ? 0.3f : 0.05f);
    return static_cast<float>(n) > limit;
}

QImage CleanScanImage(const QImage& raw)
{
    const QImage grey = raw.convertToFormat(QImage::Format_Grayscale8);
    const int threshold = static_cast<int>(paperGrey(grey) * kDarkShareOfPaper);
    QImage page(grey.size(), QImage::Format_Grayscale8);
    page.setDotsPerMeterX(grey.dotsPerMeterX());
    page.setDotsPerMeterY(grey.dotsPerMeterY());
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        uchar* out = page.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            out[x] = in[x] < threshold ? 0 : 255;
    }
    removeSpecks(page);
    return page;
}
