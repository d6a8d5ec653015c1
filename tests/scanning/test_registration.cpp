// Cleaning, the box test, the anchor and reference searches and the polar arithmetic, on synthetic pages.

#include "Registration.h"
#include "ScanPage.h"

#include <QPainter>
#include <QTest>

namespace {

QImage whitePage(int w = 850, int h = 1400)
{
    QImage page(w, h, QImage::Format_Grayscale8);
    page.fill(255);
    return page;
}

void box(QImage& page, int x, int y, int w = 12, int h = 12, int grey = 0)
{
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col)
            if (col >= 0 && row >= 0 && col < page.width() && row < page.height())
                page.scanLine(row)[col] = static_cast<uchar>(grey);
}

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

private slots:
    void isBoxDark_countsAgainstItsLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("dark");
        QTest::addColumn<bool>("expected");
        QTest::newRow("14: 10 of 225 is a mark") << 14 << 10 << true;
        QTest::newRow("14: 9 of 225 is not") << 14 << 9 << false;
        QTest::newRow("8: 20 of 64 is a box") << 8 << 20 << true;
        QTest::newRow("8: 19 of 64 is not") << 8 << 19 << false;
    }

    void isBoxDark_countsAgainstItsLimit()
    {
        QFETCH(int, size);
        QFETCH(int, dark);
        QFETCH(bool, expected);
        // Size 14 tests 15 x 15 pixels, size 8 tests 8 x 8; dark pixels just right of and below the box must not count.
        const int side = size == 8 ? 8 : 15;
        QImage page = whitePage(100, 100);
        for (int i = 0; i < dark; ++i)
            page.scanLine(40 + i / side)[40 + i % side] = 0;
        page.scanLine(40)[40 + side] = 0;
        page.scanLine(40 + side)[40] = 0;
        int count = -1;
        QCOMPARE(IsBoxDark(ScanPage(page), 40, 40, size, &count), expected);
        QCOMPARE(count, dark);
    }

    void isBoxDark_pixelsOffThePageCountAsDark()
    {
        const ScanPage page(whitePage(100, 100));
        int count = 0;
        QVERIFY(IsBoxDark(page, 95, 50, 8, &count)); // three of eight columns lie off the page
        QCOMPARE(count, 24);
        QVERIFY(!IsBoxDark(page, 92, 50, 8, &count));
        QCOMPARE(count, 0);
    }

    void cleanScanImage_keepsMarksAndWhitensPaper_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("grey");
        QTest::addColumn<bool>("dark");
        QTest::newRow("black ink") << 255 << 0 << true;
        QTest::newRow("heavy pencil") << 255 << 90 << true;
        QTest::newRow("light pencil") << 255 << 165 << true;
        QTest::newRow("printed outline grey") << 255 << 210 << false;
        QTest::newRow("eraser stain") << 255 << 220 << false;
        QTest::newRow("light pencil on grey paper") << 230 << 160 << true;
        QTest::newRow("outline on grey paper") << 230 << 195 << false;
    }

    void cleanScanImage_keepsMarksAndWhitensPaper()
    {
        QFETCH(int, paper);
        QFETCH(int, grey);
        QFETCH(bool, dark);
        QImage raw(200, 200, QImage::Format_Grayscale8);
        raw.fill(paper);
        box(raw, 50, 50, 10, 10, grey);
        const QImage clean = CleanScanImage(raw);
        QCOMPARE(clean.format(), QImage::Format_Grayscale8);
        QCOMPARE(int(clean.constScanLine(55)[55]), dark ? 0 : 255);
        QCOMPARE(int(clean.constScanLine(10)[10]), 255); // paper is pure white
    }

    void cleanScanImage_removesSpecksButKeepsSmallMarks()
    {
        QImage raw = whitePage(100, 100);
        box(raw, 10, 10, 1, 1); // one pixel of dust
        box(raw, 30, 30, 3, 1); // three in a row
        box(raw, 50, 50, 2, 2); // four: a mark's worth
        const QImage clean = CleanScanImage(raw);
        QCOMPARE(int(clean.constScanLine(10)[10]), 255);
        QCOMPARE(int(clean.constScanLine(30)[31]), 255);
        QCOMPARE(int(clean.constScanLine(50)[50]), 0);
        QCOMPARE(int(clean.constScanLine(51)[51]), 0);
    }

    void cleanScanImage_dustAboveTheAnchorDoesNotMoveIt()
    {
        QImage raw = whitePage();
        box(raw, 25, 50);
        box(raw, 27, 47, 1, 1, 60); // a speck three rows above the box would otherwise be the first hit
        box(raw, 22, 53, 1, 1, 60);
        PolarPoint anchor;
        QVERIFY(FindAnchorBox(ScanPage(CleanScanImage(raw)), anchor));
        QCOMPARE(anchor.x, int16_t(25));
        QCOMPARE(anchor.y, int16_t(50));
        QVERIFY(FindAnchorBox(ScanPage(raw), anchor));
        QCOMPARE(anchor.y, int16_t(47)); // uncleaned, the speck moves it
    }

    void findAnchorBox_noWhiteInTheWindow_fails()
    {
        QImage page = whitePage();
        box(page, 0, 0, 60, 140, 0);
        PolarPoint anchor;
        QVERIFY(!FindAnchorBox(ScanPage(page), anchor));
        QVERIFY(!FindAnchorBox(ScanPage(whitePage()), anchor));
    }

    void findAnchorBox_twoBoxes_leftmostXFirstRowY()
    {
        QImage page = whitePage();
        box(page, 30, 60);
        box(page, 20, 70);
        PolarPoint anchor;
        QVERIFY(FindAnchorBox(ScanPage(page), anchor));
        QCOMPARE(anchor.x, int16_t(20));
        QCOMPARE(anchor.y, int16_t(60));
        QCOMPARE(anchor.r, float(std::sqrt(20.0 * 20 + 60 * 60)));
    }

    void findReferenceBox_searchWindowEdges_data()
    {
        QTest::addColumn<QPoint>("anchorAt");
        QTest::addColumn<QPoint>("referenceAt"); // page coordinates
        QTest::addColumn<bool>("found");
        QTest::addColumn<QPoint>("expected"); // relative to the anchor
        QTest::newRow("straight") << QPoint(25, 50) << QPoint(811, 50) << true << QPoint(786, 0);
        QTest::newRow("anchor at x 45 reaches column 802")
            << QPoint(45, 50) << QPoint(847, 60) << true << QPoint(802, 10);
        QTest::newRow("beyond column 802") << QPoint(25, 50) << QPoint(829, 50) << false << QPoint();
        QTest::newRow("left of column 772") << QPoint(25, 50) << QPoint(790, 50) << true << QPoint(772, 0);
        QTest::newRow("anchor at y 30 searches from page row 0")
            << QPoint(25, 30) << QPoint(811, 0) << true << QPoint(786, -30);
        QTest::newRow("100 rows below") << QPoint(25, 50) << QPoint(811, 150) << true << QPoint(786, 100);
        QTest::newRow("101 rows below") << QPoint(25, 50) << QPoint(811, 151) << false << QPoint();
        QTest::newRow("more than 100 rows above") << QPoint(25, 120) << QPoint(811, 8) << false << QPoint();
    }

    void findReferenceBox_searchWindowEdges()
    {
        QFETCH(QPoint, anchorAt);
        QFETCH(QPoint, referenceAt);
        QFETCH(bool, found);
        QFETCH(QPoint, expected);
        QImage page = whitePage();
        box(page, anchorAt.x(), anchorAt.y());
        box(page, referenceAt.x(), referenceAt.y());
        ScanPage scan(page);
        PolarPoint anchor;
        QVERIFY(FindAnchorBox(scan, anchor));
        QCOMPARE(QPoint(anchor.x, anchor.y), anchorAt);
        scan.setOrigin(anchorAt);
        PolarPoint reference;
        QCOMPARE(FindReferenceBox(scan, anchor, reference), found);
        if (found) {
            QCOMPARE(QPoint(reference.x, reference.y), expected);
            QCOMPARE(reference.theta, float(std::atan(double(expected.y()) / expected.x()) * 180 / M_PI));
        }
    }

    void polarToPoint_roundsHalvesToEven_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<float>("theta");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("2.5 -> 2") << 2.5f << 0.0f << QPoint(2, 0);
        QTest::newRow("3.5 -> 4") << 3.5f << 0.0f << QPoint(4, 0);
        QTest::newRow("straight down") << 10.0f << 90.0f << QPoint(0, 10);
        QTest::newRow("3-4-5") << 5.0f << 53.130102f << QPoint(3, 4);
        QTest::newRow("turned by a degree") << 786.0f << 1.0f << QPoint(786, 14);
        QTest::newRow("negative angle") << 500.0f << -1.5f << QPoint(500, -13);
    }

    void polarToPoint_roundsHalvesToEven()
    {
        QFETCH(float, r);
        QFETCH(float, theta);
        QFETCH(QPoint, expected);
        QCOMPARE(PolarToPoint(r, theta), expected);
    }

    void pointToPolar_fillsRadiusAndDegrees()
    {
        PolarPoint p;
        p.x = 3;
        p.y = 4;
        PointToPolar(p);
        QCOMPARE(p.r, 5.0f);
        QVERIFY(std::abs(p.theta - 53.1301f) < 1e-3);
        p.x = 0;
        p.y = 7;
        PointToPolar(p);
        QCOMPARE(p.theta, 90.0f);
        p.x = 786;
        p.y = 0;
        PointToPolar(p);
        QCOMPARE(p.theta, 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestRegistration)
#include "test_registration.moc"
