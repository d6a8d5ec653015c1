// The whole reading path on rendered sheets: image file -> decoding -> resolution and orientation -> cleaning ->
// registration -> mark reading, each sheet read exactly or refused with a message that says why.

#include "AnswerSheet.h"
#include "FileScanner.h"
#include "FilledSheet.h"
#include "ScanSheet.h"
#include "TableRows.h"
#include "TestDefinition.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>
#include <QtEndian>

namespace {

const QDate kToday(2026, 12, 6);

// Everything a sheet holds as one line, so that a row compares it at once; read in 2026. A date marked in part is
// read with its blanks "N" and stored as not available.
QString summary(const SheetAnswers& a)
{
    QString s = QString::asprintf("%d%d%d%d ", a.gender, a.race, a.education, a.marital);
    for (int c : a.court)
        s += c < 0 ? QStringLiteral("N") : QString::number(c);
    const QString d = QString(a.dob).replace(' ', 'N');
    const int yy = d.mid(4, 2).toInt();
    const QString century = d.contains('N') ? "NN" : yy <= 26 ? "20" : "19";
    const QString date = d.left(2) + '/' + d.mid(2, 2) + '/' + century + d.mid(4, 2);
    return s + ' ' + date + ' ' + (d.contains('N') ? "N_/__/____" : date) + ' ' + a.responses;
}

QString summary(const SheetReading& r)
{
    const QString court = QStringList(r.CourtCounts.begin(), r.CourtCounts.end()).join(QString());
    return QStringLiteral("%1%2%3%4 %5 %6 %7 %8")
        .arg(r.Gender, r.Race, r.Education, r.Marital, court, r.DateText, r.record({}).DOB, r.Responses);
}

QByteArray encode(const QImage& image, const char* format)
{
    // What colour scanners' drivers write: 24-bit BMP, here of cream paper, "bmp24-" stored top row first.
    if (!qstrncmp(format, "bmp24", 5)) {
        QImage colour = image.convertToFormat(QImage::Format_RGB888);
        for (int y = 0; y < colour.height(); ++y)
            for (uchar *p = colour.scanLine(y), *end = p + 3 * colour.width(); p < end; p += 3)
                p[1] = uchar(p[1] * 0.96), p[2] = uchar(p[2] * 0.85);
        QByteArray bmp = encode(format[5] ? colour.mirrored() : colour, "bmp");
        if (format[5])
            qToLittleEndian<qint32>(-colour.height(), bmp.data() + 22);
        return bmp;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

QImage filled(QSize size, int grey)
{
    QImage image(size, QImage::Format_Grayscale8);
    image.fill(grey);
    return image;
}

quint32 seedOf(const char* tag)
{
    // A fixed seed per row (qHash is seeded afresh in every process).
    return static_cast<quint32>(qChecksum(QByteArrayView(tag)));
}

} // namespace

class TestScanSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_items = DemoScanItems(); }

    void sheetImage_readExactlyOrRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");  // refused with this; empty: read
        QTest::addColumn<QString>("expected"); // the reading, uncertain items masked
        QTest::addColumn<QStringList>("multiple");
        QTest::addColumn<QStringList>("uncertain");

        // Within the tolerances the reading rules were written for, and past them: turned up to 5 degrees or upside
        // down, shifted, without a resolution, at other resolutions and in other formats.
        const QPointF none;
        const QSize glass{960, 1480};
        // clang-format off
        struct Read { const char* tag; Scanning how; const char* format; int pencil; double diameter; };
        const Read reads[] = {
            {"straight, clean", {0, none, 255, 0, 0, 1}, "png", 60, 12.5},
            {"+1.5 degrees, offset, noise", {1.5, {9, 12}, 255, 6, 0, 2}, "png", 70, 12.5},
            {"-1.5 degrees, offset, dust", {-1.5, {-10, -8}, 250, 5, 0.005, 3}, "png", 70, 12.5},
            {"+0.8 degrees, light pencil", {0.8, {4, -5}, 255, 4, 0.002, 4}, "png", 165, 11.0},
            {"-1.0 degrees, grey paper", {-1.0, {-3, 15}, 232, 6, 0.003, 5}, "png", 140, 12.0},
            {"+1.2 degrees, small marks", {1.2, {15, 3}, 255, 5, 0, 6}, "png", 90, 9.0},
            {"+3 degrees", {3, {6, -4}, 250, 4, 0.001, 7}, "png", 80, 12.5},
            {"-4 degrees", {-4, {-5, 9}, 255, 4, 0.001, 8}, "png", 80, 12.5},
            {"+5 degrees, on a larger glass", {5, {55, 40}, 255, 3, 0, 9, 100, true, glass}, "png", 80, 12.5},
            {"-5 degrees, on a larger glass", {-5, {60, 30}, 245, 3, 0.001, 10, 100, true, glass}, "png", 80, 12.5},
            {"upside down", {180.7, {3, -4}, 250, 4, 0.001, 11}, "png", 80, 12.5},
            {"upside down, turned 3 degrees", {183, {-55, -40}, 255, 3, 0, 12, 100, true, glass}, "png", 80, 12.5},
            {"no resolution, padded to 900", {0.5, {25, 0}, 255, 3, 0, 13, 100, false, {900, 1400}}, "pgm", 80, 12.5},
            {"no resolution, cut to 827", {-0.5, {-5, 0}, 255, 3, 0, 14, 100, false, {827, 1400}}, "pgm", 80, 12.5},
            {"no resolution, 300 dpi", {1.0, {4, 4}, 255, 0, 0, 15, 300, false}, "pgm", 80, 12.5},
            {"no resolution, 200 dpi, upside down", {179, {}, 255, 0, 0, 16, 200, false}, "pgm", 80, 12.5},
            {"bmp, 150 dpi", {0.7, {2, 2}, 255, 0, 0, 17, 150}, "bmp", 80, 12.5},
            {"24-bit bmp", {0.6, {3, 2}, 250, 4, 0.001, 31}, "bmp24", 80, 12.5},
            {"24-bit bmp, top row first", {-0.6, {3, 2}, 250, 4, 0.001, 32}, "bmp24-", 80, 12.5},
            {"jpeg, 200 dpi", {-0.7, {2, 2}, 255, 0, 0, 18, 200}, "jpg", 80, 12.5},
            {"sheet 20 pixels from the corner", {0.3, {40, 60}, 255, 3, 0, 19, 100, true, {900, 1460}}, "png", 80, 12.5},
            // Placed by the boxes' distance whatever the file states or the page's width.
            {"letter sheet on A4 width", {0.4, {-4, 0}, 255, 2, 0, 21, 100, true, {827, 1400}}, "png", 80, 12.5},
            {"A4 width, untagged", {0.4, {-4, 0}, 255, 2, 0, 21, 100, false, {827, 1400}}, "png", 80, 12.5},
            {"untagged 150 dpi, 9 inches wide", {0.4, {20, 0}, 255, 2, 0, 21, 150, false, {900, 1400}}, "png", 80, 12.5},
            {"untagged 200 dpi", {0.4, {}, 255, 2, 0, 21, 200, false}, "png", 80, 12.5},
            {"untagged 300 dpi, A4 width", {0.4, {-4, 3}, 255, 2, 0, 21, 300, false, {827, 1400}}, "png", 80, 12.5},
            {"untagged 600 dpi", {0.4, {2, 2}, 255, 2, 0, 21, 600, false}, "png", 80, 12.5},
            {"8.2 inches wide", {0.4, {-12, 0}, 255, 2, 0, 21, 100, true, {820, 1400}}, "png", 80, 12.5},
            {"8.8 inches wide, untagged", {0.4, {10, 5}, 255, 2, 0, 21, 100, false, {880, 1400}}, "png", 80, 12.5},
        };
        // clang-format on
        for (const Read& r : reads) {
            const SheetAnswers a = SheetAnswers::random(seedOf(r.tag));
            FilledSheet sheet(m_items);
            sheet.markAll(a, r.pencil, r.diameter);
            QTest::newRow(r.tag) << encode(sheet.scan(r.how), r.format) << QString() << summary(a) << QStringList()
                                 << QStringList();
        }

        // Marks for review: seconds clearly lighter are multiple marks (the darker is read), equal ones and marks too
        // light for the reading rule are uncertain; rubbed-out marks count for nothing.
        {
            SheetAnswers a = SheetAnswers::random(77);
            const QList<int> light = {3, 50, 90};
            for (int n : light)
                a.responses[n - 1] = QLatin1Char('0');
            FilledSheet sheet(m_items);
            sheet.markAll(a, 70, 12.5);
            for (int n : light)
                sheet.mark(FirstQuestionItem + n - 1, 0, 187, 12.5);
            const QList<QPair<int, int>> doubles = {{2, a.race % 6},
                                                    {FirstCourtItem + 2, (a.court[2] + 3) % 10},
                                                    {FirstQuestionItem + 99, a.responses[99].digitValue() % 4}};
            for (const auto& [id, index] : doubles)
                sheet.mark(id, index, 120, 8.0);
            sheet.mark(FirstQuestionItem + 6, a.responses[6].digitValue() % 2, 70, 12.5);
            sheet.smudge(FirstQuestionItem + 10, a.responses[10].digitValue() % 2);
            sheet.smudge(FirstCourtItem, (a.court[0] + 1) % 10);
            QTest::newRow("light, double and rubbed-out marks")
                << encode(sheet.scan({1.2, {6, 6}, 255, 5, 0.002, 5}), "png") << QString() << summary(a)
                << QStringList{"Ethnicity", "Ethnicity", "Assault Arrests", "Item 7", "Item 100"}
                << QStringList{"Item 3", "Item 7", "Item 50", "Item 90"};
        }

        // The sheet drawn to PDF and rendered back at 100 dpi by poppler's pdftoppm, as a scanner sees the printed
        // page, then marked in pencil.
        {
            QTemporaryDir dir;
            const QString pdf = dir.filePath("sheet.pdf");
            QCOMPARE(AnswerSheet(m_items).writePdf(pdf, {}), QString());
            QVERIFY2(QProcess::execute("pdftoppm", {"-r", "100", "-gray", "-singlefile", pdf, dir.filePath("page")}) ==
                         0,
                     "pdftoppm (poppler-utils) renders the printed sheet");
            QImage page = QImage(dir.filePath("page.pgm")).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(page.size(), QSize(850, 1400)); // one legal page, edge to edge
            const SheetAnswers a = SheetAnswers::random(2024);
            FilledSheet pencil(m_items);
            pencil.markAll(a, 80, 12.0);
            QPainter p(&page);
            p.setRenderHint(QPainter::Antialiasing);
            pencil.paintMarks(p);
            p.end();
            page.setDotsPerMeterX(3937); // as rendered, 100 dpi
            page.setDotsPerMeterY(3937);
            QTest::newRow("printed to PDF")
                << encode(page, "png") << QString() << summary(a) << QStringList() << QStringList();
        }

        // The blank columns of a date marked in part are left to the supervisor, like marks too light to call; a
        // date left blank altogether is not, and only a column marked twice counts among the multiple marks.
        for (const char* dob : {"031405", " 31487", "031 87", "      ", "12 9 7", "071199", "123126", "023187"}) {
            SheetAnswers a = SheetAnswers::random(9);
            a.dob = dob;
            FilledSheet sheet(m_items);
            sheet.markAll(a);
            QStringList review, twice;
            for (int i = 0; i < 6 && !a.dob.trimmed().isEmpty(); ++i)
                if (a.dob[i] == ' ')
                    review << m_items[FirstDateItem - 1 + i].LocationName;
            if (a.dob == "123126" || a.dob == "023187") // in the future, or a day no month has
                for (int i = 0; i < 6; ++i)
                    review << m_items[FirstDateItem - 1 + i].LocationName;
            if (a.dob == "071199") {
                sheet.mark(FirstDateItem + 3, 4, 120, 8.0);
                twice << m_items[FirstDateItem + 2].LocationName;
            }
            QTest::addRow("date \"%s\"", dob)
                << encode(sheet.scan({-0.7, {2, 2}, 255, 3.0, 0, 4}), "png") << QString() << summary(a) << twice
                << review;
        }

        // Without its reference box, wherever the sheet lies within the tolerances, the supervisor is told which box
        // is missing.
        for (const double angle : {-5.0, -2.5, 0.0, 2.5, 5.0}) {
            for (const QPointF offset : {QPointF(0, 0), QPointF(-14, -12), QPointF(15, 12), QPointF(-6, 30)}) {
                for (const bool tagged : {true, false}) {
                    FilledSheet sheet(m_items);
                    sheet.markAll(SheetAnswers::random(3), 80, 12.5);
                    const Scanning how{angle, offset, 255, 2, 0, 22, 100, tagged, {960, 1480}};
                    QImage page = sheet.scan(how);
                    // Where the printed box lands: turned about the top centre, then shifted.
                    const QPointF pivot(AnswerSheet::PageSize.width() / 2.0, 50);
                    const QPointF box = QTransform().translate(offset.x() + pivot.x(), offset.y() + pivot.y())
                                            .rotate(angle)
                                            .translate(-pivot.x(), -pivot.y())
                                            .map(QRectF(AnswerSheet::ReferenceBox).center());
                    QPainter(&page).fillRect(QRectF(box - QPointF(14, 14), QSizeF(28, 28)), Qt::white);
                    QTest::addRow("no reference box, %+.1f degrees, at %g,%g%s", angle, offset.x(), offset.y(),
                                  tagged ? "" : ", untagged")
                        << encode(page, "png") << QStringLiteral("Reference Box not found\nAborting scan.\n\n")
                        << QString() << QStringList() << QStringList();
                }
            }
        }

        // Refused, each with what is wrong and what to do.
        const SheetAnswers a = SheetAnswers::random(99);
        FilledSheet sheet(m_items);
        sheet.markAll(a, 80, 12.5);
        const auto refused = [](const char* tag, const QByteArray& file, const char* message) {
            QTest::newRow(tag) << file << QString::fromLatin1(message) << QString() << QStringList() << QStringList();
        };
        Scanning shortPage, fitted;
        shortPage.canvas = QSize(850, 1100);
        fitted.printScale = 0.97;
        QImage torn = sheet.scan({});
        QPainter(&torn).fillRect(QRect(790, 0, 60, 160), Qt::white);
        // clang-format off
        refused("letter-size glass", encode(sheet.scan(shortPage), "png"),
                "The scanned page is shorter than the answer sheet: scan it on a legal-size glass or feeder.");
        refused("printed fitted to the page", encode(sheet.scan(fitted), "png"), "apart instead of 786");
        refused("turned 6.5 degrees", encode(sheet.scan({6.5, {0, 20}}), "png"), "turned by 6.5 degrees");
        refused("turned 5 degrees, its corner off", encode(sheet.scan({5, {0, 10}}), "png"), "cuts off the answer sheet's left edge");
        refused("reference box torn off", encode(torn, "png"), "Reference Box not found\nAborting scan.\n\n");
        refused("blank page", encode(filled({850, 1400}, 255), "png"), "Anchor Box not found\nAborting scan.\n\nThe scanned page is blank");
        // clang-format on
        QImage checkerboard = filled({850, 1400}, 255);
        for (int y = 0; y < 1400; y += 12)
            for (int x = (y / 12) % 2 * 12; x < 850; x += 24)
                QPainter(&checkerboard).fillRect(QRect(x, y, 12, 12), Qt::black);
        refused("checkerboard", encode(checkerboard, "png"), "registration boxes");
        QImage photo = filled({850, 1400}, 128);
        QPainter p(&photo);
        p.setPen(Qt::NoPen);
        QRandomGenerator rng(5);
        for (int i = 0; i < 3000; ++i) {
            const int g = rng.bounded(256);
            p.setBrush(QColor(g, g, g));
            p.drawEllipse(QPointF(rng.bounded(850), rng.bounded(1400)), rng.bounded(2, 40), rng.bounded(2, 40));
        }
        p.end();
        refused("photograph", encode(photo, "png"), "registration boxes");
        refused("sideways", encode(filled({1400, 850}, 255), "png"), "scanned sideways");
        refused("20000 x 10", encode(filled({20000, 10}, 255), "png"), "not the shape of an answer sheet");
        refused("10 x 20000", encode(filled({10, 20000}, 255), "png"), "not the shape of an answer sheet");
        refused("1 x 1", encode(filled({1, 1}, 255), "png"), "too small to read an answer sheet from");
        // Only the header of a page of 400 million pixels: refused before anything is decoded.
        refused("20000 x 20000", QByteArray("P5\n20000 20000\n255\n") + QByteArray(100, '\xff'),
                "20000 x 20000 pixels, too large for one answer sheet");
        // A blank page as run-length coded 8-bit BMP, as some scanners' software saves one: each row 3 x 255 + 85
        // white pixels, the end-of-bitmap mark last. Cut at its top rows, it is refused before it reads blank.
        const QByteArray runs = QByteArray::fromHex("ffffffffffff55ff0000").repeated(1400) + QByteArray::fromHex("0001");
        // Its header: 850 x 1400, 8 bits, coded as RLE8, the runs' size, 100 dpi, 256 greys.
        QByteArray rle = QByteArray::fromHex("424de83a000000000000360400002800000052030000780500000100080001000000"
                                             "b2360000610f0000610f00000001000000000000");
        for (int g = 0; g < 256; ++g)
            rle += QByteArray(3, char(g)) + '\0';
        refused("run-length bmp, whole", rle + runs, "The scanned page is blank");
        refused("run-length bmp, last 12 bytes cut", (rle + runs).chopped(12), "is cut short");
        for (const char* format : {"bmp", "png", "jpg"}) {
            const QByteArray whole = encode(sheet.scan({}), format);
            refused(qPrintable(QStringLiteral("%1 cut short").arg(format)), whole.left(whole.size() * 2 / 3),
                    format == QByteArray("png") ? "cannot be read" : "is cut short");
        }
        // A deep page refused from its header: larger than any sheet at 600 dpi.
        refused("16-bit 6900 x 6900", QByteArray("P5\n6900 6900\n65535\n") + QByteArray(100, '\0'),
                "6900 x 6900 pixels, too large for one answer sheet");
        refused("not an image", QByteArray("hello, this is text\n"), "cannot be read");
        if (!QImageReader::supportedImageFormats().contains("pdf"))
            refused("pdf without a reader", QByteArray("%PDF-1.4\n%%EOF\n"), "cannot read PDF");
        if (!QImageReader::supportedImageFormats().contains("tiff"))
            refused("tiff without a reader", QByteArray("II*\0\x08\0\0\0", 8), "no TIFF reader");
    }

    void sheetImage_readExactlyOrRefused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(QStringList, uncertain);
        QList<ScanItem> items = m_items;
        const ScanOutcome outcome = ReadSheetImage(FileScanner::decode(file, QStringLiteral("sheet")), items, kToday);
        QVERIFY2(outcome.ok == message.isEmpty() && outcome.failure.text.contains(message),
                 qPrintable(outcome.failure.text + summary(outcome.reading)));
        if (!outcome.ok)
            return;
        const SheetReading& r = outcome.reading;
        QString read = summary(r);
        QFETCH(QString, expected);
        // An uncertain item is the supervisor's to decide: only its being listed counts.
        for (const QString& name : uncertain) {
            if (!name.startsWith("Item "))
                continue;
            const int n = name.mid(5).toInt();
            const qsizetype at = read.size() - NumItems + n - 1;
            read[at] = expected[at] = QLatin1Char('?');
        }
        QCOMPARE(read, expected);
        QTEST(r.MultiMarks.entries(), "multiple");
        QCOMPARE(r.uncertainNames(), uncertain);
        QVERIFY(!outcome.registered.isNull());
    }

    // A layout the reader cannot use is refused before any pixel is read; NaN came from the fuzzer (its input is
    // tests/data/fuzz/fuzz_scan_items/crash-nan-r) and made the reader convert NaN to a pixel position.
    void scanItems_unusableLayout_refused()
    {
        TableRows rows;
        rows.columns = QStringList{"ID", "LocationName", "r", "theta", "dimx", "dx", "DimY", "dy", "x", "y"};
        for (const ScanItem& i : m_items)
            rows.rows.append({i.ID, i.LocationName, i.r, i.theta, i.dimx, i.dx, i.DimY, i.dy, i.x, i.y});
        QList<ScanItem> items;
        QCOMPARE(ScanItemsFromRows(rows, "qn.mdb", items), QString());
        const QString off = QStringLiteral("places its bubbles off the answer sheet");
        const std::tuple<int, QVariant, QString> bad[] = {
            {4, 0, "has 0 bubbles; it may have 1 to 9."}, {2, qQNaN(), off}, {3, qInf(), off}, {5, 1 << 30, off}};
        for (const auto& [column, value, problem] : bad) {
            TableRows broken = rows;
            broken.rows[0][column] = value;
            const QString message = ScanItemsFromRows(broken, "qn.mdb", items);
            QVERIFY2(message.startsWith("Row 1 (Gender) of the table ScanItem in the question database qn.mdb") &&
                         message.contains(problem),
                     qPrintable(message));
        }
    }

private:
    QList<ScanItem> m_items;
};

QTEST_MAIN(TestScanSheet)
#include "test_scan_sheet.moc"
