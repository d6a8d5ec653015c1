// Report composition block by block: bars, court answers, page breaks, broken paragraph files.

#include "ReportComposer.h"
#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QMap>
#include <QTest>
#include <functional>

namespace {

QString S(int n)
{
    return QString(n, QLatin1Char(' '));
}

// Paragraph files from the test installation, with any of them replaced.
struct Paragraphs {
    QMap<QString, QByteArray> replaced; // a null value: the file cannot be read
    QStringList read;

    ParagraphSource source()
    {
        return [this](const QString& name, QByteArray& bytes) -> ScoringError {
            read << name;
            if (replaced.contains(name) && replaced.value(name).isNull())
                return {name, QStringLiteral("The paragraph file %1 cannot be read: gone.").arg(name)};
            if (replaced.contains(name)) {
                bytes = replaced.value(name);
                return {};
            }
            bytes = TestProgramFile(name);
            if (bytes.isEmpty())
                return {name, QStringLiteral("The paragraph file %1 cannot be read.").arg(name)};
            return {};
        };
    }
};

// The client scored with the test installation's tables, changed first by `change` when given.
ScoringRun scoredRun(const ClientRecord& client, const std::function<void(ScoringTables&)>& change = {})
{
    ScoringRun run;
    LoadScoringData(TestProgramFile(QStringLiteral("QNB.TXT")), TestProgramFile(QStringLiteral("QNRPT.TXT")),
                    run.tables, run.wording);
    if (change)
        change(run.tables);
    TakeClientSnapshot(client, 1, run.snapshot, run.sheet);
    ComputeRawScores(run.tables, run.snapshot, run.sheet);
    ComputePercentiles(run.tables, run.snapshot, run.sheet);
    return run;
}

QStringList linesOf(const ReportComposer& c)
{
    return ReportLines(c.bytes());
}

QString pageHeader(const QString& name, int page)
{
    return QStringLiteral("       NAME: ") + ClientRecord::fit(name, 25) + S(2) + QLatin1Char('-') +
           QString::number(page % 10) + QLatin1Char('-') + S(25) + QStringLiteral("VLT REPORT");
}

} // namespace

class TestReportWriter : public QObject {
    Q_OBJECT
private slots:
    void profileRow_drawsBarAndPercentileColumns_data()
    {
        QTest::addColumn<int>("percentile");
        QTest::addColumn<QString>("row");
        const QString name = QStringLiteral("       ALCOHOL");
        QTest::newRow("0: one asterisk") << 0
                                         << name + S(15) + "0" + S(7) + "*" +
                                                "...............-...........-.......-...-";
        QTest::newRow("9: column 29") << 9
                                      << name + S(15) + "9" + S(7) + "****" + "............-...........-.......-...-";
        QTest::newRow("10: column 28") << 10
                                       << name + S(14) + "10" + S(7) + "*****" + "...........-...........-.......-...-";
        QTest::newRow("40: reaches the mark under 40")
            << 40 << name + S(14) + "40" + S(7) + QString(17, u'*') + "...........-.......-...-";
        QTest::newRow("99: forty asterisks") << 99 << name + S(14) + "99" + S(7) + QString(40, u'*') + "-";
    }
    void profileRow_drawsBarAndPercentileColumns()
    {
        QFETCH(int, percentile);
        QFETCH(QString, row);
        ScoringRun run = scoredRun(PlainClient());
        run.sheet.Percentile[2] = static_cast<int16_t>(percentile);
        Paragraphs p;
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.profile(2, 5);
        const QStringList lines = linesOf(c);
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines[3], row);
        QCOMPARE(c.lineCount(), 1 + 13);
    }

    void courtAnswers_areRightAlignedExceptN_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("printed");
        Row("N", "N ", "N ");
        Row("-1 becomes N", "-1", "N ");
        Row("12", "12", "12");
        Row("5", "5 ", " 5");
        Row("0", "0 ", " 0");
        Row("blank", "  ", "  ");
    }
    void courtAnswers_areRightAlignedExceptN()
    {
        QFETCH(QString, stored);
        QFETCH(QString, printed);
        ClientRecord r = PlainClient();
        r.DrugArrests = stored;
        r.Anger = stored;
        ScoringRun run = scoredRun(r);
        Paragraphs p;
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.courtHistory();
        const QStringList lines = linesOf(c);
        QCOMPARE(lines[2], QStringLiteral("       Drug-related arrests......... ") + printed + S(3) +
                               QStringLiteral("Alcohol-related arrests..........  0"));
        QCOMPARE(lines[4], S(42) + QStringLiteral("# of anger management programs... ") + printed);
        QCOMPARE(c.lineCount(), 1 + 8);
    }

    void paragraph_reachingLine58_continuesRightAfterTheNewPageHeader()
    {
        ScoringRun run = scoredRun(PlainClient()); // Alcohol at the 9th percentile: the low-risk section
        Paragraphs p;
        p.replaced[QStringLiteral("QN_AL.TXT")] = "LOW RISK\nline 1\nline 2\nline 3\nline 4\nEND\n";
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.setLineCount(55);
        c.scaleBlock(2);
        const QStringList lines = linesOf(c);
        const QStringList expected{
            QStringLiteral("       ALCOHOL SCALE:") + S(28) + QStringLiteral("LOW RISK RANGE PERCENTILE:9%"),
            QStringLiteral("        line 1"),
            QStringLiteral("        line 2"),
            QStringLiteral("\f"),
            pageHeader(QStringLiteral("Plain, Pat"), 2),
            QString(),
            QStringLiteral("        line 3"),
            QStringLiteral("        line 4"),
            QString(),
        };
        QCOMPARE(lines, expected);
        QCOMPARE(c.lineCount(), 5);
    }

    void significantItems_pairThatDoesNotFit_goesOnWithContinuedHeading()
    {
        // Client 1 lists 14 alcohol, 15 drug and 5 anger items.
        ScoringRun run = scoredRun(TestClient(1));
        Paragraphs p;
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.setLineCount(35);
        c.significantItems();
        const QStringList lines = linesOf(c);
        const qsizetype ff = lines.indexOf(QStringLiteral("\f"));
        QCOMPARE(ff, 4 + 2 + 15);
        QCOMPARE(lines[ff - 1], S(43) + QStringLiteral("123. Drug item"));
        QCOMPARE(lines[ff + 1], pageHeader(QStringLiteral("Normal, Alex"), 2));
        QCOMPARE(lines.mid(ff + 2, 5), (QStringList{QString(), QStringLiteral("       SIGNIFICANT ITEMS: (continued):"),
                                                    QString(), QString(), QStringLiteral("       ANGER") + S(31)}));
        QCOMPARE(c.lineCount(), 2 + 2 + 1 + 2 + 5 + 2);
    }

    void significantItems_listReachingLine58_breaksInsideTheList()
    {
        ScoringRun run = scoredRun(TestClient(1));
        Paragraphs p;
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.setLineCount(30);
        c.significantItems();
        const QStringList lines = linesOf(c);
        const qsizetype ff = lines.indexOf(QStringLiteral("\f"));
        QVERIFY(ff > 0);
        QCOMPARE(lines[ff - 1], QStringLiteral("       111. Temper occasional problem"));
        QCOMPARE(lines[ff + 1], pageHeader(QStringLiteral("Normal, Alex"), 2));
        QCOMPARE(lines[ff + 2], QString());
        QCOMPARE(lines[ff + 3], QStringLiteral("       121. Anger occasional problem")); // no continued heading
        QCOMPARE(lines.mid(ff + 4), (QStringList{S(7), S(7)}));
        QCOMPARE(c.lineCount(), 5);
    }

    void significantItems_lastAlcoholRowOnLine58_breaksAfterIt()
    {
        ScoringRun run = scoredRun(TestClient(1));
        Paragraphs p;
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.setLineCount(37); // 37 + 6 + 15 = 58: fits exactly
        c.significantItems();
        const QStringList lines = linesOf(c);
        QCOMPARE(lines.indexOf(QStringLiteral("\f")), 4 + 2 + 15);
        QCOMPARE(lines.count(QStringLiteral("\f")), 1);
    }

    void invalidTruthRawInsideTable_printsTheExcessiveTrueNote()
    {
        // A Truthfulness table long enough to look up 99 raw points: the report stays normal but says why.
        ClientRecord r = PlainClient();
        SetAnswers(r, 1, 81, QLatin1Char('1'));
        ScoringRun run = scoredRun(r, [](ScoringTables& t) {
            t.NormLength[1][1][1] = 99;
            t.NormTable[1][1][1][99] = 92;
        });
        QCOMPARE(run.sheet.RawPoints[1], 99);
        QCOMPARE(run.sheet.Percentile[1], 92);
        Paragraphs p;
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.scaleBlock(1);
        QCOMPARE(linesOf(c),
                 (QStringList{QStringLiteral("       TRUTHFULNESS SCALE: MAXIMUM RISK RANGE") + S(13) +
                                  QStringLiteral("RISK PERCENTILE:  92 "),
                              QStringLiteral("       The Truthfulness Scale  is inaccurate  because there  were an "
                                             "excessive"),
                              QStringLiteral("       number of True responses in Section 1."), QString(), QString()}));
        QVERIFY(!p.read.contains(QStringLiteral("QN_TRU.TXT")));
    }

    void brokenParagraphFiles_failTheWholeReport_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("client");
        QTest::addColumn<QStringList>("mentions");
        QTest::newRow("marker missing") << "QN_DG.TXT" << QByteArray("LOW RISK\nx\nEND\n") << 1
                                        << QStringList{"QN_DG.TXT", "no section \"PROBLEM RISK\""};
        QTest::newRow("END missing") << "QN_DG.TXT" << QByteArray("note\n\nPROBLEM RISK\nx\ny\n") << 1
                                     << QStringList{"QN_DG.TXT", "\"PROBLEM RISK\" that begins at line 3", "END"};
        QTest::newRow("marker differs in case")
            << "QN_SC.TXT" << QByteArray("medium-low\nx\nEND\n") << 1 << QStringList{"QN_SC.TXT", "\"MEDIUM-LOW\""};
        QTest::newRow("empty file") << "QN_TRU.TXT" << QByteArray("") << 1 << QStringList{"QN_TRU.TXT", "LOW RISK"};
        QTest::newRow("missing file") << "QN_TRU.TXT" << QByteArray() << 1
                                      << QStringList{"QN_TRU.TXT", "cannot be read"};
        QTest::newRow("invalid text without END")
            << "INVAL.TXT" << QByteArray("one\ntwo\n") << 3 << QStringList{"INVAL.TXT", "no closing END"};
    }
    void brokenParagraphFiles_failTheWholeReport()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, client);
        QFETCH(QStringList, mentions);
        ScoringRun run = scoredRun(TestClient(client));
        Paragraphs p;
        p.replaced[file] = content;
        QByteArray report = "untouched";
        const ScoringError e = ComposeReport(run, PublisherBrandCode, p.source(), report);
        QVERIFY(e);
        QCOMPARE(e.file, file);
        for (const QString& m : mentions)
            QVERIFY2(e.message.contains(m), qPrintable(e.message));
        QCOMPARE(report, QByteArray("untouched"));
    }

    void longReport_pageDigitWraps()
    {
        QByteArray longSection = "LOW RISK\n";
        for (int i = 1; i <= 700; ++i)
            longSection += "Alcohol line " + QByteArray::number(i) + ", long enough to fill most of a report line.\n";
        longSection += "END\n";
        ScoringRun run = scoredRun(PlainClient());
        Paragraphs p;
        p.replaced[QStringLiteral("QN_AL.TXT")] = longSection;
        QByteArray report;
        QVERIFY(!ComposeReport(run, PublisherBrandCode, p.source(), report));
        const QStringList lines = ReportLines(report);
        // Page 11 shows only the last digit of its number.
        QVERIFY(lines.contains(pageHeader(QStringLiteral("Plain, Pat"), 10)));
        QVERIFY(lines.contains(pageHeader(QStringLiteral("Plain, Pat"), 11)));
        QCOMPARE(lines.count(QStringLiteral("\f")) + 1, 15); // 18 lines on page 1, 56 on each of the next 12
        QVERIFY(report.size() > 32767);
    }

    void longScaleName_leavesNoGapInsteadOfFailing()
    {
        ScoringRun run = scoredRun(PlainClient());
        run.wording.ScaleNames[2] = QString(45, QLatin1Char('A'));
        Paragraphs p;
        ReportComposer c(run, PublisherBrandCode, p.source());
        c.scaleBlock(2);
        QCOMPARE(linesOf(c).first(), S(7) + QString(45, u'A') + QStringLiteral(" SCALE: LOW RISK RANGE PERCENTILE:9%"));
    }
};

QTEST_GUILESS_MAIN(TestReportWriter)
#include "test_report_writer.moc"
