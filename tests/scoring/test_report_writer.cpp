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

// A composer reading the test installation's paragraph files, kept alive for the test.
ReportComposer composer(ScoringRun& run)
{
    static Paragraphs p;
    return ReportComposer(run, PublisherBrandCode, p.source());
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
    void profileRowAndCourtAnswers()
    {
        // The bar reaches the percentile's column (stars); the percentile is right-aligned.
        const QString axis = QStringLiteral("...............-...........-.......-...-");
        for (auto [percentile, stars] : {std::pair{0, 1}, {9, 4}, {10, 5}, {40, 17}, {99, 40}}) {
            ScoringRun run = scoredRun(PlainClient());
            run.sheet.Percentile[2] = static_cast<int16_t>(percentile);
            ReportComposer c = composer(run);
            c.profile(2, 5);
            const QStringList lines = linesOf(c);
            QCOMPARE(lines.size(), 12);
            QCOMPARE(lines[3], QStringLiteral("       ALCOHOL%1").arg(percentile, 16) + S(7) + QString(stars, u'*') +
                                   axis.mid(stars - 1));
            QCOMPARE(c.lineCount(), 1 + 13);
        }
        // Court answers are right-aligned, except N; -1 is printed N.
        for (auto [stored, printed] :
             {std::pair{"N ", "N "}, {"-1", "N "}, {"12", "12"}, {"5 ", " 5"}, {"0 ", " 0"}, {"  ", "  "}}) {
            ClientRecord r = PlainClient();
            r.DrugArrests = QLatin1String(stored);
            r.Anger = QLatin1String(stored);
            ScoringRun run = scoredRun(r);
            ReportComposer c = composer(run);
            c.courtHistory();
            const QStringList lines = linesOf(c);
            QCOMPARE(lines[2], QStringLiteral("       Drug-related arrests......... ") + QLatin1String(printed) + S(3) +
                                   QStringLiteral("Alcohol-related arrests..........  0"));
            QCOMPARE(lines[4], S(42) + QStringLiteral("# of anger management programs... ") + QLatin1String(printed));
            QCOMPARE(c.lineCount(), 1 + 8);
        }
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

    void significantItems_breakAcrossPages()
    {
        // Client 1 lists 14 alcohol, 15 drug and 5 anger items. From line 35 the drug and anger pair does not fit
        // and goes on under a continued heading.
        ScoringRun run = scoredRun(TestClient(1));
        ReportComposer c = composer(run);
        c.setLineCount(35);
        c.significantItems();
        QStringList lines = linesOf(c);
        qsizetype ff = lines.indexOf(QStringLiteral("\f"));
        QCOMPARE(ff, 4 + 2 + 15);
        QCOMPARE(lines[ff - 1], S(43) + QStringLiteral("123. Drug item"));
        QCOMPARE(lines[ff + 1], pageHeader(QStringLiteral("Normal, Alex"), 2));
        QCOMPARE(lines.mid(ff + 2, 5), (QStringList{QString(), QStringLiteral("       SIGNIFICANT ITEMS: (continued):"),
                                                    QString(), QString(), QStringLiteral("       ANGER") + S(31)}));
        QCOMPARE(c.lineCount(), 2 + 2 + 1 + 2 + 5 + 2);

        // From line 30 the list itself reaches line 58 and breaks inside, without a continued heading.
        ReportComposer inside = composer(run);
        inside.setLineCount(30);
        inside.significantItems();
        lines = linesOf(inside);
        ff = lines.indexOf(QStringLiteral("\f"));
        QCOMPARE(lines[ff - 1], QStringLiteral("       111. Temper occasional problem"));
        QCOMPARE(lines.mid(ff + 1), (QStringList{pageHeader(QStringLiteral("Normal, Alex"), 2), QString(),
                                                 QStringLiteral("       121. Anger occasional problem"), S(7), S(7)}));
        QCOMPARE(inside.lineCount(), 5);

        // From line 37 the last alcohol row lands on line 58 exactly: the break comes after it.
        ReportComposer exact = composer(run);
        exact.setLineCount(37);
        exact.significantItems();
        lines = linesOf(exact);
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

    void brokenParagraphFiles_failTheWholeReport()
    {
        // The file replaced, its content (null: missing), the client, and what the message names.
        const std::tuple<const char*, QByteArray, int, QStringList> rows[] = {
            {"QN_DG.TXT", "LOW RISK\nx\nEND\n", 1, {"QN_DG.TXT", "no section \"PROBLEM RISK\""}},
            {"QN_DG.TXT", "note\n\nPROBLEM RISK\nx\ny\n", 1, {"\"PROBLEM RISK\" that begins at line 3", "END"}},
            {"QN_SC.TXT", "medium-low\nx\nEND\n", 1, {"QN_SC.TXT", "\"MEDIUM-LOW\""}},
            {"QN_TRU.TXT", "", 1, {"QN_TRU.TXT", "LOW RISK"}},
            {"QN_TRU.TXT", QByteArray(), 1, {"QN_TRU.TXT", "cannot be read"}},
            {"INVAL.TXT", "one\ntwo\n", 3, {"INVAL.TXT", "no closing END"}}};
        for (const auto& [file, content, client, mentions] : rows) {
            ScoringRun run = scoredRun(TestClient(client));
            Paragraphs p;
            p.replaced[QLatin1String(file)] = content;
            QByteArray report = "untouched";
            const ScoringError e = ComposeReport(run, PublisherBrandCode, p.source(), report);
            QCOMPARE(e.file, QString::fromLatin1(file));
            for (const QString& m : mentions)
                QVERIFY2(e.message.contains(m), qPrintable(e.message));
            QCOMPARE(report, QByteArray("untouched"));
        }
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
        ReportComposer c = composer(run);
        c.scaleBlock(2);
        QCOMPARE(linesOf(c).first(), S(7) + QString(45, u'A') + QStringLiteral(" SCALE: LOW RISK RANGE PERCENTILE:9%"));
    }
};

QTEST_GUILESS_MAIN(TestReportWriter)
#include "test_report_writer.moc"
