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
        return {PrintOutcome::Status::Failed, QStringLiteral("Printing on %1 could not start.").arg(destination)};

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
        const qreal pitch = lines * spacing <= pageHeight ? spacing : std::max(pageHeight / lines, spacing * 0.8);
        const qsizetype perSheet = std::max<qsizetype>(1, static_cast<qsizetype>(pageHeight / pitch + 1e-6));
        for (qsizetype i = 0; i < page.size(); ++i) {
            if (i > 0 && i % perSheet == 0 && !printer.newPage()) {
                painter.end();
                return {PrintOutcome::Status::Failed, QStringLiteral("%1 refused a new page.").arg(destination)};
            }
            painter.drawText(QPointF(0, (i % perSheet) * pitch + metrics.ascent()), page[i]);
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return {PrintOutcome::Status::Failed,
                QStringLiteral("The report could not be sent to %1; nothing was printed.").arg(destination)};
    return {};
}
