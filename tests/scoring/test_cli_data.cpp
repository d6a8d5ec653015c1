// veltrane-cli export, backup and restore run as separate processes: the export against files written by hand, bad
// arguments and damaged files, and a backup put back byte for byte.

#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result {
    int status = -1;
    QByteArray out;
    QString err;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The four clients of the hand-written files: normal, omitted scales, invalid, and one with no norms (gender 3).
QByteArray fourClients()
{
    QByteArray bytes;
    for (int n = 1; n <= 4; ++n)
        bytes += TestClient(n).toBytes();
    return bytes;
}

} // namespace

class TestCliData : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    QString m_data;
    QString m_backups;

    QString clientFile() const { return m_data + QStringLiteral("/DATA401.QN"); }

    // Runs the tool; "P", "D" and "B" in the arguments stand for the program, data and backup folders.
    Result cli(QStringList args)
    {
        for (QString& a : args)
            a.replace(QRegularExpression(QStringLiteral("^P")), m_program)
                .replace(QRegularExpression(QStringLiteral("^D")), m_data)
                .replace(QRegularExpression(QStringLiteral("^B")), m_backups);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(ProgramDirForTests() + QStringLiteral("/veltrane-cli"), args);
        p.closeWriteChannel();
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_program = m_dir->path() + QStringLiteral("/program");
        m_data = m_dir->path() + QStringLiteral("/data");
        m_backups = m_dir->path() + QStringLiteral("/backups");
        for (const QString& d : {m_program, m_data, m_backups})
            QVERIFY(QDir().mkpath(d));
        QVERIFY(CopyTestProgram(m_program));
        writeFile(clientFile(), fourClients());
    }

    void export_equalsTheHandWrittenFile_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("expected");
        Row("CSV to a file", QStringList{"--output", "B/scores.csv"}, "scores.csv");
        Row("CSV de-identified", QStringList{"--deidentified", "--format", "csv"}, "scores-deidentified.csv");
        Row("JSON", QStringList{"--format", "json"}, "scores.json");
        Row("JSON de-identified to a file", QStringList{"--format", "json", "--deidentified", "--output", "B/s.json"},
            "scores-deidentified.json");
    }
    void export_equalsTheHandWrittenFile()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, expected);
        const Result r = cli(QStringList{"export", "--program-dir", "P", "--data-dir", "D"} + options);
        // Client 4 has no norms: its row is there with empty scales, and the status says so.
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err.count(QStringLiteral("Client 4 (Broken, Dana \"DJ\") has the gender code \"3\"")), 1);
        const qsizetype output = options.indexOf(QStringLiteral("--output"));
        QByteArray bytes = r.out;
        if (output >= 0) {
            QVERIFY(r.out.isEmpty());
            bytes = ReadBytes(QString(options[output + 1]).replace(0, 1, m_backups));
        }
        const QByteArray want = ReadBytes(ScoringDataDir() + QStringLiteral("/expected/") + expected);
        if (expected.endsWith(QStringLiteral(".json")))
            QCOMPARE(QJsonDocument::fromJson(bytes), QJsonDocument::fromJson(want));
        else
            QCOMPARE(bytes, want);
        // Reading only: the client file is as it was and no report was written.
        QCOMPARE(ReadBytes(clientFile()), fourClients());
        QVERIFY(!QFile::exists(ReportFilePath(m_program)));
    }

    void badArgumentsAndDamagedFiles_exit1AndChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("clientFile"); // what the client file holds; null: no client file
        QTest::addColumn<QByteArray>("backup");     // what B/old.QN holds
        QTest::addColumn<QString>("mentions");
        const QByteArray clients = fourClients();
        const QStringList exportArgs{"export", "--program-dir", "P", "--data-dir", "D"};
        const QStringList restoreArgs{"restore", "--from", "B/old.QN", "--data-dir", "D", "--yes"};
        QByteArray badDate = clients;
        badDate.replace(39, 10, "2026-11-02");
        QByteArray text = QByteArray("Dear supervisor,\n").repeated(30).left(2 * 184);

        Row("export: nothing", QStringList{"export"}, clients, clients, "--program-dir, --data-dir are required");
        Row("export: unknown option", exportArgs + QStringList{"--colour"}, clients, clients, "unknown argument");
        Row("export: bad format", exportArgs + QStringList{"--format", "xml"}, clients, clients, "csv or json");
        Row("export: option twice", exportArgs + QStringList{"--data-dir", "D"}, clients, clients, "given twice");
        Row("export: no program folder", QStringList{"export", "--program-dir", "B/x", "--data-dir", "D"}, clients,
            clients, "program folder");
        Row("export: no client file", exportArgs, QByteArray(), clients, "There is no file");
        Row("export: damaged client file", exportArgs, clients + "Trailing", clients, "not a whole number");
        Row("backup: value missing", QStringList{"backup", "--data-dir"}, clients, clients, "needs a value");
        Row("backup: no such folder", QStringList{"backup", "--data-dir", "D", "--to", "B/x"}, clients, clients,
            "does not exist");
        Row("backup: empty client file", QStringList{"backup", "--data-dir", "D", "--to", "B"}, QByteArray(""), clients,
            "holds no clients");
        Row("restore: no terminal, no --yes", restoreArgs.mid(0, 5), clients, clients.left(184), "not a terminal");
        Row("restore: part of a record", restoreArgs, clients, clients.left(300), "not a whole number");
        Row("restore: a letter", restoreArgs, clients, text, "not a client record");
        Row("restore: a test date of another form", restoreArgs, clients, badDate,
            "record 1 is not a client record: "
            "its test date reads \"2026-11-02\"");
        Row("restore: no such backup", QStringList{"restore", "--from", "B/x.QN", "--data-dir", "D", "--yes"}, clients,
            clients, "There is no file");
    }
    void badArgumentsAndDamagedFiles_exit1AndChangeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, clientFile);
        QFETCH(QByteArray, backup);
        QFETCH(QString, mentions);
        QFile::remove(this->clientFile());
        if (!clientFile.isNull())
            writeFile(this->clientFile(), clientFile);
        writeFile(m_backups + QStringLiteral("/old.QN"), backup);
        const Result r = cli(args);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(mentions), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(ReadBytes(this->clientFile()), clientFile.isNull() ? QByteArray() : clientFile);
        QCOMPARE(QDir(m_data).entryList(QDir::Files).size(), clientFile.isNull() ? 0 : 1);
        QCOMPARE(QDir(m_backups).entryList(QDir::Files), QStringList{"old.QN"});
    }

    void backupThenRestore_givesTheClientFileBackByteForByte()
    {
        for (const char* command : {"export", "backup", "restore"}) {
            const Result help = cli({QLatin1String(command), QStringLiteral("--help")});
            QCOMPARE(help.status, 0);
            QVERIFY(help.out.startsWith("usage: veltrane-cli " + QByteArray(command)));
        }
        const Result backedUp = cli({"backup", "--data-dir", "D", "--to", "B"});
        QCOMPARE(backedUp.status, 0);
        const QString backup = QString::fromLocal8Bit(backedUp.out).trimmed();
        QVERIFY2(
            QRegularExpression(QStringLiteral("/DATA401-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.QN$")).match(backup).hasMatch(),
            qPrintable(backup));
        QCOMPARE(ReadBytes(backup), fourClients());
        QCOMPARE(QFileInfo(backup).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());

        // Work goes on: client 2 is changed and a fifth added; then the backup is put back.
        const QByteArray later = fourClients().replace(184, 7, "Changed") + PlainClient().toBytes();
        writeFile(clientFile(), later);
        const Result restored = cli({"restore", "--from", backup, "--data-dir", "D", "--yes"});
        QCOMPARE(restored.status, 0);
        QVERIFY2(restored.out.contains("Restored 4 clients"), restored.out.constData());
        QCOMPARE(ReadBytes(clientFile()), fourClients());
        // Nothing was lost: the file it replaced is kept beside it, named as a backup of its own.
        const QStringList kept = QDir(m_data).entryList({QStringLiteral("DATA401-*-replaced.QN")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadBytes(m_data + QLatin1Char('/') + kept.first()), later);
    }
};

QTEST_GUILESS_MAIN(TestCliData)
#include "test_cli_data.moc"
