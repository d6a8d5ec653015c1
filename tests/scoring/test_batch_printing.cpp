// Printing every client's report: all scored into numbered copies before the first prints, then each copy printed
// as its own client's report, and what the supervisor is told when the batch ends early.

#include "BatchPrinting.h"
#include "ClientTable.h"
#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestBatchPrinting : public QObject {
    Q_OBJECT
private slots:
    void printAll_data()
    {
        QTest::addColumn<QString>("stopBefore"); // the step the supervisor stops at
        QTest::addColumn<QString>("failing");    // the step that fails
        QTest::addColumn<QList<int>>("printed");
        QTest::addColumn<QString>("said");
        const QString none;
        Row("all printed", none, none, QList<int>{1, 2, 3}, none);
        Row("stopped while scoring", QString("score 2"), none, QList<int>{},
            QString("Printing was stopped before any report was printed."));
        Row("stopped midway", QString("print 3"), none, QList<int>{1, 2},
            QString("Printing was stopped after 2 of 3 reports."));
        Row("a failed score", none, QString("score 2"), QList<int>{},
            QString("The report of client 2 could not be written: no norms"));
        Row("a failed print", none, QString("print 2"), QList<int>{1},
            QString("The report of client 2 could not be printed: paper jam"));
        Row("a copy that cannot be written", none, QString("copy 2"), QList<int>{}, QString("The report copy "));
    }
    void printAll()
    {
        QFETCH(QString, stopBefore);
        QFETCH(QString, failing);
        QFETCH(QList<int>, printed);
        QFETCH(QString, said);
        QTemporaryDir program;
        if (failing == QLatin1String("copy 2"))
            QVERIFY(QDir(program.path()).mkdir(QStringLiteral("temp2")));
        ClientTable table;
        table.NumClients = 3;
        table.CurClient = 3;
        QStringList steps;
        QList<int> out;
        BatchSteps batch;
        batch.score = [&]() -> ScoringError {
            steps << QStringLiteral("score %1").arg(table.CurClient);
            if (steps.last() == failing)
                return {QString(), QStringLiteral("no norms")};
            WriteFile(ReportFilePath(program.path()), "report of client " + QByteArray::number(table.CurClient));
            return {};
        };
        batch.print = [&](int client) {
            steps << QStringLiteral("print %1").arg(client);
            // Each client's own report comes out, restored from its numbered copy.
            if (ReadBytes(ReportFilePath(program.path())) != "report of client " + QByteArray::number(client) ||
                table.CurClient != client)
                return QStringLiteral("the report of another client");
            if (steps.last() == failing)
                return QStringLiteral("paper jam");
            out << client;
            return QString();
        };
        batch.progress = [&](BatchStage stage, int n, int count, int client) {
            if (count != 3 || n != client)
                return false;
            const QString step =
                (stage == BatchStage::Scoring ? QStringLiteral("score %1") : QStringLiteral("print %1")).arg(client);
            return step != stopBefore;
        };
        const QString message = PrintAllReports(program.path(), table, batch);
        QVERIFY2(message.startsWith(said) && message.isEmpty() == said.isEmpty(), qPrintable(message));
        QCOMPARE(out, printed);
        QCOMPARE(int(table.CurClient), 1);
        // Nothing prints before every report was scored.
        const qsizetype firstPrint = steps.indexOf(QRegularExpression(QStringLiteral("print .*")));
        QCOMPARE(firstPrint, printed.isEmpty() && !stopBefore.startsWith(QLatin1String("print")) ? -1 : 3);
    }
};

QTEST_GUILESS_MAIN(TestBatchPrinting)
#include "test_batch_printing.moc"
