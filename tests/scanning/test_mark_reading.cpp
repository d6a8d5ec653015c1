// The readers' limits on synthetic pages: what counts as a mark, which of several is read and when it is uncertain,
// the century rule and the record a reading makes.

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

    void centuryOf_followsThisYear_data()
    {
        QTest::addColumn<int>("yy");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("year");
        QTest::newRow("05 in 2026") << 5 << QDate(2026, 1, 1) << 2005;
        QTest::newRow("11 in 2026 (no longer 1911)") << 11 << QDate(2026, 1, 1) << 2011;
        QTest::newRow("26 in 2026") << 26 << QDate(2026, 1, 1) << 2026;
        QTest::newRow("27 in 2026") << 27 << QDate(2026, 1, 1) << 1927;
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
