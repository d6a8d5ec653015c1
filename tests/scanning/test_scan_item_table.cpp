// A question database's answer-sheet layout the reader cannot use is refused with the row and what is wrong.

#include "AnswerSheet.h"
#include "FilledSheet.h"
#include "Registration.h"
#include "ScanPage.h"
#include "TableRows.h"

#include <QRect>
#include <QTest>

class TestScanItemTable : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_items = DemoScanItems(); }

    // A layout the reader cannot use is refused before any pixel is read; NaN came from the fuzzer (its input is
    // tests/data/fuzz/fuzz_scan_items/crash-nan-r) and made the reader convert NaN to a pixel position.
    void rows_unusableLayout_refused_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no bubbles") << 4 << QVariant(0) << "has 0 bubbles; it may have 1 to 9.";
        QTest::newRow("r not a number") << 2 << QVariant(qQNaN()) << "places its bubbles off the answer sheet";
        QTest::newRow("endless angle") << 3 << QVariant(qInf()) << "places its bubbles off the answer sheet";
        QTest::newRow("spacing past the page") << 5 << QVariant(1 << 30) << "places its bubbles off the answer sheet";
    }
    void rows_unusableLayout_refused()
    {
        QFETCH(int, column);
        QFETCH(QVariant, value);
        QFETCH(QString, problem);
        TableRows rows;
        rows.columns = QStringList{"ID", "LocationName", "r", "theta", "dimx", "dx", "DimY", "dy", "x", "y"};
        for (const ScanItem& i : m_items)
            rows.rows.append({i.ID, i.LocationName, i.r, i.theta, i.dimx, i.dx, i.DimY, i.dy, i.x, i.y});
        QList<ScanItem> items;
        QCOMPARE(ScanItemsFromRows(rows, "qn.mdb", items), QString());
        rows.rows[0][column] = value;
        const QString message = ScanItemsFromRows(rows, "qn.mdb", items);
        QVERIFY2(message.startsWith("Row 1 (Gender) of the table ScanItem in the question database qn.mdb") &&
                     message.contains(problem),
                 qPrintable(message));
    }

private:
    QList<ScanItem> m_items;
};

QTEST_MAIN(TestScanItemTable)
#include "test_scan_item_table.moc"
