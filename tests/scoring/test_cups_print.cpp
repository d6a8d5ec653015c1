// A real print: a three-page report through PrintReport to the system's default CUPS queue, read back from the
// scheduler's copy of the job. Needs a running cupsd with a default queue (scripts/start-cups.sh, as root).

#include "ReportPrinting.h"
#include "ScoreAndReport.h"
#include "ScoringTestData.h"
#include "SystemReportPrinter.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
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
    void printReport_threePages_reachTheDefaultQueue()
    {
        if (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")))
            QSKIP("No CUPS scheduler is reachable; run scripts/start-cups.sh as root to start one with a PDF queue.");
        const QString queue = QPrinterInfo::defaultPrinterName();
        if (queue.isEmpty())
            QSKIP("CUPS runs but has no default queue; run scripts/start-cups.sh as root to add one.");
        if (!QFileInfo(QStringLiteral("/var/spool/cups")).isReadable())
            QSKIP("The scheduler's job copies in /var/spool/cups are not readable here; run the test as root.");
        for (const char* tool : {"pdfinfo", "pdftotext"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("poppler-utils (pdfinfo, pdftotext) is not installed.");

        QTemporaryDir dir;
        QVERIFY(CopyTestProgram(dir.path()));
        ClientTable table;
        table.setDataPath(dir.path());
        table.Clients[1] = TestClient(2);
        table.NumClients = 1;
        table.CurClient = 1;
        QVERIFY(!ScoreAndReport(dir.path(), table, PublisherBrandCode));
        QString text;
        QVERIFY(!LoadReportText(dir.path(), text));
        QCOMPARE(ReportPages(text).size(), 3);

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
        QVERIFY2(!spooled.isEmpty(), "the job did not complete in the default queue within 60 s");

        const QString info = run(QStringLiteral("pdfinfo"), {spooled});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))), qPrintable(info));
        for (int page = 1; page <= 3; ++page) {
            const QString pageText =
                run(QStringLiteral("pdftotext"),
                    {QStringLiteral("-fixed"), QStringLiteral("6.9"), QStringLiteral("-f"), QString::number(page),
                     QStringLiteral("-l"), QString::number(page), spooled, QStringLiteral("-")});
            const QString header =
                page == 1 ? QStringLiteral("NAME            : Omitted, Blair") : QStringLiteral("NAME: Omitted, Blair");
            QVERIFY2(pageText.contains(header), qPrintable(QStringLiteral("page %1:\n%2").arg(page).arg(pageText)));
        }
        const QString all = run(QStringLiteral("pdftotext"),
                                {QStringLiteral("-fixed"), QStringLiteral("6.9"), spooled, QStringLiteral("-")});
        QVERIFY(all.contains(QStringLiteral("-2-")));
        QVERIFY(all.contains(QStringLiteral("-3-")));
        QVERIFY(all.contains(QStringLiteral("STAFF MEMBER SIGNATURE")));
    }
};

QTEST_MAIN(TestCupsPrint)
#include "test_cups_print.moc"
