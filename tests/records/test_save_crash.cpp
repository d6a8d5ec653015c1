#include "ClientTable.h"
#include "TestDefinition.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Kills a process that saves records continuously, at random moments, and checks the file each time.
class TestSaveCrash : public QObject {
    Q_OBJECT
private slots:
    void killedWriter_leavesEveryRecordWholeAndFileFullLength()
    {
        QTemporaryDir dir;
        ClientTable table;
        table.setDataPath(dir.path());
        QVERIFY(!table.LoadClients().error);
        for (int16_t n = 1; n <= 20; ++n) {
            table.Clients[n].Name = QStringLiteral("Writer %1 v1").arg(n);
            table.Clients[n].Responses = QString(NumItems, QLatin1Char('1'));
            QVERIFY(!table.SaveClient(n));
        }
        const QString writer = QCoreApplication::applicationDirPath() + QStringLiteral("/client_file_writer");
        QRandomGenerator rng(20261206);
        std::optional<AuditHead> head;
        for (int run = 0; run < 40; ++run) {
            QProcess p;
            p.start(writer, {dir.path()});
            QVERIFY(p.waitForStarted() && p.waitForReadyRead(5000));
            QTest::qWait(int(rng.bounded(1, 30)));
            p.kill();
            p.waitForFinished();

            QVERIFY(!table.LoadClients().error);
            QCOMPARE(table.NumClients, 20);
            for (int n = 1; n <= 20; ++n) {
                const ClientRecord& r = table.Clients[n];
                const QString name = r.Name.trimmed();
                QVERIFY2(name == QStringLiteral("Writer %1 v1").arg(n) || name == QStringLiteral("Writer %1 v2").arg(n),
                         qPrintable(name));
                const QChar fill = name.back();
                QCOMPARE(r.Responses, QString(NumItems, fill)); // name and answers from the same save
            }
            // The trail holds, whatever line the kill cut, and kept every entry it held before.
            const AuditVerification v = AuditTrail::verifyFolder(dir.path(), head);
            QVERIFY2(v.holds(), qPrintable(v.message));
            head = v.head;
        }
    }
};

QTEST_GUILESS_MAIN(TestSaveCrash)
#include "test_save_crash.moc"
