#include "PagePainter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

QFont FixedPitchFont(const QString& family, qreal pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont liberation(QStringLiteral("Liberation Mono"));
    liberation.setPointSizeF(pointSize);
    if (QFontInfo(liberation).fixedPitch())
        return liberation;
    QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    system.setPointSizeF(pointSize);
    return system;
}

namespace {

struct PageFit {
    qreal scale = 1; // applied to the whole page alike, so its columns stay in line
    qsizetype linesPerSheet = 1;
};

// Below this a page too long for one sheet would become hard to read; it goes on over further sheets instead.
constexpr qreal MinimumHeightScale = 0.8;

PageFit FitPage(const QStringList& lines, const QFontMetricsF& metrics, const QSizeF& area)
{
    qreal widest = 0;
    for (const QString& line : lines) {
        // Blanks at the end of a line print nothing, so they need no room.
        qsizetype end = line.size();
        while (end > 0 && line.at(end - 1).isSpace())
            --end;
        widest = std::max(widest, metrics.horizontalAdvance(line.left(end)));
    }
    const qreal spacing = metrics.lineSpacing();
    const qsizetype count = std::max<qsizetype>(lines.size(), 1);
    // The last line needs its ascent and descent, not a whole line spacing.
    const qreal height = (count - 1) * spacing + metrics.ascent() + metrics.descent();

    // The PDF a job becomes (for CUPS too) keeps glyph widths in whole thousandths of an em, rounded up (Liberation
    // Mono's 600.1 becomes 601), so a line takes about 0.2 % more than the metrics say: room to spare keeps its last
    // character inside.
    const QSizeF room = area * 0.995;
    PageFit fit;
    if (widest > room.width())
        fit.scale = room.width() / widest;
    if (height * fit.scale > room.height() && room.height() / height >= MinimumHeightScale)
        fit.scale = room.height() / height;
    const qreal scaledSpacing = spacing * fit.scale;
    const qreal below = room.height() - (metrics.ascent() + metrics.descent()) * fit.scale;
    fit.linesPerSheet = std::max<qsizetype>(1, static_cast<qsizetype>(std::floor(below / scaledSpacing + 1e-9)) + 1);
    return fit;
}

} // namespace

PrintOutcome PaintJob(QPrinter& printer, const PrintJob& job, const QString& destination)
{
    if (job.pages.isEmpty())
        return {PrintOutcome::Status::Failed, QStringLiteral("There is nothing to print.")};
    printer.setDocName(job.title);
    printer.setCreator(QStringLiteral("Veltrane"));

    QPainter painter;
    if (!painter.begin(&printer))
        return {PrintOutcome::Status::Failed, QStringLiteral("Printing on %1 could not start.").arg(destination)};

    const QFont font = FixedPitchFont(job.fontFamily, job.pointSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    // The painter's origin is the corner of the printable area inside the margins.
    const QSizeF area(printer.width(), printer.height());
    const qreal spacing = metrics.lineSpacing();

    bool firstSheet = true;
    for (const QStringList& page : job.pages) {
        const PageFit fit = FitPage(page, metrics, area);
        for (qsizetype i = 0; i < std::max<qsizetype>(page.size(), 1); ++i) {
            if (i % fit.linesPerSheet == 0) {
                if (!firstSheet && !printer.newPage()) {
                    painter.end();
                    return {PrintOutcome::Status::Failed, QStringLiteral("%1 refused a new page.").arg(destination)};
                }
                firstSheet = false;
                painter.resetTransform();
                painter.scale(fit.scale, fit.scale);
            }
            if (i < page.size())
                painter.drawText(QPointF(0, (i % fit.linesPerSheet) * spacing + metrics.ascent()), page[i]);
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return {PrintOutcome::Status::Failed,
                QStringLiteral("The report could not be sent to %1; nothing was printed.").arg(destination)};
    return {};
}
