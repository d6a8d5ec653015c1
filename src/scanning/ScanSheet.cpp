#include "ScanSheet.h"

#include "AnswerSheet.h"
#include "DataWorkspace.h"
#include "MarkReader.h"
#include "PrivateFile.h"
#include "Registration.h"
#include "ScanItem.h"
#include "ScanPage.h"
#include "SheetBoxes.h"
#include "SheetImage.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <future>

namespace {

// The printed boxes' centres may lie this far from the printed distance before the page counts as stretched: at
// the sheet's farthest bubble that moves the read box by no more than a third of a mark.
constexpr double kDistanceTolerance = 2.5;
// A corner found by the printed-box search must lie this close to the corner of the box it confirms.
constexpr int kCornerTolerance = 3;
// The most a sheet may be turned and still be read (the reference search itself reaches about 7 degrees).
constexpr double kMostAngle = 5.5;
constexpr int kBubbleBox = 14;

// A grey page as the 8-bit BMP file Qt's encoder writes for it, byte for byte, built at once: the encoder converts
// the page to a palette image and writes it row by row, which costs more than the rest of the scan.
QByteArray greyBmp(const QImage& page)
{
    const int w = page.width();
    const int h = page.height();
    const qsizetype stride = (qsizetype(w) + 3) / 4 * 4;
    constexpr int kHeader = 14 + 40 + 256 * 4;
    QByteArray bytes(kHeader + stride * h, '\0');
    char* d = bytes.data();
    const auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, d + at); };
    const auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, d + at); };
    d[0] = 'B';
    d[1] = 'M';
    put32(2, quint32(bytes.size()));
    put32(10, kHeader);
    put32(14, 40);
    put32(18, quint32(w));
    put32(22, quint32(h));
    put16(26, 1);
    put16(28, 8);
    put32(34, quint32(stride * h));
    put32(38, quint32(page.dotsPerMeterX()));
    put32(42, quint32(page.dotsPerMeterY()));
    put32(46, 256);
    put32(50, 256);
    for (int i = 0; i < 256; ++i)
        std::memset(d + 54 + 4 * i, i, 3);
    for (int y = 0; y < h; ++y)
        std::memcpy(d + kHeader + stride * (h - 1 - y), page.constScanLine(y), size_t(w));
    return bytes;
}

QString saveImage(const QImage& image, const QString& path)
{
    // Encoded in memory and written at once: the encoder's row-by-row writes would cost more than the encoding.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.format() == QImage::Format_Grayscale8)
        bytes = greyBmp(image);
    else if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP"))
        return QStringLiteral("The scanned image could not be saved as %1: it cannot be encoded.")
            .arg(QDir::toNativeSeparators(path));
    // Written whole or not at all, so a failed save never leaves half a picture behind; not forced to the disk,
    // though: the next scan replaces it anyway, and waiting for the disk would double a scan's time.
    if (const int err = PrivateFile::Replace(path, bytes, PrivateFile::OwnerOnly, PrivateFile::Sync::Lazy))
        return QStringLiteral("The scanned image could not be saved as %1: %2")
            .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err));
    return {};
}

// A pair of boxes this far from the printed distance is a sheet printed at the wrong size; farther, the second
// square is something else on the page.
constexpr double kMostMisprint = 0.1;

struct Attempt {
    ScanOutcome outcome;
    bool registrationFailed = false;
    bool distanceFailed = false;
};

// The anchor box's corner as the printed-box search finds and confirms it on a 100 dpi page, when it does; and
// whether the reference box was found and confirmed beside it.
std::optional<QPoint> confirmedAnchor(const QImage& grey, bool& referenceFound)
{
    int paper = 255;
    ScanPage scan(CleanScanImage(grey, &paper), grey, paper);
    PolarPoint anchor;
    PolarPoint reference;
    referenceFound = false;
    if (!FindAnchorBox(scan, anchor))
        return std::nullopt;
    const QPoint at(anchor.x, anchor.y);
    const std::optional<SolidBox> box = SolidBoxAt(scan, at);
    if (!box || (box->bounds.topLeft() - at).manhattanLength() > 2 * kCornerTolerance)
        return std::nullopt;
    scan.setOrigin(at);
    if (FindReferenceBox(scan, anchor, reference)) {
        const QPoint r(reference.x, reference.y);
        const std::optional<SolidBox> second = SolidBoxAt(scan, r);
        referenceFound = second && (second->bounds.topLeft() - r).manhattanLength() <= 2 * kCornerTolerance;
    }
    return at;
}

// The box the printed-box search misses tells the supervisor where to look: when it finds the anchor box and not
// the reference box, that is what a refused page is told, unless both printed boxes lie there, the printed distance
// apart give or take a misprint.
bool referenceBoxMissing(const AcquiredPage& page, double statedDpi)
{
    const PreparedPage asStated = PreparePage(page.image, statedDpi > 0 ? statedDpi : 100);
    if (!asStated.failure.isNull())
        return false;
    bool referenceFound = false;
    const std::optional<QPoint> anchor = confirmedAnchor(asStated.page, referenceFound);
    if (!anchor || referenceFound)
        return false;
    const std::optional<BoxPair> pair = FindBoxPair(asStated.page);
    const QPointF half((PrintedBoxSide - 1) / 2.0, (PrintedBoxSide - 1) / 2.0);
    return !pair || pair->turned || (pair->anchor - half - QPointF(*anchor)).manhattanLength() > 2 * kCornerTolerance ||
           std::abs(pair->distance() / PrintedBoxDistance - 1) > kMostMisprint;
}

// Where the sheet runs off the page, when a bubble does.
QString cutEdge(const ScanPage& scan, const QList<ScanItem>& items, float angle)
{
    MultiMarkList unused;
    const MarkReader placer(scan, angle, unused);
    QString edge;
    for (const ScanItem& item : items) {
        for (const QPoint& b : placer.bubblePositions(item)) {
            if (scan.contains(b.x(), b.y(), kBubbleBox))
                continue;
            const QPoint at = b + scan.origin();
            if (at.y() + kBubbleBox >= scan.image().height())
                return QStringLiteral("bottom");
            if (edge.isEmpty())
                edge = at.y() < 0   ? QStringLiteral("top")
                       : at.x() < 0 ? QStringLiteral("left")
                                    : QStringLiteral("right");
        }
    }
    return edge;
}

// The printed-box search on `grey` (shifted by `shift` so that the anchor search window finds a sheet that lies
// far from the scanner's corner), confirmed against the printed boxes, then the reading.
Attempt attempt(const QImage& grey, double statedDpi, QPoint shift, QList<ScanItem>& items, const QDate& today)
{
    Attempt a;
    ScanOutcome& out = a.outcome;
    int paper = 255;
    out.cleaned = CleanScanImage(grey, &paper);
    ScanPage scan(out.cleaned, grey, paper);
    scan.setOrigin(shift);
    SheetReading& reading = out.reading;
    a.registrationFailed = true;
    if (!FindAnchorBox(scan, reading.AnchorPoint)) {
        out.failure = ScanMessages::AnchorBoxNotFound();
        return a;
    }
    const QPoint anchorAt(reading.AnchorPoint.x, reading.AnchorPoint.y);
    const std::optional<SolidBox> anchorBox = SolidBoxAt(scan, anchorAt);
    if (!anchorBox || (anchorBox->bounds.topLeft() - anchorAt).manhattanLength() > 2 * kCornerTolerance) {
        out.failure = ScanMessages::ScanProblem(SheetProblems::BoxesNotConfirmed());
        return a;
    }
    scan.setOrigin(shift + anchorAt);
    if (!FindReferenceBox(scan, reading.AnchorPoint, reading.ReferencePoint)) {
        out.failure = ScanMessages::ReferenceBoxNotFound();
        return a;
    }
    const QPoint referenceAt(reading.ReferencePoint.x, reading.ReferencePoint.y);
    const std::optional<SolidBox> referenceBox = SolidBoxAt(scan, referenceAt);
    if (!referenceBox || (referenceBox->bounds.topLeft() - referenceAt).manhattanLength() > 2 * kCornerTolerance) {
        out.failure = ScanMessages::ScanProblem(SheetProblems::BoxesNotConfirmed());
        return a;
    }
    a.registrationFailed = false;

    // Both centres relative to the anchor point.
    const QPointF between = referenceBox->centre - (anchorBox->centre - QPointF(anchorAt));
    const double distance = std::hypot(between.x(), between.y());
    if (std::abs(distance - PrintedBoxDistance) > kDistanceTolerance) {
        a.distanceFailed = true;
        out.failure = ScanMessages::ScanProblem(SheetProblems::BoxDistance(distance, statedDpi));
        return a;
    }
    reading.SheetAngle = reading.ReferencePoint.theta;
    if (std::abs(reading.SheetAngle) > kMostAngle) {
        out.failure = ScanMessages::ScanProblem(SheetProblems::TurnedTooFar(reading.SheetAngle));
        return a;
    }
    if (const QString edge = cutEdge(scan, items, reading.SheetAngle); !edge.isEmpty()) {
        out.failure = ScanMessages::ScanProblem(edge == QLatin1String("bottom") ? SheetProblems::ShortPage()
                                                                                : SheetProblems::CutPage(edge));
        return a;
    }

    ReadSheet(scan, items, today, reading);
    out.registered = grey;
    out.anchor = scan.origin();
    out.ok = true;
    return a;
}

// Where to look again when the printed-box search failed: the page turned half round when the boxes lie at its
// bottom, and shifted when the anchor box lies outside the anchor search window.
bool placeByBoxes(const QImage& page, const std::optional<BoxPair>& pair, QImage& placed, QPoint& shift)
{
    if (!pair)
        return false;
    QPointF anchor = pair->anchor;
    placed = page;
    if (pair->turned) {
        placed = TurnedHalfRound(page);
        anchor = QPointF(page.width() - 1 - anchor.x(), page.height() - 1 - anchor.y());
    }
    const QPointF half((PrintedBoxSide - 1) / 2.0, (PrintedBoxSide - 1) / 2.0);
    const QPoint corner = (anchor - half).toPoint();
    // Only a corner outside the anchor search window (columns 5..45, rows 0..125, with a margin) is moved: to the
    // printed column, and to row 100, which leaves the reference search its hundred rows above.
    shift = QPoint(corner.x() < 8 || corner.x() > 40 ? corner.x() - AnswerSheet::AnchorBox.x() : 0,
                   corner.y() < 3 || corner.y() > 110 ? corner.y() - 100 : 0);
    return pair->turned || !shift.isNull();
}

} // namespace

ScanOutcome ReadSheetImage(const AcquiredPage& page, QList<ScanItem>& items, const QDate& today)
{
    if (!page.ok()) {
        ScanOutcome out;
        out.failure = ScanMessages::TwainError(page.errorNumber ? page.errorNumber : 20000, page.detail);
        return out;
    }
    const PreparedPage prepared = PreparePage(page.image, page.dpi);
    if (!prepared.failure.isNull()) {
        ScanOutcome out;
        out.failure = prepared.failure;
        return out;
    }
    Attempt a = attempt(prepared.page, prepared.statedDpi, QPoint(), items, today);
    if (a.registrationFailed) {
        const std::optional<BoxPair> pair = FindBoxPair(prepared.page);
        QImage placed;
        QPoint shift;
        if (pair && std::abs(pair->distance() - PrintedBoxDistance) > kDistanceTolerance) {
            a.distanceFailed = true;
            a.outcome.failure =
                ScanMessages::ScanProblem(SheetProblems::BoxDistance(pair->distance(), prepared.statedDpi));
        } else if (placeByBoxes(prepared.page, pair, placed, shift)) {
            Attempt again = attempt(placed, prepared.statedDpi, shift, items, today);
            if (!again.registrationFailed)
                a = std::move(again);
        }
    }
    ScanOutcome& out = a.outcome;
    if ((a.registrationFailed || a.distanceFailed) && out.failure != ScanMessages::ReferenceBoxNotFound() &&
        referenceBoxMissing(page, prepared.statedDpi))
        out.failure = ScanMessages::ReferenceBoxNotFound();
    if (!out.ok &&
        (out.failure == ScanMessages::AnchorBoxNotFound() || out.failure == ScanMessages::ReferenceBoxNotFound())) {
        const QString hint = DarkShare(prepared.page) < 0.001 ? SheetProblems::BlankPage() : SheetProblems::NoBoxes();
        out.failure = out.failure == ScanMessages::AnchorBoxNotFound() ? ScanMessages::AnchorBoxNotFound(hint)
                                                                       : ScanMessages::ReferenceBoxNotFound(hint);
    }
    return std::move(out);
}

ScanOutcome ScanSheet(const AcquiredPage& page, DataWorkspace& workspace, const QDate& today)
{
    if (!page.ok()) {
        QList<ScanItem> none;
        return ReadSheetImage(page, none, today);
    }

    ScanOutcome out;
    const QString folder = workspace.programDir() + QLatin1Char('/');
    // The page as the scanner gave it, kept whatever becomes of it, so that a refused sheet can be looked at. It is
    // saved on another core while this one reads the sheet; nothing the reading finds counts when it cannot be.
    std::future<QString> raw = std::async(std::launch::async | std::launch::deferred, saveImage, page.image,
                                          folder + QLatin1String(RawImageName));
    const auto failed = [](const QString& problem) {
        ScanOutcome refused;
        refused.failure = ScanMessages::ScanProblem(problem);
        return refused;
    };
    QString problem;
    std::unique_ptr<DataWorkspace::Database> database = workspace.OpenQuestionDatabase(&problem);
    const QString shown = database ? QDir::toNativeSeparators(database->path()) : QString();
    QList<ScanItem> items;
    if (database)
        problem = LoadScanItems(database->db(), shown, items);
    if (problem.isEmpty())
        out = ReadSheetImage(page, items, today);
    if (const QString rawProblem = raw.get(); !rawProblem.isEmpty())
        return failed(rawProblem);
    if (!problem.isEmpty())
        return failed(problem);
    if (!out.cleaned.isNull())
        problem = saveImage(out.cleaned, folder + QLatin1String(ScanImageName));
    if (problem.isEmpty() && out.ok)
        problem = WriteScanPositions(database->db(), shown, items);
    if (!problem.isEmpty()) {
        out.ok = false;
        out.failure = ScanMessages::ScanProblem(problem);
    }
    return out;
}
