#include "PagePainter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

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

PrintOutcome PaintJob(QPrinter& printer, const PrintJob& job, const QString& destination)
{
    if (job.pages.isEmpty())
        return {PrintOutcome::Status::Failed, QStringLiteral("There is nothing to print.")};
    printer.setDocName(job.title);
    printer.setCreator(QStringLiteral("Veltrane"));

    QPainter painter;
    if (!painter.begin(&printer))
        return {PrintOutcome::Status::Failed,
                QStringLiteral("Printing on %1 could not start.").arg(destination)};

    const QFont font = FixedPitchFont(job.fontFamily, job.pointSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const qreal pageHeight = printer.height();
    const qreal spacing = metrics.lineSpacing();

    bool firstSheet = true;
    for (const QStringList& page : job.pages) {
        if (!firstSheet && !printer.newPage()) {
            painter.end();
            return {PrintOutcome::Status::Failed, QStringLiteral("%1 refused a new page.").arg(destination)};
        }
        firstSheet = false;
        // A page a little longer than the sheet is drawn with tighter lines so it keeps to one sheet; one much longer
        // goes on over further sheets rather than losing lines.
        const qsizetype lines = std::max<qsizetype>(page.size(), 1);
        const qreal pitch = std::max(std::min(spacing, pageHeight / lines), spacing * 0.8);
        qreal top = 0;
        for (const QString& line : page) {
            if (top + metrics.height() > pageHeight && top > 0) {
                if (!printer.newPage()) {
                    painter.end();
                    return {PrintOutcome::Status::Failed, QStringLiteral("%1 refused a new page.").arg(destination)};
                }
                top = 0;
            }
            painter.drawText(QPointF(0, top + metrics.ascent()), line);
            top += pitch;
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return {PrintOutcome::Status::Failed,
                QStringLiteral("The report could not be sent to %1; nothing was printed.").arg(destination)};
    return {};
}
