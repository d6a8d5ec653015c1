#include "SheetImage.h"

#include "SheetBoxes.h"

#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr double kDpi = 100;
// A page whose side is shorter than this cannot hold a readable sheet at any resolution.
constexpr int kLeastSide = 300;
// Width over height: a sheet scanned sideways lies in the first range; anything outside the second is not a page.
constexpr double kSidewaysFrom = 1.2;
constexpr double kSidewaysTo = 2.0;
constexpr double kNarrowest = 0.35;
// Coarser than this the bubbles are too small to read.
constexpr double kLeastDpi = 75;
// At 100 dpi no page may exceed this (a sheet on the largest office glass is well inside it).
constexpr int kMostWidth = 1700;
constexpr int kMostHeight = 2800;
// The answer sheet's width, and how far from it a page may be for the resolution its file states to be believed.
constexpr double kSheetInches = 8.5;
constexpr double kSheetInchesTolerance = 0.06;
// A page measured by its boxes is scaled when they are farther than this from the printed distance, in pixels.
constexpr double kMeasuredTolerance = 1.0;

QImage asGrey(const QImage& image)
{
    return image.format() == QImage::Format_Grayscale8 ? image : image.convertToFormat(QImage::Format_Grayscale8);
}

QString shapeProblem(QSize size)
{
    const qint64 pixels = qint64(size.width()) * size.height();
    if (size.width() < 1 || size.height() < 1)
        return SheetProblems::ImageTooSmall(size);
    if (pixels > MostPagePixels)
        return SheetProblems::ImageTooLarge(size);
    const double aspect = double(size.width()) / size.height();
    if (aspect >= kSidewaysFrom && aspect <= kSidewaysTo)
        return SheetProblems::Sideways(size);
    if (aspect < kNarrowest || aspect > kSidewaysTo)
        return SheetProblems::NotPageShaped(size);
    if (std::min(size.width(), size.height()) < kLeastSide)
        return SheetProblems::ImageTooSmall(size);
    return {};
}

} // namespace

double StatedDpi(const QImage& image)
{
    // An image whose file states no resolution gets Qt's default (72 dpi, or the screen's in a GUI program). Where
    // there is no screen the default is 100 dpi, which is also what most sheet files state: those are believed, or
    // a command-line reading would measure every page again that the program's own scan takes as it is.
    const int defaultDpm = QImage(1, 1, QImage::Format_Mono).dotsPerMeterX();
    const int dpm = image.dotsPerMeterX();
    const int hundredDpi = static_cast<int>(std::lround(kDpi / kMetresPerInch));
    if (dpm <= 0 || (dpm == defaultDpm && dpm != hundredDpi) || dpm == 2835)
        return 0;
    const double dpi = dpm * kMetresPerInch;
    return dpi >= 50 && dpi <= 1200 ? dpi : 0;
}

QImage TurnedHalfRound(const QImage& page)
{
    return page.mirrored(true, true);
}

PreparedPage PreparePage(const QImage& acquired, double knownDpi)
{
    PreparedPage out;
    if (const QString problem = shapeProblem(acquired.size()); !problem.isEmpty()) {
        out.failure = ScanMessages::ScanProblem(problem);
        return out;
    }
    QImage grey = asGrey(acquired);
    out.statedDpi = knownDpi > 0 ? knownDpi : StatedDpi(acquired);
    // Many programs write a resolution they never measured: a file's own is believed only where it makes the page
    // as wide as the answer sheet. The scanner's is always believed.
    const bool believed = knownDpi > 0 || (out.statedDpi > 0 && std::abs(grey.width() / out.statedDpi -
                                                                         kSheetInches) <= kSheetInchesTolerance);
    double dpi = believed ? out.statedDpi : 0;
    bool scale = false;
    if (dpi > 0) {
        scale = std::abs(kDpi / dpi - 1.0) > 0.01;
    } else {
        // No resolution: the boxes' distance apart gives it, the one length every answer sheet prints.
        const std::optional<BoxPair> pair = FindBoxPair(grey);
        if (pair) {
            dpi = kDpi * pair->distance() / PrintedBoxDistance;
            scale = std::abs(pair->distance() - PrintedBoxDistance) > kMeasuredTolerance;
            if (pair->turned) {
                grey = TurnedHalfRound(grey);
                out.turned = true;
            }
        } else if (out.statedDpi > 0 || (grey.width() <= kMostWidth && grey.height() <= kMostHeight)) {
            // Without both boxes there is nothing to measure: the page is searched at the resolution it states, or
            // as it is, so that the supervisor learns which box is missing.
            dpi = out.statedDpi > 0 ? out.statedDpi : kDpi;
            scale = std::abs(kDpi / dpi - 1.0) > 0.01;
        } else {
            out.failure = ScanMessages::AnchorBoxNotFound(DarkShare(grey) < 0.001 ? SheetProblems::BlankPage()
                                                                                  : SheetProblems::NoBoxes());
            return out;
        }
    }
    if (dpi < kLeastDpi) {
        out.failure = ScanMessages::ScanProblem(SheetProblems::TooCoarse(dpi));
        return out;
    }
    const double factor = kDpi / dpi;
    const int w = std::max(1, static_cast<int>(std::lround(grey.width() * factor)));
    const int h = std::max(1, static_cast<int>(std::lround(grey.height() * factor)));
    if (w > kMostWidth || h > kMostHeight) {
        out.failure = ScanMessages::ScanProblem(
            SheetProblems::PageTooLarge(QSizeF(grey.width() / dpi, grey.height() / dpi), dpi));
        return out;
    }
    if (scale) {
        grey = grey.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (grey.format() != QImage::Format_Grayscale8)
            grey = grey.convertToFormat(QImage::Format_Grayscale8);
    }
    const int hundredDpi = static_cast<int>(std::lround(kDpi / kMetresPerInch));
    // Setting the same resolution again would still copy a shared page.
    if (grey.dotsPerMeterX() != hundredDpi || grey.dotsPerMeterY() != hundredDpi) {
        grey.setDotsPerMeterX(hundredDpi);
        grey.setDotsPerMeterY(hundredDpi);
    }
    out.page = grey;
    return out;
}
