// The whole program killed (SIGKILL) at random points while a client answers on screen or a sheet is keyed, each
// kill followed by a start that continues the test (Yes): every answer whose next item had appeared comes back, the
// test goes on at the first item without an answer, no client is written twice, and the client file always loads.
// VELTRANE_CRASH_SEED repeats a run (the seed is printed); VELTRANE_CRASH_KILLS sets the kills per way (200).

#include "WholeProgramRoads.h"

#include <QElapsedTimer>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>

class TestCrashResume : public QObject {
    Q_OBJECT
private slots:
    void killedAndContinued_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("on screen") << "screen";
        QTest::newRow("paper keying") << "paper";
    }
    void killedAndContinued()
    {
        QFETCH(QString, mode);
        const quint32 seed = qEnvironmentVariable("VELTRANE_CRASH_SEED",
                                                  QString::number(QRandomGenerator::global()->generate())).toUInt();
        const int kills = qEnvironmentVariable("VELTRANE_CRASH_KILLS", QStringLiteral("200")).toInt();
        qInfo("%s: seed %u", qPrintable(mode), seed);
        QRandomGenerator rng(seed);
        QTemporaryDir root;
        LayOutInstallation(root.path());
        const QString data = root.filePath(QStringLiteral("data")), log = root.filePath(QStringLiteral("child.log"));
        const QByteArray demo = ReadBytes(data + QStringLiteral("/DATA401.QN"));
        QMap<int, int> shownUpTo; // client -> the highest item that came on screen
        QSet<int> seenNow;        // the clients the present run has shown
        int resumes = 0;
        const auto heard = [&](const QByteArray& line) {
            const QList<QByteArray> w = line.trimmed().split(' ');
            const int n = w.value(1).toInt(), item = w.value(2).toInt();
            // A client with answers kept goes on only through the continued test, never from its start.
            QVERIFY2(seenNow.contains(n) || shownUpTo.value(n) < 2 || w.first() == "resumed", line.constData());
            seenNow.insert(n);
            if (w.first() == "shown") {
                shownUpTo[n] = std::max(shownUpTo.value(n), item);
                return;
            }
            const QString answers = QString::fromLatin1(w.value(3)), expected = CrashAnswers(n);
            QVERIFY2(w.first() == "resumed" && answers.size() == NumItems, line.constData());
            for (int i = 1; i <= NumItems; ++i)
                QVERIFY2(answers[i - 1] == expected[i - 1] || (answers[i - 1] == '0' && i >= shownUpTo.value(n)),
                         qPrintable(QStringLiteral("client %1, item %2: %3").arg(n).arg(i).arg(answers)));
            QCOMPARE(item, answers.contains('0') ? int(answers.indexOf('0')) + 1 : 1); // a whole sheet: at its top
            ++resumes;
        };
        for (int kill = 0; kill < kills && !QTest::currentTestFailed(); ++kill) {
            seenNow.clear();
            QProcess p;
            p.setStandardErrorFile(log, QIODevice::Append);
            p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/resume_child"), {mode, root.path()});
            QVERIFY(p.waitForStarted());
            // A quarter of the kills come at a moment after the start (opening, the question, court history,
            // saving); the others once items came on screen, a few microseconds into the next answer.
            const bool anyMoment = rng.bounded(4) == 0;
            const int lines = anyMoment ? -1 : int(rng.bounded(1, 30));
            const qint64 delayNs = 1000 * (anyMoment ? rng.bounded(350000) : rng.bounded(3000));
            QElapsedTimer clock;
            clock.start();
            for (int seen = 0; p.state() == QProcess::Running && (anyMoment || seen < lines);) {
                if (anyMoment && clock.nsecsElapsed() >= delayNs)
                    break;
                p.waitForReadyRead(anyMoment ? 1 : 50);
                for (; p.canReadLine(); ++seen)
                    heard(p.readLine());
            }
            for (const qint64 from = clock.nsecsElapsed(); !anyMoment && clock.nsecsElapsed() - from < delayNs;) {
            }
            const bool killed = p.state() == QProcess::Running;
            p.kill();
            p.waitForFinished();
            QVERIFY2(killed, ReadBytes(log).right(2000).constData()); // the run ended by itself
            for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
                if (!line.isEmpty())
                    heard(line);

            ClientTable table;
            table.setDataPath(data);
            QVERIFY2(!table.LoadClients().error, qPrintable(table.LoadClients().error.description));
            const QByteArray file = ReadBytes(table.ClientFilePath);
            QVERIFY(file.startsWith(demo) && file.size() % ClientRecord::Size == 0);
            for (int slot = 7; slot <= table.NumClients; ++slot) {
                const ClientRecord& r = table.Clients[slot];
                QCOMPARE(r.Name.trimmed() + r.TestDate, CrashClientName(slot - 6) + TodayText);
                QCOMPARE(r.Responses, CrashAnswers(slot - 6));
            }
            // A client begins only once the one before it is saved.
            QVERIFY(shownUpTo.isEmpty() || shownUpTo.lastKey() - 1 <= table.NumClients - 6);
            if (table.NumClients > 40) { // a new location before this one is full
                WriteFile(table.ClientFilePath, demo);
                QFile::remove(data + QStringLiteral("/DATA401.JNL"));
                shownUpTo.clear();
            }
        }
        qInfo("%s: %d tests continued", qPrintable(mode), resumes);
        QVERIFY2(resumes >= kills / 4, qPrintable(QString::number(resumes)));
    }
};

QTEST_MAIN(TestCrashResume)
#include "test_crash_resume.moc"
