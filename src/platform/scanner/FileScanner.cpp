#include "FileScanner.h"

#include "ScannerErrors.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <limits>
#include <cmath>

namespace {

// No answer sheet image comes near this; a larger file is not read into memory at all.
constexpr qint64 kMostFileBytes = 300'000'000;
// What Qt may allocate for one decoded image: a legal page at 600 dpi in colour.
constexpr int kAllocationLimitMb = 256;
// Dots per metre no file states (0.03 dpi); the readers leave it when a file gives no resolution.
constexpr int kNoResolution = 1;

bool readerFor(const QByteArray& format)
{
    return QImageReader::supportedImageFormats().contains(format);
}

template <typename T> T at(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

// True when a BMP holds fewer bytes than its header promises (the reader would leave the missing rows as they
// happened to be in memory, or blank for a run-length coded one, whose end the reader does not miss).
bool bmpCutShort(const QByteArray& bytes)
{
    if (bytes.size() < 26 || !bytes.startsWith("BM"))
        return false;
    const quint32 offset = at<quint32>(bytes, 10);
    const quint32 header = at<quint32>(bytes, 14);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    quint32 compression = 0;
    if (header == 12) {
        width = at<quint16>(bytes, 18);
        height = at<quint16>(bytes, 20);
        bits = at<quint16>(bytes, 24);
    } else if (header >= 40 && bytes.size() >= 34) {
        width = at<qint32>(bytes, 18);
        height = std::abs(qint64(at<qint32>(bytes, 22)));
        bits = at<quint16>(bytes, 28);
        compression = at<quint32>(bytes, 30);
    } else {
        return false;
    }
    if (compression == 1 || compression == 2) // run-length coded: the header gives the coded size
        return bytes.size() >= 38 && qint64(offset) + at<quint32>(bytes, 34) > bytes.size();
    if (compression != 0 && compression != 3)
        return false;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return width > 0 && bits > 0 && qint64(offset) + stride * height > bytes.size();
}

// True when a JPEG file ends before its end-of-image marker after the image data (the reader would fill the rest
// of the page with grey and call it read). Segments before the image data are walked, so that an end marker of an
// embedded thumbnail does not count.
bool jpegCutShort(const QByteArray& bytes)
{
    if (!bytes.startsWith("\xff\xd8"))
        return false;
    qsizetype at = 2;
    while (at + 4 <= bytes.size()) {
        if (uchar(bytes[at]) != 0xff)
            return false; // not a marker where one belongs: left to the reader, which says so
        const uchar marker = uchar(bytes[at + 1]);
        if (marker == 0xff) {
            ++at;
            continue;
        }
        const qsizetype length = (uchar(bytes[at + 2]) << 8) | uchar(bytes[at + 3]);
        if (marker == 0xda) // the image data: the end marker must follow it
            return bytes.indexOf("\xff\xd9", at + 2 + length) < 0;
        at += 2 + length;
    }
    return true;
}

// The format of the image formats Qt reads itself, by their first bytes; empty for any other. Naming it spares the
// reader from loading every image plugin to ask each whether it knows the content.
QByteArray builtInFormat(const QByteArray& bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (bytes.startsWith("BM"))
        return "bmp";
    if (bytes.size() > 2 && bytes[0] == 'P' && bytes[1] >= '1' && bytes[1] <= '6')
        return bytes[1] == '1' || bytes[1] == '4' ? "pbm" : bytes[1] == '2' || bytes[1] == '5' ? "pgm" : "ppm";
    return {};
}

bool pageTooLarge(QSize size)
{
    return size.isValid() && (qint64(size.width()) * size.height() > FileScanner::MostPixels ||
                              std::min(size.width(), size.height()) > FileScanner::MostNarrowSide ||
                              (std::max(size.width(), size.height()) > FileScanner::MostLongSide &&
                               std::min(size.width(), size.height()) >= FileScanner::LeastSide));
}

// Linear light of the sRGB bytes, weighted as their share of luminance (D50, as Qt's own grey conversion weighs
// them), and the linear light halfway between neighbouring grey bytes, for turning a colour back into one byte.
struct GreyTables {
    std::array<float, 256> red, green, blue;
    std::array<float, 255> between; // between[v]: halfway from grey v to grey v + 1
    std::array<uchar, 4097> start;  // the least grey whose upper half reaches linear light i / 4096

    GreyTables()
    {
        const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        for (int v = 0; v < 256; ++v) {
            const double l = linear(v / 255.0);
            red[v] = float(0.2225045 * l);
            green[v] = float(0.7168786 * l);
            blue[v] = float(0.0606169 * l);
            if (v < 255)
                between[v] = float(linear((v + 0.5) / 255.0));
        }
        int v = 0;
        for (int i = 0; i <= 4096; ++i) {
            while (v < 255 && between[v] < i / 4096.0f)
                ++v;
            start[i] = uchar(v);
        }
    }

    uchar grey(uchar r, uchar g, uchar b) const
    {
        // A neutral colour is its own grey; most of a scanned answer sheet is neutral.
        if (r == g && g == b)
            return g;
        const float y = red[r] + green[g] + blue[b];
        int v = start[std::clamp(int(y * 4096), 0, 4096)];
        while (v < 255 && between[v] < y)
            ++v;
        return uchar(v);
    }
};

// The grey page of an uncompressed 8- or 24-bit BMP file, the form scanner drivers write, read straight from the
// file's bytes: no colour copy of the page and no image plugin. Null for any other kind of BMP, which the image
// reader then takes. `size` receives the page's size as soon as the header gives it.
QImage greyBmp(const QByteArray& bytes, QSize& size)
{
    if (bytes.size() < 54 || !bytes.startsWith("BM") || at<quint32>(bytes, 14) < 40)
        return {};
    const quint32 offset = at<quint32>(bytes, 10);
    const quint32 header = at<quint32>(bytes, 14);
    const qint32 width = at<qint32>(bytes, 18);
    const qint32 height = at<qint32>(bytes, 22);
    const int bits = at<quint16>(bytes, 28);
    if (at<quint16>(bytes, 26) != 1 || at<quint32>(bytes, 30) != 0 || (bits != 8 && bits != 24) || width <= 0 ||
        height == 0 || height == std::numeric_limits<qint32>::min())
        return {};
    const int rows = std::abs(height);
    const qint64 stride = (qint64(width) * bits + 31) / 32 * 4;
    if (qint64(offset) + stride * rows > bytes.size())
        return {};
    size = QSize(width, rows);
    if (pageTooLarge(size))
        return {};
    std::array<uchar, 256> palette{}; // indexes past the file's colour table are black
    if (bits == 8) {
        const quint32 used = at<quint32>(bytes, 46);
        const int colours = used == 0 || used > 256 ? 256 : int(used);
        const qint64 table = 14 + qint64(header);
        if (table + 4 * colours > offset)
            return {};
        // Qt's own conversion of the colour table, so that a palette page reads as the image reader gives it.
        QImage colours32(colours, 1, QImage::Format_RGB32);
        for (int i = 0; i < colours; ++i) {
            const uchar* c = reinterpret_cast<const uchar*>(bytes.constData() + table + 4 * i);
            colours32.setPixel(i, 0, qRgb(c[2], c[1], c[0]));
        }
        const QImage greys = colours32.convertToFormat(QImage::Format_Grayscale8);
        std::copy_n(greys.constScanLine(0), colours, palette.begin());
    }
    static const GreyTables tables;
    QImage page(size, QImage::Format_Grayscale8);
    if (page.isNull())
        return {};
    const int dpmX = at<qint32>(bytes, 38);
    const int dpmY = at<qint32>(bytes, 42);
    page.setDotsPerMeterX(dpmX > 0 ? dpmX : kNoResolution);
    page.setDotsPerMeterY(dpmY > 0 ? dpmY : kNoResolution);
    const uchar* pixels = reinterpret_cast<const uchar*>(bytes.constData()) + offset;
    for (int y = 0; y < rows; ++y) {
        // Rows run from the bottom up unless the height is negative.
        const uchar* in = pixels + stride * (height > 0 ? rows - 1 - y : y);
        uchar* out = page.scanLine(y);
        if (bits == 8) {
            for (int x = 0; x < width; ++x)
                out[x] = palette[in[x]];
        } else {
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = tables.grey(in[2], in[1], in[0]);
        }
    }
    return page;
}

} // namespace

AcquiredPage FileScanner::decode(const QByteArray& bytes, const QString& shown)
{
    using namespace ScannerErrors;
    // Say plainly when the file is of a kind this installation cannot read, rather than "invalid format".
    if (bytes.startsWith("%PDF") && !readerFor("pdf"))
        return AcquiredPage::failure(
            SubTypeNotSupported,
            QStringLiteral("%1 is a PDF file, and this installation cannot read PDF pages. Save the scan as PNG, BMP "
                           "or JPEG and try again.")
                .arg(shown));
    if ((bytes.startsWith("II*") || bytes.startsWith(QByteArray("MM\0*", 4))) && !readerFor("tiff"))
        return AcquiredPage::failure(
            SubTypeNotSupported,
            QStringLiteral("%1 is a TIFF file, and this installation has no TIFF reader (Qt's image format plugins "
                           "are not installed). Save the scan as PNG, BMP or JPEG and try again.")
                .arg(shown));
    if (bmpCutShort(bytes) || jpegCutShort(bytes))
        return AcquiredPage::failure(
            ReadingFile, QStringLiteral("The image file %1 is cut short: copy or save the scan again.").arg(shown));

    const auto refusedSize = [&](QSize size) {
        return AcquiredPage::failure(InvalidWidthHeight,
                                     QStringLiteral("The image file %1 is %2 x %3 pixels, too large for one answer "
                                                    "sheet: scan it at 100 to 600 dots per inch.")
                                         .arg(shown)
                                         .arg(size.width())
                                         .arg(size.height()));
    };
    QSize bmpSize;
    QImage bmp = greyBmp(bytes, bmpSize);
    if (pageTooLarge(bmpSize))
        return refusedSize(bmpSize);
    if (!bmp.isNull())
        return {bmp, 0, QString(), 0};

    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // Set once, before the first decoding, however many threads decode.
    static const bool limited = (QImageReader::setAllocationLimit(kAllocationLimitMb), true);
    Q_UNUSED(limited);
    QImageReader reader(&buffer, builtInFormat(bytes));
    reader.setDecideFormatFromContent(reader.format().isEmpty());
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (pageTooLarge(size))
        return refusedSize(size);
    // The page is allocated here, where the reader's own limit does not watch: a deep format of a large page
    // (16 bits a channel) is refused before it takes the memory.
    const QImage::Format format = reader.imageFormat();
    if (size.isValid() && format != QImage::Format_Invalid &&
        qint64(size.width()) * size.height() * QImage::toPixelFormat(format).bitsPerPixel() / 8 >
            qint64(kAllocationLimitMb) << 20)
        return AcquiredPage::failure(InvalidWidthHeight,
                                     QStringLiteral("The image file %1 is %2 x %3 pixels of %4 bits each, too "
                                                    "large to read: save the scan in 8-bit grey or colour.")
                                         .arg(shown)
                                         .arg(size.width())
                                         .arg(size.height())
                                         .arg(QImage::toPixelFormat(format).bitsPerPixel()));
    // Decoded into a page filled beforehand, so that rows a damaged file does not reach are blank, not whatever
    // the memory held; its resolution is marked, so that a file that states none leaves the mark.
    QImage image;
    const bool prepared = size.isValid() && format != QImage::Format_Invalid;
    if (prepared) {
        image = QImage(size, format);
        image.fill(0);
        image.setDotsPerMeterX(kNoResolution);
        image.setDotsPerMeterY(kNoResolution);
    }
    if (!reader.read(&image) || image.isNull()) {
        const int number = reader.error() == QImageReader::UnsupportedFormatError ? InvalidFileFormat : ReadingFile;
        return AcquiredPage::failure(
            number, QStringLiteral("The image file %1 cannot be read: %2").arg(shown, reader.errorString()));
    }
    if (image.format() != QImage::Format_Grayscale8)
        image = image.convertToFormat(QImage::Format_Grayscale8);
    // A file's resolution is only what some program wrote into it: it stays on the image, for the reader to weigh
    // against the page itself, and is not passed on as the resolution the page was scanned at.
    return {image, 0, QString(), 0};
}

AcquiredPage FileScanner::acquire()
{
    using namespace ScannerErrors;
    const QString shown = QDir::toNativeSeparators(m_path);
    const QFileInfo info(m_path);
    if (!info.isFile())
        return AcquiredPage::failure(FileNotFound, QStringLiteral("The image file %1 does not exist.").arg(shown));
    if (info.size() > kMostFileBytes)
        return AcquiredPage::failure(InvalidWidthHeight,
                                     QStringLiteral("The image file %1 is %2 MB, far larger than a scan of one "
                                                    "answer sheet: scan it at 100 to 600 dots per inch.")
                                         .arg(shown)
                                         .arg(info.size() / 1'000'000));
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return AcquiredPage::failure(
            CannotOpenFile, QStringLiteral("The image file %1 cannot be opened: %2").arg(shown, file.errorString()));
    return decode(file.readAll(), shown);
}
