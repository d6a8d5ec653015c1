// The imaging error table and every message of a scan, word for word.

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
        QTest::newRow("20000") << 20000 << "General failure";
        QTest::newRow("20003 same as 20001") << 20003 << "Not enough memory available";
        QTest::newRow("20013 misspelt") << 20013 << "Invalid parmameter passed";
        QTest::newRow("20016 missing") << 20016 << "";
        QTest::newRow("20020 missing") << 20020 << "";
        QTest::newRow("20029") << 20029 << "Escape key pressed";
        QTest::newRow("20030 range start") << 20030 << "Internal Error - Call LEAD";
        QTest::newRow("20062 range end") << 20062 << "Internal Error - Call LEAD";
        QTest::newRow("20063") << 20063 << "Fixed palette data not found";
        QTest::newRow("20066 missing") << 20066 << "";
        QTest::newRow("20069 missing") << 20069 << "";
        QTest::newRow("20074") << 20074 << "Premature end-of-line code";
        QTest::newRow("20077") << 20077 << "Premature end-of-line code";
        QTest::newRow("20089") << 20089 << "Twain unknown destination App/Src in DSM_Entry";
        QTest::newRow("20090") << 20090 << "Twain operation was cancelled";
        QTest::newRow("ours: no sheet") << 20095 << "No answer sheet in scanner";
        QTest::newRow("ours: empty page") << 20102 << "Scanner returned an empty page";
        QTest::newRow("after ours") << 20104 << "";
        QTest::newRow("below the table") << 19999 << "";
        QTest::newRow("negative") << -1 << "";
    }

    void imagingErrorText_givesTheTablesText()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(ImagingErrorText(static_cast<int16_t>(number)), text);
    }

    void twainError_showsNumberTextAndDetail()
    {
        ScanMessage m = ScanMessages::TwainError(20082);
        QCOMPARE(m.title, QStringLiteral("Twain Error"));
        QCOMPARE(m.text, QStringLiteral("Error '20082, Twain no Data Source."));
        QCOMPARE(ScanMessages::TwainError(20066).text, QStringLiteral("Error '20066, ."));
        m = ScanMessages::TwainError(20010, QStringLiteral("The image file /x.png does not exist."));
        QCOMPARE(m.text, QStringLiteral("Error '20010, File not found.\nThe image file /x.png does not exist."));
    }

    void insertSheetAndNamePrompt_areWordForWord()
    {
        const ScanMessage insert = ScanMessages::InsertSheet(QStringLiteral("Pat Client"));
        QCOMPARE(insert.title, QStringLiteral("Corvath Test Scan"));
        QCOMPARE(insert.text, QStringLiteral("Insert answer sheet for Pat Client\n(face down) into scanner."));
        QCOMPARE(insert.buttons, Prompts::Buttons::OkCancel);
        QCOMPARE(ScanMessages::NameInputLength, 25);
        QCOMPARE(ScanMessages::NameHelpMessage, QStringLiteral("Enter the name of client."));
        QCOMPARE(ScanMessages::NameCaption, QStringLiteral("Client Name Input"));
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
