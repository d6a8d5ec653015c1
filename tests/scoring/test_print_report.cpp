// Printing report.prn: cutting at form feeds, reports of any length, PDF files, and no printer.

#include "FakeReportPrinter.h"
#include "PdfReportPrinter.h"
#include "PdfWords.h"
#include "ReportPrinting.h"
#include "ScoreAndReport.h"
#include "ScoringTestData.h"
#include "SystemReportPrinter.h"

#include <QTemporaryDir>
#include <QTest>

class TestPrintReport : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString program() const { return m_dir->path(); }

    // Client 2 of the test installation: a three-page report.
    void writeThreePageReport()
    {
        QVERIFY(CopyTestProgram(program()));
        ClientTable table;
        table.setDataPath(program());
        table.Clients[1] = TestClient(2);
        table.NumClients = 1;
        table.CurClient = 1;
        QVERIFY(!ScoreAndReport(program(), table, PublisherBrandCode));
    }

private slots:
    void initTestCase()
    {
        // This process must never reach a real print service: with none, there is no printer at all.
        qputenv("CUPS_SERVER", QFile::encodeName(QDir::tempPath() + QStringLiteral("/no-such-cups-socket")));
    }

    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void reportPages_cutAtFormFeeds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("pages");
        using Pages = QList<QStringList>;
        Row("no form feed: one page", QString("one\r\ntwo\r"), Pages{{"one", "two"}});
        Row("form-feed line starts the next page", QString("a\r\n\f\r\nb\r\nc\r"), Pages{{"a"}, {"", "b", "c"}});
        Row("bare line feeds", QString("a\nb\n\fc"), Pages{{"a", "b"}, {"c"}});
        Row("empty report", QString(), Pages{{}});
        Row("two form feeds", QString("\f\f"), Pages{{}, {}, {}});
    }
    void reportPages_cutAtFormFeeds()
    {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, pages);
        QCOMPARE(ReportPages(text), pages);
    }

    void printReport_printsOnePagePerReportPage()
    {
        // Client 2's report of three pages, and one of 20 pages, twice as long as a 16-bit length holds.
        QByteArray longReport;
        for (int page = 1; page <= 20; ++page)
            for (int l = 1; l <= 50; ++l)
                longReport += (page > 1 && l == 1 ? "\f\r\n" : "") + QByteArray::number(page) + " line " +
                              QByteArray::number(l) + QByteArray(60, '.') + "\r\n";
        for (const QByteArray& report : {QByteArray(), longReport}) {
            init();
            report.isEmpty() ? writeThreePageReport() : WriteFile(ReportFilePath(program()), report);
            FakeReportPrinter printer;
            const PrintOutcome out = PrintReport(program(), printer);
            QVERIFY2(out.printed(), qPrintable(out.message));
            QCOMPARE(printer.jobs.size(), 1);
            QCOMPARE(printer.jobs[0].pages.size(), report.isEmpty() ? 3 : 20);
            // Nothing is lost: the pages put back together are the report less its last character, as the older
            // program read it.
            QStringList pieces;
            for (const QStringList& page : printer.jobs[0].pages)
                pieces << page.join(QStringLiteral("\r\n"));
            QString text;
            QVERIFY(!LoadReportText(program(), text));
            QCOMPARE(text, QString::fromLatin1(ReadBytes(ReportFilePath(program())).chopped(1)));
            QCOMPARE(pieces.join(QStringLiteral("\r\n\f")) + QLatin1Char('\r'), text);
        }
    }

    void printReport_failures_data()
    {
        QTest::addColumn<QString>("printer"); // fake, refusing, system (no print service), pdf (folder missing)
        QTest::addColumn<bool>("report");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        const int failed = int(PrintOutcome::Status::Failed), none = int(PrintOutcome::Status::NoPrinter);
        Row("no report file: nothing printed", QString("fake"), false, failed, QString("report.prn"));
        Row("the printer's refusal passed on", QString("refusing"), true, none, QString("none"));
        Row("no print service: no printer", QString("system"), true, none, QString("No printer"));
        Row("PDF in a missing folder: no file", QString("pdf"), true, failed, QString("out.pdf"));
    }
    void printReport_failures()
    {
        QFETCH(QString, printer);
        QFETCH(bool, report);
        QFETCH(QString, said);
        if (report)
            WriteFile(ReportFilePath(program()), "one\r\n");
        const QString pdf = program() + QStringLiteral("/missing/folder/out.pdf");
        FakeReportPrinter fake;
        fake.refuseWith = PrintOutcome{PrintOutcome::Status::NoPrinter, QStringLiteral("none")};
        SystemReportPrinter system;
        PdfReportPrinter pdfPrinter(pdf);
        FakeReportPrinter plain;
        ReportPrinter& chosen = printer == QLatin1String("refusing") ? static_cast<ReportPrinter&>(fake)
                                : printer == QLatin1String("system") ? static_cast<ReportPrinter&>(system)
                                : printer == QLatin1String("pdf")    ? static_cast<ReportPrinter&>(pdfPrinter)
                                                                     : static_cast<ReportPrinter&>(plain);
        const PrintOutcome out = PrintReport(program(), chosen);
        QTEST(int(out.status), "status");
        QVERIFY2(out.message.contains(said), qPrintable(out.message));
        QVERIFY(plain.jobs.isEmpty() && !QFile::exists(pdf));
    }

    void pdfPrinter_everyCharacterInsideTheMargins_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("columns"); // 0: client 2's report
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<qreal>("pitch"); // points from one character to the next; 0: not checked
        // Liberation Mono (the metrics of Courier New) advances 0.6 em: 6.9 pt at 11.5 pt. A line too long for the
        // room between the quarter-inch margins (576 pt on Letter, 559 pt on A4) makes the page just small enough
        // (within 1 %).
        const int letter = QPageSize::Letter, a4 = QPageSize::A4;
        Row("Letter, 60 columns at 11.5 pt", letter, 60, 50, 1, 6.9);
        Row("Letter, 84 columns made smaller", letter, 84, 50, 1, 576 / 84.0);
        Row("A4, 84 columns made smaller", a4, 84, 50, 1, 559 / 84.0);
        Row("A4, a little too long for one sheet", a4, 40, 64, 1, 0.0);
        Row("Letter, 150 lines go on over further sheets", letter, 40, 150, 3, 6.9);
        Row("A4, the report", a4, 0, 0, 3, 0.0);
        Row("Letter, the report", letter, 0, 0, 3, 0.0);
    }
    void pdfPrinter_everyCharacterInsideTheMargins()
    {
        QFETCH(int, paper);
        QFETCH(int, columns);
        QFETCH(int, lines);
        QFETCH(int, sheets);
        QFETCH(qreal, pitch);
        if (columns == 0) {
            writeThreePageReport();
        } else {
            QByteArray report;
            for (int l = 0; l < lines; ++l)
                report += QByteArray(columns, char('A' + l % 26)) + "\r\n";
            WriteFile(ReportFilePath(program()), report);
        }
        QString text;
        QVERIFY(!LoadReportText(program(), text));
        const QString pdf = program() + QStringLiteral("/out.pdf");
        PdfReportPrinter printer(pdf, QPageSize::PageSizeId(paper));
        QVERIFY(PrintReport(program(), printer).printed());
        const QList<PdfPage> pages = PdfWords(pdf);
        if (pages.isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");

        QCOMPARE(pages.size(), sheets);
        const qreal margin = 18; // a quarter inch
        const QString outside = WordOutsideMargins(pages, margin);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
        // Nothing was cut off: every character that prints is there.
        QCOMPARE(PdfCharacters(pages), text.simplified().remove(QLatin1Char(' ')).remove(QLatin1Char('\f')).size());
        if (pitch > 0) {
            const qreal width = pages.first().boxes.first().width();
            QVERIFY2(qAbs(width - columns * pitch) < columns * pitch / 100, qPrintable(QString::number(width)));
        }
    }
};

QTEST_MAIN(TestPrintReport)
#include "test_print_report.moc"
