// The box test, dust against the anchor and the polar rounding, on synthetic pages: the limits that keep readings
// within the tolerances exactly as before (cleaning and the search windows are tried on the rendered sheets).

#include "Registration.h"
#include "ScanPage.h"

#include <QTest>

namespace {

QImage page(int w, int h, int paper = 255)
{
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(paper);
    return image;
}

void box(QImage& image, int x, int y, int w = 12, int h = 12, int grey = 0)
{
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col)
            if (col >= 0 && row >= 0 && col < image.width() && row < image.height())
                image.scanLine(row)[col] = static_cast<uchar>(grey);
}

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

private slots:
    void isBoxDark_countsAgainstItsLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("dark");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("expected");
        QTest::newRow("14: 10 of 225 is a mark") << 14 << 40 << 10 << 10 << true;
        QTest::newRow("14: 9 of 225 is not") << 14 << 40 << 9 << 9 << false;
        QTest::newRow("8: 20 of 64 is a box") << 8 << 40 << 20 << 20 << true;
        QTest::newRow("8: 19 of 64 is not") << 8 << 40 << 19 << 19 << false;
        QTest::newRow("8: three columns off the page count") << 8 << 95 << 0 << 24 << true;
        QTest::newRow("8: at the page's edge") << 8 << 92 << 0 << 0 << false;
    }
    void isBoxDark_countsAgainstItsLimit()
    {
        QFETCH(int, size);
        QFETCH(int, x);
        QFETCH(int, dark);
        // Size 14 tests 15 x 15 pixels, size 8 tests 8 x 8; dark pixels just right of and below the box must not count.
        const int side = size == 8 ? 8 : 15;
        QImage image = page(100, 100);
        for (int i = 0; i < dark; ++i)
            image.scanLine(40 + i / side)[x + i % side] = 0;
        if (x + side < 100)
            image.scanLine(40)[x + side] = 0;
        image.scanLine(40 + side)[x] = 0;
        int count = -1;
        QTEST(IsBoxDark(ScanPage(image), x, 40, size, &count), "expected");
        QTEST(count, "count");
    }

    void cleanScanImage_dustAboveTheAnchorDoesNotMoveIt()
    {
        QImage raw = page(850, 1400);
        box(raw, 25, 50);
        box(raw, 27, 47, 1, 1, 60); // a speck three rows above the box would otherwise be the first hit
        box(raw, 22, 53, 1, 1, 60);
        PolarPoint anchor;
        QVERIFY(FindAnchorBox(ScanPage(CleanScanImage(raw)), anchor));
        QCOMPARE(QPoint(anchor.x, anchor.y), QPoint(25, 50));
        QVERIFY(FindAnchorBox(ScanPage(raw), anchor));
        QCOMPARE(anchor.y, int16_t(47)); // uncleaned, the speck moves it
    }

    void polarToPoint_roundsHalvesToEven_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<float>("theta");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("2.5 -> 2") << 2.5f << 0.0f << QPoint(2, 0);
        QTest::newRow("3.5 -> 4") << 3.5f << 0.0f << QPoint(4, 0);
        QTest::newRow("3-4-5") << 5.0f << 53.130102f << QPoint(3, 4);
        QTest::newRow("negative angle") << 500.0f << -1.5f << QPoint(500, -13);
    }
    void polarToPoint_roundsHalvesToEven()
    {
        QFETCH(float, r);
        QFETCH(float, theta);
        QTEST(PolarToPoint(r, theta), "expected");
    }
};

QTEST_GUILESS_MAIN(TestRegistration)
#include "test_registration.moc"
