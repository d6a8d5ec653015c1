// The three readers, choosing among marks, the demographic codes and the century rule, on synthetic pages.

#include "MarkReader.h"
#include "ScanPage.h"
#include "SheetReading.h"

#include <QDate>
#include <QTest>

namespace {

// A page with its origin at (100, 100) and the given 15 x 15 bubbles (relative) filled with `n` dark pixels each.
struct Bubble {
    QPoint at;
    int dark;
};

ScanPage pageWith(const QList<Bubble>& bubbles)
{
    QImage image(600, 600, QImage::Format_Grayscale8);
    image.fill(255);
    for (const Bubble& b : bubbles)
        for (int i = 0; i < b.dark; ++i)
            image.scanLine(100 + b.at.y() + i / 15)[100 + b.at.x() + i % 15] = 0;
    ScanPage page(image);
    page.setOrigin(QPoint(100, 100));
    return page;
}

ScanItem rowItem(int bubbles, QPoint first = QPoint(40, 30), int dx = 24)
{
    ScanItem item;
    item.ID = 7;
    item.LocationName = QStringLiteral("Item 7");
    item.r = static_cast<float>(std::hypot(first.x(), first.y()));
    item.theta = static_cast<float>(std::atan2(first.y(), first.x()) * 180 / M_PI);
    item.dimx = bubbles;
    item.dx = dx;
    return item;
}

ScanItem columnItem(int bubbles, QPoint first = QPoint(40, 30), int dy = 22)
{
    ScanItem item = rowItem(1, first);
    item.LocationName = QStringLiteral("Birth Day Units");
    item.DimY = bubbles;
    item.dy = dy;
    return item;
}

} // namespace

class TestMarkReading : public QObject {
    Q_OBJECT

private slots:
    void readChoiceRow_choosesTheDarkestMark_data()
    {
        QTest::addColumn<QList<int>>("dark"); // dark pixels per bubble
        QTest::addColumn<int>("firstValue");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<MarkState>("state");
        const MarkState read = MarkState::Read, multiple = MarkState::Multiple, uncertain = MarkState::Uncertain;
        QTest::newRow("one mark") << QList<int>{0, 120, 0, 0} << 1 << "2" << false << read;
        QTest::newRow("unmarked item") << QList<int>{0, 0, 0, 0} << 1 << "0" << false << read;
        QTest::newRow("unmarked court count") << QList<int>{0, 0, 0, 0} << 0 << "N" << false << read;
        QTest::newRow("court count from 0") << QList<int>{0, 0, 0, 100} << 0 << "3" << false << read;
        QTest::newRow("9 pixels is no mark") << QList<int>{9, 0, 0, 0} << 1 << "0" << false << read;
        QTest::newRow("10 pixels is a mark") << QList<int>{10, 0, 0, 0} << 1 << "1" << false << read;
        QTest::newRow("two marks, more pixels wins") << QList<int>{60, 0, 0, 130} << 1 << "4" << true << multiple;
        QTest::newRow("two marks, equal: first, uncertain")
            << QList<int>{0, 80, 80, 0} << 1 << "2" << true << uncertain;
        QTest::newRow("two marks, close: uncertain") << QList<int>{0, 100, 0, 90} << 1 << "2" << true << uncertain;
        QTest::newRow("faint second mark still listed") << QList<int>{150, 10, 0, 0} << 1 << "1" << true << multiple;
    }

    void readChoiceRow_choosesTheDarkestMark()
    {
        QFETCH(QList<int>, dark);
        QFETCH(int, firstValue);
        QFETCH(QString, expected);
        QFETCH(bool, listed);
        QList<Bubble> bubbles;
        for (int i = 0; i < dark.size(); ++i)
            bubbles.append({QPoint(40 + 24 * i, 30), dark[i]});
        const ScanPage page = pageWith(bubbles);
        MultiMarkList list;
        QList<LocationReading> locations;
        MarkReader reader(page, 0, list, &locations);
        ScanItem item = rowItem(static_cast<int>(dark.size()));
        QString text = QStringLiteral("x");
        reader.ReadChoiceRow(item, text, firstValue);
        QCOMPARE(text, QStringLiteral("x") + expected);
        QCOMPARE(list.entries(), listed ? QStringList{QStringLiteral("Item 7")} : QStringList());
        QCOMPARE(QPoint(item.x, item.y), QPoint(40, 30));
        QCOMPARE(reader.lastCounts(), dark);
        QCOMPARE(locations.size(), 1);
        QTEST(locations[0].state, "state");
    }

    void readDigitColumn_readsDownTheColumn()
    {
        const ScanPage page = pageWith({{QPoint(40, 30 + 22 * 7), 100}});
        MultiMarkList list;
        MarkReader reader(page, 0, list);
        ScanItem item = columnItem(10);
        QString text;
        reader.ReadDigitColumn(item, text);
        QCOMPARE(text, QStringLiteral("7"));
        ScanItem empty = columnItem(10, QPoint(200, 30));
        reader.ReadDigitColumn(empty, text);
        QCOMPARE(text, QStringLiteral("7N"));
    }

    void bubblePositions_keepTheRowRuleWhileItStaysWithinTwoPixels()
    {
        const ScanPage page;
        MultiMarkList list;
        MarkReader reader(page, 1.0f, list);
        // First bubble at r 500 on the x axis: turned 1 degree it is at (500 cos 1, 500 sin 1) = (500, 9). Offsets
        // of 50, 100 and 150 along the row turn to y 0.9, 1.7 and 2.6: the row keeps its y for the first two, and
        // the third is turned in full.
        QCOMPARE(reader.bubblePositions(rowItem(4, QPoint(500, 0), 50)),
                 (QList<QPoint>{{500, 9}, {550, 9}, {600, 9}, {650, 12}}));
        MarkReader turned(page, -1.0f, list);
        QCOMPARE(turned.bubblePositions(columnItem(4, QPoint(500, 0), 50)),
                 (QList<QPoint>{{500, -9}, {500, 41}, {500, 91}, {503, 141}}));
    }

    void readDemographic_givesTheFieldsCode_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("code");
        QTest::newRow("unmarked") << 3 << 0 << "N";
        QTest::newRow("male") << 1 << 1 << "1";
        QTest::newRow("female") << 1 << 2 << "2";
        QTest::newRow("gender past its list") << 1 << 3 << "";
        QTest::newRow("other ethnicity") << 3 << 6 << "6";
        QTest::newRow("ethnicity past its list") << 3 << 7 << "";
        QTest::newRow("prof./grad student") << 4 << 8 << "8";
        QTest::newRow("education past its list") << 4 << 9 << "0";
        QTest::newRow("widowed") << 5 << 5 << "5";
        QTest::newRow("marital past its list") << 5 << 6 << "0";
    }

    void readDemographic_givesTheFieldsCode()
    {
        QFETCH(int, type);
        QFETCH(int, position);
        QFETCH(QString, code);
        QCOMPARE(DemographicCode(type, position), code);
        // The same through the reader, on a row of nine bubbles.
        QList<Bubble> bubbles;
        if (position > 0)
            bubbles.append({QPoint(40 + 24 * (position - 1), 30), 100});
        const ScanPage page = pageWith(bubbles);
        MultiMarkList list;
        MarkReader reader(page, 0, list);
        ScanItem item = rowItem(9);
        QString text = QStringLiteral("old");
        reader.ReadDemographic(type, item, text);
        QCOMPARE(text, code);
    }

    void centuryOf_followsThisYear_data()
    {
        QTest::addColumn<int>("yy");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("year");
        QTest::newRow("05 in 2026") << 5 << QDate(2026, 1, 1) << 2005;
        QTest::newRow("10 in 2026") << 10 << QDate(2026, 1, 1) << 2010;
        QTest::newRow("11 in 2026 (no longer 1911)") << 11 << QDate(2026, 1, 1) << 2011;
        QTest::newRow("15 in 2026 (not 1915)") << 15 << QDate(2026, 1, 1) << 2015;
        QTest::newRow("26 in 2026") << 26 << QDate(2026, 1, 1) << 2026;
        QTest::newRow("27 in 2026") << 27 << QDate(2026, 1, 1) << 1927;
        QTest::newRow("87 in 2026") << 87 << QDate(2026, 1, 1) << 1987;
        QTest::newRow("00 in 2000") << 0 << QDate(2000, 5, 5) << 2000;
        QTest::newRow("10 in 2009") << 10 << QDate(2009, 5, 5) << 1910;
    }

    void centuryOf_followsThisYear()
    {
        QFETCH(int, yy);
        QFETCH(QDate, today);
        QFETCH(int, year);
        QCOMPARE(CenturyOf(yy, today), year);
    }

    void multiMarkList_keepsAtMost161EntriesOf30Characters()
    {
        MultiMarkList list;
        for (int i = 0; i < 170; ++i)
            list.add(QStringLiteral("A location name longer than thirty characters %1").arg(i));
        QCOMPARE(list.MultiMarkCount(), 161);
        QCOMPARE(list.entries().first(), QStringLiteral("A location name longer than th"));
        list.clear();
        QCOMPARE(list.MultiMarkCount(), 0);
    }

    void record_mapsCodesToListPositions()
    {
        SheetReading r;
        r.Gender = QStringLiteral("2");
        r.Race = QStringLiteral("");
        r.Education = QStringLiteral("N");
        r.Marital = QStringLiteral("0");
        r.CourtCounts = {QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("N"), QStringLiteral("9"),
                         QStringLiteral("1")};
        r.Responses = QString(123, QLatin1Char('2'));
        r.DateBoxText = QStringLiteral("03/14/1987");
        const ClientRecord c = r.record(QStringLiteral("Pat Client"));
        QCOMPARE(c.Name, QStringLiteral("Pat Client").leftJustified(25));
        QCOMPARE(c.Gender, QStringLiteral("2"));
        QCOMPARE(c.Race, QStringLiteral("0"));
        QCOMPARE(c.Education, QStringLiteral("0"));
        QCOMPARE(c.DOB, QStringLiteral("03/14/1987"));
        QCOMPARE(c.AlcoholArrests, QStringLiteral("5 "));
        QCOMPARE(c.Assaults, QStringLiteral("N "));
        QCOMPARE(c.Responses, r.Responses);
    }
};

QTEST_GUILESS_MAIN(TestMarkReading)
#include "test_mark_reading.moc"
