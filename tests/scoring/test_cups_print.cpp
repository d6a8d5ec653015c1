// A real print: a three-page report through PrintReport to CUPS queues whose paper is A4 and Letter, read back from
// the scheduler's copy of each job. Needs a running cupsd with a default queue and its A4 and Letter twins
// (scripts/start-cups.sh, as root).

#include "PdfWords.h"
#include "ReportPrinting.h"
#include "ScoreAndReport.h"
#include "ScoringTestData.h"
#include "SystemReportPrinter.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString run(const QString& program, const QStringList& args)
{
    return QString::fromUtf8(RunProgram(program, args).out);
}

// Completed job numbers of a queue.
QList<int> completedJobs(const QString& queue)
{
    QList<int> ids;
    const QRegularExpression re(QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(queue)),
                                QRegularExpression::MultilineOption);
    auto it = re.globalMatch(run(QStringLiteral("lpstat"),
                                 {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue}));
    while (it.hasNext())
        ids << it.next().captured(1).toInt();
    return ids;
}

QString spoolFile(int job)
{
    return QStringLiteral("/var/spool/cups/d%1-001").arg(job, 5, 10, QLatin1Char('0'));
}

} // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT
private slots:
    void printReport_threePages_everyCharacterOnTheSheet_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QSizeF>("size");
        Row("A4", QString("A4"), QSizeF(595.28, 841.89));
        Row("Letter", QString("Letter"), QSizeF(612, 792));
    }
    void printReport_threePages_everyCharacterOnTheSheet()
    {
        QFETCH(QString, paper);
        QFETCH(QSizeF, size);
        if (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")))
            QSKIP("No CUPS scheduler is reachable; run scripts/start-cups.sh as root to start one with a PDF queue.");
        const QString defaultQueue = QPrinterInfo::defaultPrinterName();
        if (defaultQueue.isEmpty())
            QSKIP("CUPS runs but has no default queue; run scripts/start-cups.sh as root to add one.");
        const QString queue = defaultQueue + QLatin1Char('-') + paper;
        if (!QPrinterInfo::availablePrinterNames().contains(queue))
            QSKIP(qPrintable(
                QStringLiteral("CUPS has no queue %1; run scripts/start-cups.sh as root to add it.").arg(queue)));
        if (!QFileInfo(QStringLiteral("/var/spool/cups")).isReadable() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("Needs the scheduler's job copies in /var/spool/cups (run as root) and pdftotext (poppler-utils).");

        QTemporaryDir dir;
        QVERIFY(CopyTestProgram(dir.path()));
        ClientTable table;
        table.setDataPath(dir.path());
        table.Clients[1] = TestClient(2);
        table.NumClients = table.CurClient = 1;
        QVERIFY(!ScoreAndReport(dir.path(), table, PublisherBrandCode));
        QString text;
        QVERIFY(!LoadReportText(dir.path(), text));

        // The printer is the user's default one; PRINTER names it for this process.
        qputenv("PRINTER", queue.toUtf8());
        const auto restore = qScopeGuard([] { qunsetenv("PRINTER"); });
        QCOMPARE(QPrinterInfo::defaultPrinterName(), queue);
        const QList<int> before = completedJobs(queue);
        SystemReportPrinter printer;
        const PrintOutcome out = PrintReport(dir.path(), printer);
        QVERIFY2(out.printed(), qPrintable(out.message));

        // The scheduler keeps the document; find the new job that carries this report.
        QString spooled;
        const QDeadlineTimer deadline(60000);
        while (spooled.isEmpty() && !deadline.hasExpired()) {
            for (int job : completedJobs(queue)) {
                if (before.contains(job) || !QFile::exists(spoolFile(job)))
                    continue;
                if (run(QStringLiteral("pdftotext"), {spoolFile(job), QStringLiteral("-")})
                        .contains(QStringLiteral("Omitted, Blair")))
                    spooled = spoolFile(job);
            }
            if (spooled.isEmpty())
                QTest::qWait(250);
        }
        QVERIFY2(!spooled.isEmpty(), "the job did not complete in the queue within 60 s");

        const QList<PdfPage> pages = PdfWords(spooled);
        QCOMPARE(pages.size(), 3);
        for (const PdfPage& page : pages)
            QVERIFY2(qAbs(page.size.width() - size.width()) < 1 && qAbs(page.size.height() - size.height()) < 1,
                     qPrintable(QStringLiteral("%1 x %2").arg(page.size.width()).arg(page.size.height())));
        // Inside the quarter-inch margins (the queue's printable area is the whole sheet), and nothing cut off.
        const QString outside = WordOutsideMargins(pages, 18);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
        QCOMPARE(PdfCharacters(pages), text.simplified().remove(QLatin1Char(' ')).size());
    }
};

QTEST_MAIN(TestCupsPrint)
#include "test_cups_print.moc"
