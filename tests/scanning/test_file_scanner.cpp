// Scanning from image files: formats, resolution, and the errors an office will meet.

#include "FileScanner.h"
#include "ScannerErrors.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A page of `inches` wide at `dpi` with a black square one inch from the top-left corner.
QImage page(double dpi, bool stateResolution = true)
{
    QImage image(qRound(8.5 * dpi), qRound(14 * dpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = qRound(dpi); y < qRound(1.5 * dpi); ++y)
        for (int x = qRound(dpi); x < qRound(1.5 * dpi); ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    if (stateResolution) {
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
    }
    return image;
}

} // namespace

class TestFileScanner : public QObject {
    Q_OBJECT

private slots:
    void acquire_readsAndScalesToHundredDpi_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<bool>("stated");
        QTest::newRow("png 100 dpi") << QByteArray("png") << 100.0 << true;
        QTest::newRow("png 200 dpi") << QByteArray("png") << 200.0 << true;
        QTest::newRow("png 300 dpi, no resolution in the file") << QByteArray("png") << 300.0 << false;
        QTest::newRow("bmp 150 dpi") << QByteArray("bmp") << 150.0 << true;
        QTest::newRow("jpeg 200 dpi") << QByteArray("jpg") << 200.0 << true;
    }

    void acquire_readsAndScalesToHundredDpi()
    {
        QFETCH(QByteArray, format);
        QFETCH(double, dpi);
        QFETCH(bool, stated);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.") + QString::fromLatin1(format));
        QVERIFY(page(dpi, stated).save(path, format.constData(), 95));
        FileScanner scanner(path);
        const AcquiredPage result = scanner.acquire();
        QVERIFY2(result.ok(), qPrintable(result.detail));
        QCOMPARE(result.image.format(), QImage::Format_Grayscale8);
        QCOMPARE(result.image.size(), QSize(850, 1400));
        // The square lands at one inch, 100 pixels, give or take the scaling's blur.
        QVERIFY(qGray(result.image.pixel(125, 125)) < 60);
        QVERIFY(qGray(result.image.pixel(95, 125)) > 200);
        QVERIFY(qGray(result.image.pixel(125, 155)) > 200);
    }

    void acquire_unreadableFiles_giveAnErrorNumberAndTheFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("missing") << QByteArray() << ScannerErrors::FileNotFound << "does not exist";
        QTest::newRow("not an image") << QByteArray("hello, this is text\n") << ScannerErrors::InvalidFileFormat
                                      << "cannot be read";
        QTest::newRow("truncated png") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << ScannerErrors::ReadingFile
                                       << "cannot be read";
        if (!QImageReader::supportedImageFormats().contains("pdf"))
            QTest::newRow("pdf without a reader")
                << QByteArray("%PDF-1.4\n%%EOF\n") << ScannerErrors::SubTypeNotSupported << "cannot read PDF";
        if (!QImageReader::supportedImageFormats().contains("tiff"))
            QTest::newRow("tiff without a reader")
                << QByteArray("II*\0\x08\0\0\0", 8) << ScannerErrors::SubTypeNotSupported << "no TIFF reader";
    }

    void acquire_unreadableFiles_giveAnErrorNumberAndTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        QFETCH(QString, mentions);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.img"));
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const AcquiredPage result = FileScanner(path).acquire();
        QVERIFY(!result.ok());
        QCOMPARE(result.errorNumber, number);
        QVERIFY2(result.detail.contains(path), qPrintable(result.detail));
        QVERIFY2(result.detail.contains(mentions), qPrintable(result.detail));
    }
};

QTEST_GUILESS_MAIN(TestFileScanner)
#include "test_file_scanner.moc"
