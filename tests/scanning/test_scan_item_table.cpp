// The demo installation's answer-sheet layout: every location where the reader can find it reliably.

#include "AnswerSheet.h"
#include "FilledSheet.h"
#include "Registration.h"
#include "ScanPage.h"
#include "TableRows.h"
#include "TestDefinition.h"

#include <QRect>
#include <QSet>
#include <QTest>

class TestScanItemTable : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_items = DemoScanItems(); }

    void rows_areTheLocationsInReadingOrder()
    {
        QCOMPARE(m_items.size(), 138);
        QSet<QString> names;
        for (int i = 0; i < m_items.size(); ++i) {
            const ScanItem& item = m_items[i];
            QCOMPARE(item.ID, i + 1);
            QVERIFY2(!names.contains(item.LocationName), qPrintable(item.LocationName));
            names.insert(item.LocationName);
            QVERIFY(item.LocationName.size() <= 30);
        }
        QCOMPARE(m_items[0].dimx, 2); // gender
        QCOMPARE(m_items[1].dimx, 6); // ethnicity
        QCOMPARE(m_items[2].dimx, 8); // education
        QCOMPARE(m_items[3].dimx, 5); // marital status
        for (int id = FirstCourtItem; id < FirstQuestionItem; ++id)
            QCOMPARE(m_items[id - 1].dimx, 10);
        for (int n = 1; n <= NumItems; ++n) {
            const ScanItem& item = m_items[FirstQuestionItem + n - 2];
            QCOMPARE(item.LocationName, QStringLiteral("Item %1").arg(n));
            QCOMPARE(item.dimx, ChoicesOfItem(n));
            QCOMPARE(item.DimY, 1);
        }
        const QList<int> digits = {2, 10, 4, 10, 10, 10}; // month tens 0-1, day tens 0-3
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(m_items[FirstDateItem - 1 + i].DimY, digits[i]);
            QCOMPARE(m_items[FirstDateItem - 1 + i].dimx, 1);
        }
    }

    void layout_readsReliably()
    {
        const AnswerSheet sheet(m_items);
        QList<QRect> boxes;
        for (const ScanItem& item : m_items) {
            // The stored start position is the polar one, and lies right of and below the anchor (the angle is an
            // arctangent without quadrant).
            QCOMPARE(PolarToPoint(item.r, item.theta), QPoint(item.x, item.y));
            QVERIFY(item.x > 0 && item.y > 0);
            const int count = item.DimY > 1 ? item.DimY : item.dimx;
            const int step = item.DimY > 1 ? item.dy : item.dx;
            if (count > 1) {
                QVERIFY2(step >= 22 && step <= 26, qPrintable(item.LocationName));
                QVERIFY2(step * (count - 1) <= 216, qPrintable(item.LocationName)); // short rows and columns
            }
            for (int i = 0; i < count; ++i)
                boxes.append(QRect(sheet.bubbleOnPage(item.ID, i), QSize(15, 15)));
        }
        const QRect page(QPoint(0, 0), AnswerSheet::PageSize);
        // The registration search windows (with the 8 x 8 test reaching past them) hold nothing else.
        const QRect anchorWindow(5, 0, 41 + 7, 126 + 7);
        const QRect referenceWindow(AnswerSheet::AnchorBox.x() + 772, 0, 31 + 7, AnswerSheet::AnchorBox.y() + 108);
        for (int i = 0; i < boxes.size(); ++i) {
            QVERIFY(page.adjusted(20, 20, -20, -20).contains(boxes[i]));
            QVERIFY(!boxes[i].intersects(anchorWindow));
            QVERIFY(!boxes[i].intersects(referenceWindow));
            // At least 7 pixels of white between any two read boxes.
            for (int j = i + 1; j < boxes.size(); ++j)
                QVERIFY2(!boxes[i].adjusted(-7, -7, 7, 7).intersects(boxes[j]),
                         qPrintable(QStringLiteral("boxes %1 and %2").arg(i).arg(j)));
        }
    }

    void blankSheet_printsNothingInAReadBoxOrSearchWindow()
    {
        // Cleaned, the blank sheet has only its two boxes and black text; no read box sees a dark pixel.
        const AnswerSheet sheet(m_items);
        const ScanPage page(CleanScanImage(sheet.render()));
        for (const ScanItem& item : m_items) {
            const int count = item.DimY > 1 ? item.DimY : item.dimx;
            for (int i = 0; i < count; ++i) {
                const QPoint at = sheet.bubbleOnPage(item.ID, i);
                QVERIFY2(BoxDarkCount(page, at.x(), at.y(), 14) == 0, qPrintable(item.LocationName));
            }
        }
        PolarPoint anchor;
        QVERIFY(FindAnchorBox(page, anchor));
        QCOMPARE(QPoint(anchor.x, anchor.y), AnswerSheet::AnchorBox.topLeft());
    }

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
