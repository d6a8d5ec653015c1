#include "FileScanner.h"

#include "ScannerErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr double kPageWidthInches = 8.5;

bool readerFor(const QByteArray& format)
{
    return QImageReader::supportedImageFormats().contains(format);
}

} // namespace

double FileScanner::pageDpi(const QImage& image)
{
    // An image whose file states no resolution gets Qt's default (72 dpi, or the screen's in a GUI program).
    const int defaultDpm = QImage(1, 1, QImage::Format_Mono).dotsPerMeterX();
    const int dpm = image.dotsPerMeterX();
    if (dpm > 0 && dpm != defaultDpm && dpm != 2835) {
        const double dpi = dpm * kMetresPerInch;
        if (dpi >= 50 && dpi <= 1200)
            return dpi;
    }
    return image.width() / kPageWidthInches;
}

QImage FileScanner::toHundredDpiGrey(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const double factor = 100.0 / pageDpi(image);
    if (std::abs(factor - 1.0) > 0.01) {
        const int w = std::max(1, static_cast<int>(std::lround(grey.width() * factor)));
        const int h = std::max(1, static_cast<int>(std::lround(grey.height() * factor)));
        grey = grey.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (grey.format() != QImage::Format_Grayscale8)
            grey = grey.convertToFormat(QImage::Format_Grayscale8);
    }
    const int hundredDpi = static_cast<int>(std::lround(100 / kMetresPerInch));
    grey.setDotsPerMeterX(hundredDpi);
    grey.setDotsPerMeterY(hundredDpi);
    return grey;
}

AcquiredPage FileScanner::acquire()
{
    using namespace ScannerErrors;
    const QString shown = QDir::toNativeSeparators(m_path);
    if (!QFileInfo(m_path).isFile())
        return AcquiredPage::failure(FileNotFound, QStringLiteral("The image file %1 does not exist.").arg(shown));
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return AcquiredPage::failure(
            CannotOpenFile, QStringLiteral("The image file %1 cannot be opened: %2").arg(shown, file.errorString()));
    const QByteArray head = file.peek(8);
    file.close();

    // Say plainly when the file is of a kind this installation cannot read, rather than "invalid format".
    if (head.startsWith("%PDF") && !readerFor("pdf"))
        return AcquiredPage::failure(
            SubTypeNotSupported,
            QStringLiteral("%1 is a PDF file, and this installation cannot read PDF pages. Save the scan as PNG, BMP "
                           "or JPEG and try again.")
                .arg(shown));
    if ((head.startsWith("II*") || head.startsWith(QByteArray("MM\0*", 4))) && !readerFor("tiff"))
        return AcquiredPage::failure(
            SubTypeNotSupported,
            QStringLiteral("%1 is a TIFF file, and this installation has no TIFF reader (Qt's image format plugins "
                           "are not installed). Save the scan as PNG, BMP or JPEG and try again.")
                .arg(shown));

    QImageReader reader(m_path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        const int number = reader.error() == QImageReader::UnsupportedFormatError ? InvalidFileFormat : ReadingFile;
        return AcquiredPage::failure(
            number, QStringLiteral("The image file %1 cannot be read: %2").arg(shown, reader.errorString()));
    }
    return {toHundredDpiGrey(image), 0, QString()};
}
