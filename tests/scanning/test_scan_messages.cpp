// The imaging error table's ranges and gaps, and the messages built from a scan's errors and marks.

#include "ImagingErrorText.h"
#include "MultiMarkList.h"
#include "ScanMessages.h"

#include <QTest>

class TestScanMessages : public QObject {
    Q_OBJECT

private slots:
    void imagingErrorText_givesTheTablesText_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("20013 misspelt") << 20013 << "Invalid parmameter passed";
        QTest::newRow("20020 missing") << 20020 << "";
        QTest::newRow("20030 range start") << 20030 << "Internal Error - Call LEAD";
        QTest::newRow("20062 range end") << 20062 << "Internal Error - Call LEAD";
        QTest::newRow("20066 missing") << 20066 << "";
        QTest::newRow("20077") << 20077 << "Premature end-of-line code";
        QTest::newRow("ours: empty page") << 20102 << "Scanner returned an empty page";
        QTest::newRow("after ours") << 20104 << "";
        QTest::newRow("negative") << -1 << "";
    }

    void imagingErrorText_givesTheTablesText()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(ImagingErrorText(static_cast<int16_t>(number)), text);
    }

    void multipleMarks_listsEachNameOnceOrWarnsOfMany_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString head = QStringLiteral("Warning! some items had multiple answers marked.\n"
                                            "Please review the follwing answers.\n\n");
        QTest::newRow("none") << QStringList() << QString() << QString();
        QTest::newRow("one") << QStringList{QStringLiteral("Item 5")} << "Scan sheet Answers"
                             << head + QStringLiteral("     Item 5\n");
        QTest::newRow("ethnicity read twice shows once")
            << QStringList{QStringLiteral("Ethnicity"), QStringLiteral("Ethnicity"), QStringLiteral("Item 5  ")}
            << "Scan sheet Answers" << head + QStringLiteral("     Ethnicity\n     Item 5\n");
        QStringList ten;
        QString tenText = head;
        for (int i = 1; i <= 10; ++i) {
            ten << QStringLiteral("Item %1").arg(i);
            tenText += QStringLiteral("     Item %1\n").arg(i);
        }
        QTest::newRow("ten are listed") << ten << "Scan sheet Answers" << tenText;
        QStringList eleven = ten;
        eleven << QStringLiteral("Item 11");
        QTest::newRow("eleven are too many")
            << eleven << "Scan Sheet Answers"
            << QStringLiteral("Warning Many answers on this scanned answer sheet are \nMarked incorrectly. Please "
                              "review the answer sheet to \nEnsure that proper answers have been scored.");
    }

    void multipleMarks_listsEachNameOnceOrWarnsOfMany()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, title);
        QFETCH(QString, text);
        MultiMarkList list;
        for (const QString& e : entries)
            list.add(e);
        const ScanMessage m = ScanMessages::MultipleMarks(list);
        QCOMPARE(m.isNull(), entries.isEmpty());
        QCOMPARE(m.title, title);
        QCOMPARE(m.text, text);
    }
};

QTEST_GUILESS_MAIN(TestScanMessages)
#include "test_scan_messages.moc"
