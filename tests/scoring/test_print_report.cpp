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

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

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
        QTest::newRow("no form feed: one page") << "one\r\ntwo\r" << QList<QStringList>{{"one", "two"}};
        QTest::newRow("form-feed line starts the next page with its line end")
            << "a\r\n\f\r\nb\r\nc\r" << QList<QStringList>{{"a"}, {"", "b", "c"}};
        QTest::newRow("bare line feeds") << "a\nb\n\fc" << QList<QStringList>{{"a", "b"}, {"c"}};
        QTest::newRow("empty report") << "" << QList<QStringList>{{}};
        QTest::newRow("two form feeds") << "\f\f" << QList<QStringList>{{}, {}, {}};
    }
    void reportPages_cutAtFormFeeds()
    {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, pages);
        QCOMPARE(ReportPages(text), pages);
    }

    void printReport_printsOnePagePerReportPage()
    {
        writeThreePageReport();
        FakeReportPrinter printer;
        const PrintOutcome out = PrintReport(program(), printer);
        QVERIFY2(out.printed(), qPrintable(out.message));
        QCOMPARE(printer.jobs.size(), 1);
        const PrintJob& job = printer.jobs.first();
        QCOMPARE(job.pages.size(), 3);
        for (const QStringList& page : job.pages)
            QVERIFY(page.join(QLatin1Char('\n')).contains(QStringLiteral("Omitted, Blair")));
        QCOMPARE(job.pages[1][1],
                 QStringLiteral("       NAME: Omitted, Blair             -2-                         VLT REPORT"));
        // Nothing is lost: the pages put back together are the report text.
        QString text;
        QVERIFY(!LoadReportText(program(), text));
        QStringList pieces;
        for (const QStringList& page : job.pages)
            pieces << page.join(QStringLiteral("\r\n"));
        QCOMPARE(pieces.join(QStringLiteral("\r\n\f")) + QLatin1Char('\r'), text);
    }

    void loadReportText_dropsTheLastCharacter()
    {
        writeFile(ReportFilePath(program()), "one\r\ntwo\r\n");
        QString text;
        QVERIFY(!LoadReportText(program(), text));
        QCOMPARE(text, QStringLiteral("one\r\ntwo\r"));
    }

    void printReport_longerThan32767Characters_printsWhole()
    {
        QByteArray report;
        int lines = 0;
        for (int page = 1; page <= 20; ++page) {
            if (page > 1)
                report += "\f\r\n";
            for (int l = 1; l <= 50; ++l, ++lines)
                report += "Page " + QByteArray::number(page) + " line " + QByteArray::number(l) + QByteArray(60, '.') +
                          "\r\n";
        }
        QVERIFY(report.size() > 2 * 32767);
        writeFile(ReportFilePath(program()), report);
        FakeReportPrinter printer;
        QVERIFY(PrintReport(program(), printer).printed());
        const PrintJob& job = printer.jobs.first();
        QCOMPARE(job.pages.size(), 20);
        QCOMPARE(job.pages.last().last(), QStringLiteral("Page 20 line 50") + QString(60, QLatin1Char('.')));
        qsizetype printedLines = 0;
        for (const QStringList& page : job.pages)
            printedLines += page.size();
        QCOMPARE(printedLines, lines + 19); // each later page also begins with the rest of its form-feed line
    }

    void printReport_failures_data()
    {
        QTest::addColumn<QString>("printer"); // fake, refusing, system (no print service), pdf (folder missing)
        QTest::addColumn<bool>("report");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("no report file: nothing printed")
            << "fake" << false << int(PrintOutcome::Status::Failed) << "report.prn";
        QTest::newRow("the printer's refusal passed on")
            << "refusing" << true << int(PrintOutcome::Status::NoPrinter) << "none";
        QTest::newRow("no print service: no printer")
            << "system" << true << int(PrintOutcome::Status::NoPrinter) << "No printer";
        QTest::newRow("PDF in a missing folder: no file")
            << "pdf" << true << int(PrintOutcome::Status::Failed) << "out.pdf";
    }
    void printReport_failures()
    {
        QFETCH(QString, printer);
        QFETCH(bool, report);
        QFETCH(QString, said);
        if (report)
            writeFile(ReportFilePath(program()), "one\r\n");
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
        QTest::newRow("Letter, 60 columns at 11.5 pt") << int(QPageSize::Letter) << 60 << 50 << 1 << 6.9;
        QTest::newRow("Letter, 84 columns made smaller") << int(QPageSize::Letter) << 84 << 50 << 1 << 576 / 84.0;
        QTest::newRow("A4, 84 columns made smaller") << int(QPageSize::A4) << 84 << 50 << 1 << 559 / 84.0;
        QTest::newRow("A4, a little too long for one sheet") << int(QPageSize::A4) << 40 << 64 << 1 << 0.0;
        QTest::newRow("Letter, 150 lines go on over further sheets") << int(QPageSize::Letter) << 40 << 150 << 3 << 6.9;
        QTest::newRow("A4, the report") << int(QPageSize::A4) << 0 << 0 << 3 << 0.0;
        QTest::newRow("Letter, the report") << int(QPageSize::Letter) << 0 << 0 << 3 << 0.0;
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
            writeFile(ReportFilePath(program()), report);
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
