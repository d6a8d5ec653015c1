#include "SheetBoxes.h"

#include "ScanPage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double kDarkShareOfPaper = 0.72; // as cleaning counts a pixel dark
// A square's pixel count over the square of its farthest pixel's distance from the centre is about 2 at any
// turn; a round pencil mark's is about 3.
constexpr double kMostSquare = 2.6;
// White paper around a box: at most this share of the ring around it may be dark.
constexpr double kRingDarkShare = 0.08;
// The printed distance over the printed side, and how far a measured pair may stray from it (sides are measured
// coarsely on small boxes).
constexpr double kDistanceOverSide = PrintedBoxDistance / PrintedBoxSide;
constexpr double kRatioTolerance = 0.25;
// The most a pair may lean from level, and so the most a sheet may be turned for the finder (tan 6 degrees).
constexpr double kMostLean = 0.105;
// The finder works on a copy of about this many pixels (a legal page at about 100 dpi).
constexpr double kWorkingPixels = 1.5e6;
// The boxes lie in the top (or, turned, the bottom) quarter of the page, and a box is at least this share of the
// page's width (it is 1/71 of a legal page's): smaller squares at the right distance are pieces of text.
constexpr double kBoxBand = 0.25;
constexpr double kLeastSideOfWidth = 1.0 / 110;

struct Patch {
    QRect bounds;
    qint64 sumX = 0;
    qint64 sumY = 0;
    int pixels = 0;
    double farthest = 0; // from the centre, pixel centres

    QPointF centre() const { return QPointF(double(sumX) / pixels, double(sumY) / pixels); }
};

// A dark-pixel test over a plain 8-bit image.
struct Binary {
    const uchar* bits;
    qsizetype stride;
    int width;
    int height;
    int threshold;

    bool dark(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && bits[static_cast<qsizetype>(y) * stride + x] < threshold;
    }
};

void measureFarthest(Patch& p, const std::vector<QPoint>& pixels)
{
    const QPointF c = p.centre();
    double best = 0;
    for (const QPoint& q : pixels)
        best = std::max(best, (q.x() - c.x()) * (q.x() - c.x()) + (q.y() - c.y()) * (q.y() - c.y()));
    p.farthest = std::sqrt(best);
}

// A patch shaped like a solid square (turned or not), with white paper around it.
template <typename Dark> bool squareWithWhiteRing(const Patch& p, int ring, Dark dark)
{
    const int w = p.bounds.width();
    const int h = p.bounds.height();
    if (p.pixels < 9 || w * 4 < h * 3 || h * 4 < w * 3 || p.pixels < 0.7 * w * h)
        return false;
    const double reach = p.farthest + 0.5;
    if (p.pixels / (reach * reach) > kMostSquare)
        return false;
    const QRect around = p.bounds.adjusted(-ring, -ring, ring, ring);
    int darkAround = 0;
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            darkAround += dark(x, y) && !p.bounds.contains(x, y);
    const int ringArea = around.width() * around.height() - w * h;
    return darkAround <= kRingDarkShare * ringArea;
}

QImage asGrey(const QImage& image)
{
    return image.format() == QImage::Format_Grayscale8 ? image : image.convertToFormat(QImage::Format_Grayscale8);
}

// The mean of each k x k block.
QImage shrink(const QImage& grey, int k)
{
    if (k <= 1)
        return grey;
    QImage out(grey.width() / k, grey.height() / k, QImage::Format_Grayscale8);
    if (out.isNull())
        return out;
    std::vector<int> sums(static_cast<size_t>(out.width()));
    for (int oy = 0; oy < out.height(); ++oy) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int dy = 0; dy < k; ++dy) {
            const uchar* in = grey.constScanLine(oy * k + dy);
            for (int ox = 0; ox < out.width(); ++ox)
                for (int dx = 0; dx < k; ++dx)
                    sums[ox] += in[ox * k + dx];
        }
        uchar* line = out.scanLine(oy);
        for (int ox = 0; ox < out.width(); ++ox)
            line[ox] = static_cast<uchar>(sums[ox] / (k * k));
    }
    return out;
}

// Every 8-connected dark patch of the image that looks like a solid square with white around it.
std::vector<Patch> squarePatches(const Binary& b)
{
    std::vector<Patch> out;
    std::vector<uint8_t> seen(static_cast<size_t>(b.width) * b.height, 0);
    std::vector<QPoint> stack;
    std::vector<QPoint> pixels;
    // Only patches that reach into the top or bottom quarter, where the boxes lie.
    const int band = static_cast<int>(std::ceil(kBoxBand * b.height)) + 1;
    for (int y0 = 0; y0 < b.height; ++y0) {
        if (y0 == band && b.height - band > band)
            y0 = b.height - band;
        for (int x0 = 0; x0 < b.width; ++x0) {
            if (seen[static_cast<size_t>(y0) * b.width + x0] || !b.dark(x0, y0))
                continue;
            Patch p;
            p.bounds = QRect(x0, y0, 1, 1);
            pixels.clear();
            stack.assign(1, QPoint(x0, y0));
            seen[static_cast<size_t>(y0) * b.width + x0] = 1;
            while (!stack.empty()) {
                const QPoint q = stack.back();
                stack.pop_back();
                pixels.push_back(q);
                p.bounds |= QRect(q, QSize(1, 1));
                p.sumX += q.x();
                p.sumY += q.y();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = q.x() + dx;
                        const int ny = q.y() + dy;
                        if (!b.dark(nx, ny) || seen[static_cast<size_t>(ny) * b.width + nx])
                            continue;
                        seen[static_cast<size_t>(ny) * b.width + nx] = 1;
                        stack.push_back(QPoint(nx, ny));
                    }
                }
            }
            p.pixels = static_cast<int>(pixels.size());
            measureFarthest(p, pixels);
            const int ring = std::max(2, p.bounds.width() * 2 / 3);
            if (squareWithWhiteRing(p, ring, [&b](int x, int y) { return b.dark(x, y); }))
                out.push_back(p);
        }
    }
    return out;
}

// The centre and pixel count of the dark pixels of `area` at full resolution.
Patch refine(const Binary& b, QRect area)
{
    Patch p;
    for (int y = std::max(0, area.top()); y <= std::min(b.height - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(b.width - 1, area.right()); ++x) {
            if (!b.dark(x, y))
                continue;
            p.sumX += x;
            p.sumY += y;
            ++p.pixels;
        }
    }
    return p;
}

} // namespace

double BoxPair::distance() const
{
    return std::hypot(reference.x() - anchor.x(), reference.y() - anchor.y());
}

std::optional<SolidBox> SolidBoxAt(const ScanPage& page, QPoint corner)
{
    // A box is looked for within this reach of the corner; a patch that runs past it is too large to be one.
    constexpr int kReach = 24;
    constexpr int kSide = 2 * kReach + 1;
    std::array<uint8_t, kSide * kSide> seen{};
    const auto index = [&](QPoint q) {
        return static_cast<size_t>(q.y() - corner.y() + kReach) * kSide + (q.x() - corner.x() + kReach);
    };
    const QRect window(corner - QPoint(kReach, kReach), QSize(kSide, kSide));
    // Beyond the page's edge counts as paper: a box close to a cropped page's edge still has white around it.
    const auto dark = [&page](int x, int y) { return page.contains(x, y, 0) && !page.isWhite(x, y); };
    std::optional<SolidBox> best;
    std::vector<QPoint> stack;
    std::vector<QPoint> pixels;
    for (int y0 = corner.y(); y0 < corner.y() + 8; ++y0) {
        for (int x0 = corner.x(); x0 < corner.x() + 8; ++x0) {
            const QPoint start(x0, y0);
            if (!dark(x0, y0) || seen[index(start)])
                continue;
            Patch p;
            p.bounds = QRect(start, QSize(1, 1));
            bool tooLarge = false;
            pixels.clear();
            stack.assign(1, start);
            seen[index(start)] = 1;
            while (!stack.empty()) {
                const QPoint q = stack.back();
                stack.pop_back();
                pixels.push_back(q);
                p.bounds |= QRect(q, QSize(1, 1));
                p.sumX += q.x();
                p.sumY += q.y();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint n = q + QPoint(dx, dy);
                        if (!dark(n.x(), n.y()))
                            continue;
                        if (!window.contains(n)) {
                            tooLarge = true;
                            continue;
                        }
                        if (seen[index(n)])
                            continue;
                        seen[index(n)] = 1;
                        stack.push_back(n);
                    }
                }
            }
            p.pixels = static_cast<int>(pixels.size());
            constexpr int area = PrintedBoxSide * PrintedBoxSide;
            if (tooLarge || p.pixels < 0.55 * area || p.pixels > 1.6 * area || p.bounds.width() < 9 ||
                p.bounds.height() < 9 || p.bounds.width() > 17 || p.bounds.height() > 17)
                continue;
            measureFarthest(p, pixels);
            if (!squareWithWhiteRing(p, 8, dark))
                continue;
            if (!best || p.pixels > best->pixels)
                best = SolidBox{p.bounds, p.centre(), p.pixels};
        }
    }
    return best;
}

std::optional<BoxPair> FindBoxPair(const QImage& image)
{
    const QImage grey = asGrey(image);
    if (grey.isNull())
        return std::nullopt;
    const double pixels = double(grey.width()) * grey.height();
    const int k = std::max(1, static_cast<int>(std::ceil(std::sqrt(pixels / kWorkingPixels))));
    const QImage work = shrink(grey, k);
    if (work.width() < 16 || work.height() < 16)
        return std::nullopt;
    const int threshold = static_cast<int>(PaperGrey(work) * kDarkShareOfPaper);
    const Binary small{work.constBits(), work.bytesPerLine(), work.width(), work.height(), threshold};
    const std::vector<Patch> squares = squarePatches(small);

    // Among the pairs that fit, the largest: text can hold small squares at the right distance for their size.
    std::optional<BoxPair> best;
    int bestPixels = 0;
    for (size_t i = 0; i < squares.size(); ++i) {
        for (size_t j = i + 1; j < squares.size(); ++j) {
            const Patch& a = squares[i];
            const Patch& b = squares[j];
            if (a.pixels * 16 < b.pixels * 9 || b.pixels * 16 < a.pixels * 9)
                continue;
            const QPointF d = b.centre() - a.centre();
            if (std::abs(d.y()) > kMostLean * std::abs(d.x()))
                continue;
            const double side = (std::sqrt(double(a.pixels)) + std::sqrt(double(b.pixels))) / 2;
            const double middle = (a.centre().y() + b.centre().y()) / 2 / work.height();
            if (side < kLeastSideOfWidth * work.width() || (middle > kBoxBand && middle < 1 - kBoxBand))
                continue;
            const double error = std::abs(std::hypot(d.x(), d.y()) / side / kDistanceOverSide - 1);
            if (error >= kRatioTolerance || a.pixels + b.pixels <= bestPixels)
                continue;
            const bool turned = (a.centre().y() + b.centre().y()) / 2 > work.height() / 2.0;
            // Upright, the anchor is the left box; turned over, the right one.
            const bool aIsLeft = a.centre().x() < b.centre().x();
            const Patch& anchor = (aIsLeft != turned) ? a : b;
            const Patch& reference = (aIsLeft != turned) ? b : a;
            BoxPair pair;
            pair.turned = turned;
            if (k == 1) {
                pair.anchor = anchor.centre();
                pair.reference = reference.centre();
                pair.side = side;
            } else {
                // Measured again at full resolution, where the centres are exact to a fraction of a pixel.
                const Binary full{grey.constBits(), grey.bytesPerLine(), grey.width(), grey.height(), threshold};
                const auto around = [k](const Patch& p) {
                    return QRect(p.bounds.topLeft() * k, p.bounds.size() * k).adjusted(-k, -k, k, k);
                };
                const Patch fa = refine(full, around(anchor));
                const Patch fr = refine(full, around(reference));
                if (fa.pixels == 0 || fr.pixels == 0)
                    continue;
                pair.anchor = fa.centre();
                pair.reference = fr.centre();
                pair.side = (std::sqrt(double(fa.pixels)) + std::sqrt(double(fr.pixels))) / 2;
            }
            best = pair;
            bestPixels = a.pixels + b.pixels;
        }
    }
    return best;
}

double DarkShare(const QImage& image)
{
    const QImage grey = asGrey(image);
    if (grey.isNull())
        return 0;
    const int threshold = static_cast<int>(PaperGrey(grey) * kDarkShareOfPaper);
    qint64 dark = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            dark += line[x] < threshold;
    }
    return double(dark) / (double(grey.width()) * grey.height());
}
