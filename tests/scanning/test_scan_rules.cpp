// The reading rules on synthetic pages, at their limits: the box test, dust against the anchor, the polar rounding,
// what counts as a mark and which of several is read, the century rule, the record a reading makes, and the
// messages built from a scan's errors and marks. Cleaning and the search windows are tried on the rendered sheets.

#include "ImagingErrorText.h"
#include "MarkReader.h"
#include "MultiMarkList.h"
#include "Registration.h"
#include "ScanMessages.h"
#include "ScanPage.h"
#include "SheetReading.h"

#include <QDate>
#include <QTest>

namespace {

QImage page(int w, int h)
{
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(255);
    return image;
}

// `dark` pixels of the 15-pixel-wide box at (x, y), row by row.
void darken(QImage& image, int x, int y, int dark, int side = 15)
{
    for (int i = 0; i < dark; ++i)
        image.scanLine(y + i / side)[x + i % side] = 0;
}

} // namespace

class TestScanRules : public QObject {
    Q_OBJECT

private slots:
    void registration_limits()
    {
        // Size 14 tests 15 x 15 pixels, size 8 tests 8 x 8 (columns off the page count as dark); dark pixels just
        // right of and below the box must not count.
        // Size, x, dark pixels drawn, pixels counted, whether the box is dark.
        const int boxes[][5] = {{14, 40, 10, 10, 1}, {14, 40, 9, 9, 0}, {8, 40, 20, 20, 1},
                                {8, 40, 19, 19, 0},  {8, 95, 0, 24, 1}, {8, 92, 0, 0, 0}};
        for (const auto& [size, x, dark, counted, isDark] : boxes) {
            const int side = size == 8 ? 8 : 15;
            QImage image = page(100, 100);
            darken(image, x, 40, dark, side);
            if (x + side < 100)
                image.scanLine(40)[x + side] = 0;
            image.scanLine(40 + side)[x] = 0;
            int count = -1;
            QCOMPARE(IsBoxDark(ScanPage(image), x, 40, size, &count), bool(isDark));
            QCOMPARE(count, counted);
        }

        // Specks three rows above and left of the anchor would otherwise be its first hit.
        QImage raw = page(850, 1400);
        for (int y = 50; y < 62; ++y)
            memset(raw.scanLine(y) + 25, 0, 12);
        raw.scanLine(47)[27] = raw.scanLine(53)[22] = 60;
        PolarPoint anchor;
        QVERIFY(FindAnchorBox(ScanPage(CleanScanImage(raw)), anchor));
        QCOMPARE(QPoint(anchor.x, anchor.y), QPoint(25, 50));
        QVERIFY(FindAnchorBox(ScanPage(raw), anchor));
        QCOMPARE(anchor.y, int16_t(47)); // uncleaned, the speck moves it

        // Halves round to even, as the positions were always rounded.
        QCOMPARE(PolarToPoint(2.5f, 0), QPoint(2, 0));
        QCOMPARE(PolarToPoint(3.5f, 0), QPoint(4, 0));
        QCOMPARE(PolarToPoint(5, 53.130102f), QPoint(3, 4));
        QCOMPARE(PolarToPoint(500, -1.5f), QPoint(500, -13));
    }

    void readChoiceRow_choosesTheDarkestMark_data()
    {
        QTest::addColumn<QList<int>>("dark"); // dark pixels per bubble
        QTest::addColumn<int>("firstValue");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<MarkState>("state"); // anything but Read lists the item
        const MarkState read = MarkState::Read, multiple = MarkState::Multiple, uncertain = MarkState::Uncertain;
        // clang-format off
        QTest::newRow("one mark") << QList<int>{0, 120, 0, 0} << 1 << "2" << read;
        QTest::newRow("unmarked item") << QList<int>{0, 0, 0, 0} << 1 << "0" << read;
        QTest::newRow("unmarked court count") << QList<int>{0, 0, 0, 0} << 0 << "N" << read;
        QTest::newRow("9 pixels is no mark") << QList<int>{9, 0, 0, 0} << 1 << "0" << read;
        QTest::newRow("10 pixels is a mark") << QList<int>{10, 0, 0, 0} << 1 << "1" << read;
        QTest::newRow("two marks, more pixels wins") << QList<int>{60, 0, 0, 130} << 1 << "4" << multiple;
        QTest::newRow("two marks, equal: first, uncertain") << QList<int>{0, 80, 80, 0} << 1 << "2" << uncertain;
        QTest::newRow("two marks, close: uncertain") << QList<int>{0, 100, 0, 90} << 1 << "2" << uncertain;
        QTest::newRow("faint second mark still listed") << QList<int>{150, 10, 0, 0} << 1 << "1" << multiple;
        // clang-format on
    }

    void readChoiceRow_choosesTheDarkestMark()
    {
        QFETCH(QList<int>, dark);
        QFETCH(int, firstValue);
        QFETCH(MarkState, state);
        // Bubbles 24 pixels apart from (40, 30) past an origin at (100, 100).
        QImage image = page(600, 600);
        for (int i = 0; i < dark.size(); ++i)
            darken(image, 140 + 24 * i, 130, dark[i]);
        ScanPage scan(image);
        scan.setOrigin(QPoint(100, 100));
        MultiMarkList list;
        QList<LocationReading> locations;
        MarkReader reader(scan, 0, list, &locations);
        ScanItem item;
        item.ID = 7;
        item.LocationName = QStringLiteral("Item 7");
        item.r = 50;
        item.theta = static_cast<float>(std::atan2(30, 40) * 180 / M_PI);
        item.dimx = static_cast<int>(dark.size());
        item.dx = 24;
        QString text = QStringLiteral("x");
        reader.ReadChoiceRow(item, text, firstValue);
        QTEST(text.mid(1), "expected");
        QCOMPARE(list.entries(), state == MarkState::Read ? QStringList() : QStringList{QStringLiteral("Item 7")});
        QCOMPARE(QPoint(item.x, item.y), QPoint(40, 30));
        QCOMPARE(reader.lastCounts(), dark);
        QCOMPARE(locations.size(), 1);
        QCOMPARE(locations[0].state, state);
    }

    void centuryAndRecord()
    {
        // Two-digit years up to this year's are this century's.
        const std::tuple<int, QDate, int> years[] = {{5, {2026, 1, 1}, 2005},  {11, {2026, 1, 1}, 2011},
                                                     {26, {2026, 1, 1}, 2026}, {27, {2026, 1, 1}, 1927},
                                                     {0, {2000, 5, 5}, 2000},  {10, {2009, 5, 5}, 1910}};
        for (const auto& [yy, today, year] : years)
            QCOMPARE(CenturyOf(yy, today), year);

        // Codes become list positions: blank and not available are the list's first entry.
        SheetReading r;
        r.Gender = QStringLiteral("2");
        r.Education = QStringLiteral("N");
        r.Marital = QStringLiteral("0");
        r.CourtCounts = {"0", "5", "N", "9", "1"};
        r.Responses = QString(123, QLatin1Char('2'));
        r.DateBoxText = QStringLiteral("03/14/1987");
        const ClientRecord c = r.record(QStringLiteral("Pat Client"));
        QCOMPARE(
            QStringList({c.Name, c.Gender, c.Race, c.Education, c.DOB, c.AlcoholArrests, c.Assaults}),
            QStringList({QStringLiteral("Pat Client").leftJustified(25), "2", "0", "0", "03/14/1987", "5 ", "N "}));
        QCOMPARE(c.Responses, r.Responses);
    }

    void messages()
    {
        // The imaging error table's texts, misspellings, ranges and gaps.
        const std::pair<int, const char*> errors[] = {
            {20013, "Invalid parmameter passed"},      {20020, ""}, {20030, "Internal Error - Call LEAD"},
            {20062, "Internal Error - Call LEAD"},     {20066, ""}, {20077, "Premature end-of-line code"},
            {20102, "Scanner returned an empty page"}, {20104, ""}, {-1, ""}};
        for (const auto& [number, text] : errors)
            QCOMPARE(ImagingErrorText(static_cast<int16_t>(number)), QString::fromLatin1(text));

        // Each name once, up to ten entries; more are too many to list.
        MultiMarkList list;
        QVERIFY(ScanMessages::MultipleMarks(list).isNull());
        QString text = QStringLiteral("Scan sheet AnswersWarning! some items had multiple answers marked.\n"
                                      "Please review the follwing answers.\n\n     Ethnicity\n");
        list.add(QStringLiteral("Ethnicity"));
        list.add(QStringLiteral("Ethnicity"));
        for (int i = 1; i <= 8; ++i) {
            list.add(QStringLiteral("Item %1  ").arg(i));
            text += QStringLiteral("     Item %1\n").arg(i);
        }
        const ScanMessage ten = ScanMessages::MultipleMarks(list);
        QCOMPARE(ten.title + ten.text, text);
        list.add(QStringLiteral("Item 99"));
        const ScanMessage eleven = ScanMessages::MultipleMarks(list);
        QCOMPARE(eleven.title + eleven.text,
                 QStringLiteral("Scan Sheet AnswersWarning Many answers on this scanned answer sheet are \nMarked "
                                "incorrectly. Please review the answer sheet to \nEnsure that proper answers have "
                                "been scored."));
    }
};

QTEST_GUILESS_MAIN(TestScanRules)
#include "test_scan_rules.moc"
