#include "ScanPage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Dark means darker than this share of the paper's own grey: pencil (90-165 on white paper) is dark, the sheet's
// light grey outlines (about 210) are not.
constexpr double kDarkShareOfPaper = 0.72;
// Darkness counts pixels darker than this share of the paper: light pencil (up to about 195 on white paper) counts,
// the printed outlines (210) and an eraser's stain (220) do not, even with a scanner's noise on them.
constexpr double kLightShareOfPaper = 0.78;
// Dark patches of this many pixels or fewer are dust or sensor noise, not marks.
constexpr int kSpeckSize = 3;

QImage asGrey(const QImage& image)
{
    return image.format() == QImage::Format_Grayscale8 ? image : image.convertToFormat(QImage::Format_Grayscale8);
}

// Whitens every 8-connected patch of at most kSpeckSize dark pixels. A dark pixel with enough dark neighbours
// belongs to a larger patch outright; only the rest are followed, and never further than kSpeckSize + 1 pixels.
void removeSpecks(QImage& page)
{
    const int w = page.width();
    const int h = page.height();
    uchar* bits = page.bits();
    const qsizetype stride = page.bytesPerLine();
    const auto dark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && bits[static_cast<qsizetype>(y) * stride + x] == 0;
    };
    for (int y = 0; y < h; ++y) {
        uchar* row = bits + static_cast<qsizetype>(y) * stride;
        for (int x = 0; x < w; ++x) {
            const void* next = std::memchr(row + x, 0, static_cast<size_t>(w - x));
            if (!next)
                break;
            x = static_cast<int>(static_cast<const uchar*>(next) - row);
            int neighbours = 0;
            for (int dy = -1; dy <= 1 && neighbours < kSpeckSize; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    neighbours += (dx != 0 || dy != 0) && dark(x + dx, y + dy);
            if (neighbours >= kSpeckSize)
                continue;
            std::array<QPoint, kSpeckSize + 1> patch;
            int size = 1;
            patch[0] = QPoint(x, y);
            for (int i = 0; i < size && size <= kSpeckSize; ++i) {
                for (int dy = -1; dy <= 1 && size <= kSpeckSize; ++dy) {
                    for (int dx = -1; dx <= 1 && size <= kSpeckSize; ++dx) {
                        const QPoint q = patch[i] + QPoint(dx, dy);
                        if (!dark(q.x(), q.y()) ||
                            std::find(patch.begin(), patch.begin() + size, q) != patch.begin() + size)
                            continue;
                        patch[size++] = q;
                    }
                }
            }
            if (size <= kSpeckSize) {
                for (int i = 0; i < size; ++i)
                    bits[static_cast<qsizetype>(patch[i].y()) * stride + patch[i].x()] = 255;
            }
        }
    }
}

} // namespace

ScanPage::ScanPage(const QImage& cleaned) : ScanPage(cleaned, QImage(), 255) {}

ScanPage::ScanPage(const QImage& cleaned, const QImage& grey, int paper)
    : m_image(asGrey(cleaned)), m_grey(grey.size() == cleaned.size() ? asGrey(grey) : QImage()), m_paper(paper)
{
    m_bits = m_image.constBits();
    m_stride = m_image.bytesPerLine();
    m_width = m_image.width();
    m_height = m_image.height();
}

float ScanPage::darkness(int x, int y, int s) const
{
    const bool fromGrey = !m_grey.isNull();
    const int paper = fromGrey ? std::max(m_paper, 1) : 255;
    const int limit = static_cast<int>(paper * kLightShareOfPaper);
    const QImage& source = fromGrey ? m_grey : m_image;
    const uchar* bits = source.constBits();
    const qsizetype stride = source.bytesPerLine();
    qint64 sum = 0;
    for (int row = y; row <= y + s; ++row) {
        const int py = row + m_origin.y();
        if (py < 0 || py >= m_height)
            continue;
        for (int col = x; col <= x + s; ++col) {
            const int px = col + m_origin.x();
            if (px < 0 || px >= m_width)
                continue;
            const int g = bits[static_cast<qsizetype>(py) * stride + px];
            if (g < limit)
                sum += paper - g;
        }
    }
    return static_cast<float>(sum) / (static_cast<float>(paper) * static_cast<float>((s + 1) * (s + 1)));
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

int PaperGrey(const QImage& image)
{
    const QImage grey = asGrey(image);
    // Four tables, so that neighbouring pixels of the same grey do not wait on each other's count.
    std::array<std::array<qint64, 256>, 4> counts{};
    const int w = grey.width();
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        int x = 0;
        for (; x + 4 <= w; x += 4) {
            ++counts[0][line[x]];
            ++counts[1][line[x + 1]];
            ++counts[2][line[x + 2]];
            ++counts[3][line[x + 3]];
        }
        for (; x < w; ++x)
            ++counts[0][line[x]];
    }
    const qint64 half = static_cast<qint64>(w) * grey.height() / 2;
    qint64 seen = 0;
    int median = 255;
    for (int v = 0; v < 256; ++v) {
        seen += counts[0][v] + counts[1][v] + counts[2][v] + counts[3][v];
        if (seen > half) {
            median = v;
            break;
        }
    }
    return std::max(median, 160);
}

QImage CleanScanImage(const QImage& raw, int* paper)
{
    const QImage grey = asGrey(raw);
    const int paperGrey = PaperGrey(grey);
    if (paper)
        *paper = paperGrey;
    const int threshold = static_cast<int>(paperGrey * kDarkShareOfPaper);
    QImage page(grey.size(), QImage::Format_Grayscale8);
    if (page.isNull())
        return page;
    page.setDotsPerMeterX(grey.dotsPerMeterX());
    page.setDotsPerMeterY(grey.dotsPerMeterY());
    const int w = grey.width();
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        uchar* out = page.scanLine(y);
        for (int x = 0; x < w; ++x)
            out[x] = in[x] < threshold ? 0 : 255;
    }
    removeSpecks(page);
    return page;
}
