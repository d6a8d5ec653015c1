#include "ScanSheet.h"

#include "DataWorkspace.h"
#include "PrivateFile.h"
#include "ScanItem.h"
#include "ScanPage.h"

#include <QBuffer>
#include <QDate>
#include <QDir>

namespace {

QString saveImage(const QImage& image, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP"))
        return QStringLiteral("The scanned image could not be saved as %1: it cannot be encoded.")
            .arg(QDir::toNativeSeparators(path));
    // Written whole or not at all, so a failed save never leaves half a picture behind.
    if (const int err = PrivateFile::Replace(path, bytes))
        return QStringLiteral("The scanned image could not be saved as %1: %2")
            .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err));
    return {};
}

} // namespace

ScanOutcome ScanSheet(const AcquiredPage& page, DataWorkspace& workspace, const QDate& today)
{
    ScanOutcome out;
    if (!page.ok()) {
        out.failure = ScanMessages::TwainError(page.errorNumber ? page.errorNumber : 20000, page.detail);
        return out;
    }
    const QString folder = workspace.programDir() + QLatin1Char('/');
    if (QString problem = saveImage(page.image, folder + QLatin1String(RawImageName)); !problem.isEmpty()) {
        out.failure = ScanMessages::ScanProblem(problem);
        return out;
    }
    const QImage cleaned = CleanScanImage(page.image);
    if (QString problem = saveImage(cleaned, folder + QLatin1String(ScanImageName)); !problem.isEmpty()) {
        out.failure = ScanMessages::ScanProblem(problem);
        return out;
    }

    ScanPage scan(cleaned);
    SheetReading& reading = out.reading;
    if (!FindAnchorBox(scan, reading.AnchorPoint)) {
        out.failure = ScanMessages::AnchorBoxNotFound();
        return out;
    }
    scan.setOrigin(QPoint(reading.AnchorPoint.x, reading.AnchorPoint.y));
    if (!FindReferenceBox(scan, reading.AnchorPoint, reading.ReferencePoint)) {
        out.failure = ScanMessages::ReferenceBoxNotFound();
        return out;
    }
    reading.SheetAngle = reading.ReferencePoint.theta;

    QString problem;
    std::unique_ptr<DataWorkspace::Database> database = workspace.OpenQuestionDatabase(&problem);
    if (!database) {
        out.failure = ScanMessages::ScanProblem(problem);
        return out;
    }
    const QString shown = QDir::toNativeSeparators(database->path());
    QList<ScanItem> items;
    problem = LoadScanItems(database->db(), shown, items);
    if (problem.isEmpty()) {
        ReadSheet(scan, items, today, reading);
        problem = WriteScanPositions(database->db(), shown, items);
    }
    if (!problem.isEmpty()) {
        out.failure = ScanMessages::ScanProblem(problem);
        return out;
    }
    out.ok = true;
    return out;
}
