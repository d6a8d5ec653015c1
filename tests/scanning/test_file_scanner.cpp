// Scanning from image files: the errors an office will meet (decoding itself is tested with the sheets).

#include "FileScanner.h"
#include "ScannerErrors.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

class TestFileScanner : public QObject {
    Q_OBJECT

private slots:
    void acquire_unreadableFiles_giveAnErrorNumberAndTheFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("missing") << QByteArray() << ScannerErrors::FileNotFound << "does not exist";
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
