// veltrane-cli run as a separate process: the report, the export against files written by hand, backup and restore,
// and bad arguments and damaged files, which change nothing.

#include "PdfWords.h"
#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QDirIterator>
#include <QProcess>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// Every file under `dir` with its bytes.
QMap<QString, QByteArray> filesUnder(const QString& dir)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        files.insert(it.next(), ReadBytes(it.filePath()));
    return files;
}

// What lies at `path`, for comparing before and after: its kind, and a regular file's bytes.
QByteArray stateOf(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return "missing";
    if (S_ISREG(st.st_mode))
        return "file:" + ReadBytes(path);
    return "kind:" + QByteArray::number(st.st_mode & S_IFMT) + ":" + QFile::symLinkTarget(path).toUtf8();
}

// The report's pages, each as the number of characters it prints.
QList<qsizetype> printedCharacters(const QByteArray& report)
{
    QList<qsizetype> pages{0};
    for (const QString& line : ReportLines(report))
        line == QStringLiteral("\f") ? pages.append(0) : void(pages.last() += QString(line).remove(u' ').size());
    return pages;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString place(QString s) const
    {
        static const QRegularExpression folder(QStringLiteral("^([PDB])/?"));
        const QRegularExpressionMatch m = folder.match(s);
        if (!m.hasMatch())
            return s;
        const QString name = m.captured(1) == u"P" ? "program" : m.captured(1) == u"D" ? "data" : "backups";
        return s.replace(0, 1, m_dir->path() + QLatin1Char('/') + name);
    }
    QString clientFile() const { return place(QStringLiteral("D/DATA401.QN")); }
    QString report() const { return ReportFilePath(place(QStringLiteral("P"))); }

    // Runs the tool; "P", "D" and "B" starting an argument stand for the program, data and backup folders.
    RunResult cli(QStringList args) const
    {
        for (QString& a : args)
            a = place(a);
        return RunProgram(ProgramDirForTests() + QStringLiteral("/veltrane-cli"), args);
    }
    RunResult report(int client, const QStringList& more = {}) const
    {
        return cli(QStringList{"report", "--program-dir", "P", "--data-dir", "D", "--client", QString::number(client)} +
                   more);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(CopyTestProgram(place(QStringLiteral("P"))) && QDir().mkpath(place(QStringLiteral("B"))));
        WriteFile(clientFile(), TestClientFile(4));
    }

    void report_scoresBrandAndPdf()
    {
        const RunResult r = report(1, {QStringLiteral("--scores")});
        QCOMPARE(r.status, 0);
        QStringList scales;
        for (const QJsonValue& v : QJsonDocument::fromJson(r.out).object().value(QStringLiteral("scales")).toArray()) {
            QStringList values;
            for (const char* key : {"scale", "name", "raw", "percentile", "omitted", "endorsed"})
                values << v.toObject().value(QLatin1String(key)).toVariant().toString();
            QCOMPARE(v.toObject().size(), 6);
            scales << values.join(QLatin1Char(' '));
        }
        // Client 1 of the hand-derived reports.
        QCOMPARE(scales, (QStringList{"1 TRUTHFULNESS 4 30 0 4", "2 ALCOHOL 18 54 0 12", "3 DRUGS 25 75 0 12",
                                      "4 BETA 9 27 0 6", "5 ANGER 10 30 0 4", "6 RATIO 246 48 0 0"}));
        QCOMPARE(ReadBytes(report()), Expected(QStringLiteral("client1-normal.prn")));

        // The brand comes from the program folder's settings file; the hand-derived invalid report is the
        // distributor's.
        QCOMPARE(report(3).status, 0);
        QVERIFY(ReadBytes(report()).contains("Norwick, Ltd."));
        WriteFile(place(QStringLiteral("P/Quillan.ini")), "[Settings]\r\nNumLock=True\r\nBrand=D\r\n");
        QCOMPARE(report(3).status, 0);
        QCOMPARE(ReadBytes(report()), Expected(QStringLiteral("client3-invalid.prn")));

        // A PDF holds each page of the report on a sheet of its own, nothing cut off.
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        const QString pdf = place(QStringLiteral("B/client1.pdf"));
        const RunResult p = report(1, {QStringLiteral("--pdf"), pdf});
        QVERIFY(p.status == 0 && p.out.isEmpty() && !QFile::exists(pdf + QStringLiteral(".part")));
        QList<qsizetype> sheets;
        for (const PdfPage& page : PdfWords(pdf))
            sheets << PdfCharacters({page});
        QCOMPARE(sheets, printedCharacters(ReadBytes(report())));
        QCOMPARE(sheets.size(), 4);
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
        const RunResult r = cli(QStringList{"export", "--program-dir", "P", "--data-dir", "D"} + options);
        // Client 4's gender is outside its list: its row is there with empty scales, the status says so, and a
        // de-identified export names it by number only.
        QCOMPARE(r.status, 1);
        const bool named = !options.contains(QStringLiteral("--deidentified"));
        QVERIFY2(r.err.count(named ? QStringLiteral("Client 4 (Broken, Dana \"DJ\") has a damaged record")
                                   : QStringLiteral("Client 4 has a damaged record")) == 1 &&
                     r.err.contains(QStringLiteral("gender code \"3\"")) && r.err.contains("Broken") == named,
                 qPrintable(r.err));
        const qsizetype output = options.indexOf(QStringLiteral("--output"));
        QVERIFY(output < 0 || r.out.isEmpty());
        const QByteArray bytes = output < 0 ? r.out : ReadBytes(place(options[output + 1]));
        if (expected.endsWith(QStringLiteral(".json")))
            QCOMPARE(QJsonDocument::fromJson(bytes), QJsonDocument::fromJson(Expected(expected)));
        else
            QCOMPARE(bytes, Expected(expected));
        // Reading only: the client file is as it was and no report was written.
        QCOMPARE(ReadBytes(clientFile()), TestClientFile(4));
        QVERIFY(!QFile::exists(report()));
    }

    void export_formulaCellsWrittenAsText()
    {
        QByteArray file = TestClientFile(3);
        file.replace(0, 12, "@SUM(A1)+1  ");
        file.replace(184, 14, "-2+3*cmd|' /C ");
        WriteFile(clientFile(), file);
        const RunResult r = cli({"export", "--program-dir", "P", "--data-dir", "D"});
        const QList<QByteArray> rows = r.out.split('\n');
        QVERIFY2(r.status == 0 && rows.size() == 5, qPrintable(r.err));
        QVERIFY2(rows[1].startsWith("1,'@SUM(A1)+1,") && rows[1].trimmed().endsWith(",-1,,,,,,,,,,,"), rows[1].constData());
        QVERIFY2(rows[2].startsWith("2,'-2+3*cmd|' /C,"), rows[2].constData());
    }

    void badArgumentsAndDamagedFiles_changeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");       // a file put in place first
        QTest::addColumn<QByteArray>("content"); // its content; null: the file removed
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("mentions");
        const QByteArray clients = TestClientFile(4);
        const QStringList report{"report", "--program-dir", "P", "--data-dir", "D", "--scores", "--client"};
        const QStringList exportArgs{"export", "--program-dir", "P", "--data-dir", "D"};
        const QStringList restore{"restore", "--from", "B/old.QN", "--data-dir", "D", "--yes"};
        const QString usage = QStringLiteral("usage: veltrane-cli report");
        QByteArray badDate = clients;
        badDate.replace(39, 10, "2026-11-02");
        const QByteArray letter = QByteArray("Dear supervisor,\n").repeated(30).left(2 * 184);

        Row("report: nothing", QStringList{"report"}, "", QByteArray(), 2, usage);
        Row("report: client not a number", report + QStringList{"x"}, "", QByteArray(), 2, usage);
        Row("report: unknown option", QStringList{"report", "--client", "1", "--colour"}, "", QByteArray(), 2, usage);
        Row("report: --pdf without file", QStringList{"report", "--client", "1", "--pdf"}, "", QByteArray(), 2, usage);
        Row("report: option twice", QStringList{"report", "--client", "1", "--client", "2"}, "", QByteArray(), 2,
            usage);
        Row("report: no such client", report + QStringList{"5"}, "", QByteArray(), 1, "numbered 1 to 4");
        Row("report: no norms", report + QStringList{"4"}, "", QByteArray(), 1, "gender code \"3\"");
        Row("report: damaged tables", report + QStringList{"1"}, "P/QNB.TXT", QByteArray("11,12,abc\n"), 1,
            "QNB.TXT is damaged at line 1");
        Row("report: no paragraph file", report + QStringList{"1"}, "P/QN_AL.TXT", QByteArray(), 1, "QN_AL.TXT");
        Row("report: no client file", report + QStringList{"1"}, "D/DATA401.QN", QByteArray(), 1, "DATA401.QN");
        Row("export: no data folder", QStringList{"export", "--program-dir", "P", "--data-dir", "B/x"}, "",
            QByteArray(), 1, "data folder");
        Row("export: unknown option", exportArgs + QStringList{"--colour"}, "", QByteArray(), 1, "unknown argument");
        Row("export: bad format", exportArgs + QStringList{"--format", "xml"}, "", QByteArray(), 1, "csv or json");
        Row("export: option twice", exportArgs + QStringList{"--data-dir", "D"}, "", QByteArray(), 1, "given twice");
        Row("export: no program folder", QStringList{"export", "--program-dir", "B/x", "--data-dir", "D"}, "",
            QByteArray(), 1, "program folder");
        Row("export: no client file", exportArgs, "D/DATA401.QN", QByteArray(), 1, "There is no file");
        Row("export: damaged client file", exportArgs, "D/DATA401.QN", clients + "Trailing", 1, "not a whole number");
        Row("backup: value missing", QStringList{"backup", "--data-dir"}, "", QByteArray(), 1, "needs a value");
        Row("backup: no such folder", QStringList{"backup", "--data-dir", "D", "--to", "B/x"}, "", QByteArray(), 1,
            "does not exist");
        Row("backup: empty client file", QStringList{"backup", "--data-dir", "D", "--to", "B"}, "D/DATA401.QN",
            QByteArray(""), 1, "holds no clients");
        Row("restore: no terminal, no --yes", restore.mid(0, 5), "B/old.QN", clients.left(184), 1, "not a terminal");
        Row("restore: part of a record", restore, "B/old.QN", clients.left(300), 1, "not a whole number");
        Row("restore: a letter", restore, "B/old.QN", letter, 1, "not a client record");
        Row("restore: a test date of another form", restore, "B/old.QN", badDate, 1,
            "record 1 is not a client record: its test date reads \"2026-11-02\"");
        Row("restore: no such backup", restore, "", QByteArray(), 1, "There is no file");
        Row("answer-sheet: no --pdf", QStringList{"answer-sheet", "--program-dir", "P"}, "", QByteArray(), 2, "--pdf");
        Row("answer-sheet: no folder for it", QStringList{"answer-sheet", "--program-dir", "P", "--pdf", "B/x/a.pdf"},
            "", QByteArray(), 1, "does not exist");
        Row("read-sheet: no image", QStringList{"read-sheet", "--program-dir", "P"}, "", QByteArray(), 2, "IMAGE...");
    }
    void badArgumentsAndDamagedFiles_changeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, mentions);
        if (!file.isEmpty())
            content.isNull() ? void(QFile::remove(place(file))) : WriteFile(place(file), content);
        const QMap<QString, QByteArray> before = filesUnder(m_dir->path());
        const RunResult r = cli(args);
        QTEST(r.status, "status");
        QVERIFY2(r.err.contains(mentions) && r.out.isEmpty(), qPrintable(r.err));
        QCOMPARE(filesUnder(m_dir->path()), before);
    }

    // Every output a command writes on request, pointed where it must not write or cannot.
    void outputs_neverReplaceWhatTheyMustNot_data()
    {
        QTest::addColumn<QStringList>("command"); // "T" stands for the target
        QTest::addColumn<QString>("target");      // a kind of target, prepared by the test
        QTest::addColumn<QString>("mentions");
        const QStringList commands[] = {{"export", "--program-dir", "P", "--data-dir", "D", "--output", "T"},
                                        {"report", "--program-dir", "P", "--data-dir", "D", "--client", "1", "--pdf", "T"},
                                        {"answer-sheet", "--program-dir", "P", "--pdf", "T"}};
        const std::pair<const char*, const char*> targets[] = {
            {"client file", "own files"}, {"scoring file", "own files"}, {"fifo", "a pipe"},
            {"device", "a device"},       {"link", "is a link"},         {"planted temporary", ""},
            {"full disk", "No space left"}, {"read-only folder", "Read-only file system"}};
        for (const QStringList& c : commands)
            for (const auto& [target, mentions] : targets)
                QTest::addRow("%s onto %s", qPrintable(c.first()), target)
                    << c << QString::fromLatin1(target) << QString::fromLatin1(mentions);
    }
    void outputs_neverReplaceWhatTheyMustNot()
    {
        QFETCH(QStringList, command);
        QFETCH(QString, target);
        QFETCH(QString, mentions);
        const QString b = place(QStringLiteral("B"));
        QString path = b + QStringLiteral("/out.file");
        if (command.first() == u"answer-sheet") { // drawn from the question database; its data location is D
            QVERIFY(QFile::copy(ProgramDirForTests() + QStringLiteral("/qn.mdb"), place(QStringLiteral("P/qn.mdb"))));
            WriteFile(place(QStringLiteral("P/Quillan.ini")), "[Path]\r\nFilePath=" + place("D").toLocal8Bit() + "\r\n");
        }
        QString mounted;
        auto mountTmpfs = [&](const char* options) {
            mounted = b + QStringLiteral("/mnt");
            QDir().mkpath(mounted);
            if (::mount("tmpfs", QFile::encodeName(mounted).constData(), "tmpfs", 0, options) != 0)
                mounted.clear();
            return !mounted.isEmpty();
        };
        const auto unmount = qScopeGuard([&] {
            if (!mounted.isEmpty())
                ::umount2(QFile::encodeName(mounted).constData(), MNT_DETACH);
        });
        if (target == u"client file") {
            path = clientFile();
        } else if (target == u"scoring file") {
            path = place(QStringLiteral("P/QNB.TXT"));
        } else if (target == u"fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (target == u"device") {
            if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("no device node can be made here");
        } else if (target == u"link") {
            WriteFile(b + QStringLiteral("/victim"), "kept");
            QVERIFY(QFile::link(b + QStringLiteral("/victim"), path));
        } else if (target == u"planted temporary") {
            WriteFile(clientFile(), TestClientFile(3)); // every client scored, so every command succeeds
            WriteFile(b + QStringLiteral("/victim"), "kept");
            for (const char* name : {"/out.file.part", "/.out.file.saving", "/.out.file.XXXXXX.saving"})
                QVERIFY(QFile::link(b + QStringLiteral("/victim"), b + QLatin1String(name)));
        } else if (target == u"full disk") {
            if (!mountTmpfs("size=64k"))
                QSKIP("tmpfs cannot be mounted here");
            path = mounted + QStringLiteral("/out.file");
            WriteFile(path, "earlier");
            QFile fill(mounted + QStringLiteral("/fill"));
            QVERIFY(fill.open(QIODevice::WriteOnly));
            while (fill.write(QByteArray(4096, 'x')) > 0 && fill.flush()) {
            }
        } else if (target == u"read-only folder") {
            if (!mountTmpfs("size=64k"))
                QSKIP("tmpfs cannot be mounted here");
            path = mounted + QStringLiteral("/out.file");
            WriteFile(path, "earlier");
            QCOMPARE(::mount("tmpfs", QFile::encodeName(mounted).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                             "size=64k"),
                     0);
        }
        const QByteArray before = stateOf(path);
        const QByteArray victim = stateOf(b + QStringLiteral("/victim"));
        command.replace(command.indexOf(QStringLiteral("T")), path);
        const RunResult r = cli(command);
        QCOMPARE(stateOf(b + QStringLiteral("/victim")), victim);
        if (mentions.isEmpty()) { // the planted names are never written through; the output is written
            QVERIFY2(r.status == 0, qPrintable(r.err));
            QVERIFY(stateOf(path) != before && QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
            QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
            return;
        }
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(mentions) && r.err.contains(path), qPrintable(r.err));
        QCOMPARE(stateOf(path), before);
    }

    // A program that has the location open, running or stopped, keeps it: restore and backup change nothing.
    void restoreAndBackup_onALocationInUse_changeNothing_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("running") << false;
        QTest::newRow("stopped") << true;
    }
    void restoreAndBackup_onALocationInUse_changeNothing()
    {
        QFETCH(bool, stopped);
        const QString ini = place(QStringLiteral("B/holder.ini"));
        WriteFile(ini, "[Path]\r\nFilePath=" + place(QStringLiteral("D")).toLocal8Bit() + "\r\n");
        WriteFile(place(QStringLiteral("B/old.QN")), TestClientFile(2));
        QProcess holder;
        holder.start(QCoreApplication::applicationDirPath() + QStringLiteral("/location_holder"), {ini});
        QVERIFY(holder.waitForStarted() && holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine(), "opened\n");
        if (stopped)
            ::kill(static_cast<pid_t>(holder.processId()), SIGSTOP);
        const QMap<QString, QByteArray> before = filesUnder(m_dir->path());
        for (const QStringList& args :
             {QStringList{"restore", "--from", "B/old.QN", "--data-dir", "D", "--yes"},
              QStringList{"backup", "--data-dir", "D", "--to", "B"}}) {
            const RunResult r = cli(args);
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains("is in use by user ") && r.err.contains(" on computer ") &&
                         r.err.contains("Nothing was changed"),
                     qPrintable(r.err));
            QCOMPARE(filesUnder(m_dir->path()), before);
        }
        if (stopped)
            ::kill(static_cast<pid_t>(holder.processId()), SIGCONT);
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        // Let go, the location can be restored; a read-only client file is refused without --yes, and says so.
        QFile::setPermissions(clientFile(), QFile::ReadOwner);
        const RunResult refused = cli({"restore", "--from", "B/old.QN", "--data-dir", "D"});
        QVERIFY2(refused.status == 1 && refused.err.contains("is read-only"), qPrintable(refused.err));
        const RunResult restored = cli({"restore", "--from", "B/old.QN", "--data-dir", "D", "--yes"});
        QVERIFY2(restored.status == 0 && restored.out.contains("was read-only"), qPrintable(restored.err));
        QCOMPARE(ReadBytes(clientFile()), TestClientFile(2));
    }

    void backupThenRestore_givesTheClientFileBackByteForByte()
    {
        // Every command the tool lists is in veltrane-cli(1) and answers --help with its usage.
        const QString man = ReadBytes(qEnvironmentVariable("VELTRANE_SOURCE_DIR") + "/packaging/man/veltrane-cli.1");
        const QString usage = cli({"--help"}).out;
        for (auto it = QRegularExpression("^  ([a-z-]+) ", QRegularExpression::MultilineOption).globalMatch(usage);
             it.hasNext();) {
            const QString command = it.next().captured(1);
            const RunResult help = cli({command, QStringLiteral("--help")});
            const QString entry = "^\\.BR? " + QString(command).replace("-", "\\\\-") + "( |$)";
            QVERIFY2(man.contains(QRegularExpression(entry, QRegularExpression::MultilineOption)) && help.status == 0 &&
                         help.out.startsWith("usage: veltrane-cli " + command.toUtf8()),
                     qPrintable(command + ": " + help.out + help.err));
        }
        const RunResult backedUp = cli({"backup", "--data-dir", "D", "--to", "B"});
        QCOMPARE(backedUp.status, 0);
        const QString backup = QString::fromLocal8Bit(backedUp.out).trimmed();
        QVERIFY2(
            QRegularExpression(QStringLiteral("/DATA401-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.QN$")).match(backup).hasMatch(),
            qPrintable(backup));
        QCOMPARE(ReadBytes(backup), TestClientFile(4));
        QCOMPARE(QFileInfo(backup).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());

        // Work goes on: client 2 is changed and a fifth added; then the backup is put back.
        const QByteArray later = TestClientFile(4).replace(184, 7, "Changed") + PlainClient().toBytes();
        WriteFile(clientFile(), later);
        const RunResult restored = cli({"restore", "--from", backup, "--data-dir", "D", "--yes"});
        QCOMPARE(restored.status, 0);
        QVERIFY2(restored.out.contains("Restored 4 clients"), restored.out.constData());
        QCOMPARE(ReadBytes(clientFile()), TestClientFile(4));
        // Nothing was lost: the file it replaced is kept beside it, named as a backup of its own.
        const QStringList kept =
            QDir(place(QStringLiteral("D"))).entryList({QStringLiteral("DATA401-*-replaced.QN")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadBytes(place(QStringLiteral("D/")) + kept.first()), later);

        // Both were recorded; the trail holds, against its own head, and not against a longer one or once edited.
        const RunResult listed = cli({"audit", "--data-dir", "D", "--format", "csv"});
        const QList<QByteArray> rows = listed.out.split('\n');
        QVERIFY2(listed.status == 0 && rows.size() == 6 && rows[2].contains(",backup,ok,file=" + backup.toUtf8()) &&
                     rows[3].contains(",restore,ok,") && rows[4].startsWith("head,3:"),
                 listed.out.constData());
        const QString head = QString::fromLatin1(rows[4].mid(5).trimmed());
        const QString longer = QStringLiteral("4:") + head.mid(2);
        for (const auto& [args, status, said] :
             {std::tuple{QStringList{"--head", head}, 0, "The trail holds: 3 entries, head " + head},
              {QStringList{"--head", longer}, 1, QStringLiteral("The trail was cut short: the head noted had 4")}}) {
            const RunResult v = cli(QStringList{"audit", "--data-dir", "D", "--verify"} + args);
            QVERIFY2(v.status == status && v.out.startsWith(said.toUtf8()), v.out.constData());
        }
        // An export ends with the head it was made under, and is recorded after it.
        const QList<QByteArray> exported = cli({"export", "--program-dir", "P", "--data-dir", "D"}).out.split('\n');
        QVERIFY2(exported.size() > 2 && exported[exported.size() - 2].trimmed() == "audit_head," + head.toUtf8(),
                 exported.join('|').constData());
        QByteArray trail = ReadBytes(place(QStringLiteral("D/DATA401.AUD")));
        WriteFile(place(QStringLiteral("D/DATA401.AUD")), trail.replace("\trestore\t", "\trestorf\t"));
        const RunResult tampered = cli({"audit", "--data-dir", "D", "--verify", "--format", "json"});
        QVERIFY2(tampered.status == 1 && tampered.out.contains("\"entry\": 3") && tampered.out.contains("changed"),
                 tampered.out.constData());
    }

    void encryptedLocation_everyCommandWithItsPassphrase()
    {
        WriteFile(place(QStringLiteral("B/pass")), "Harbor lights 48\n");
        WriteFile(place(QStringLiteral("B/recovery")), "Agency vault 2026!\n");
        WriteFile(place(QStringLiteral("B/wrong")), "Harbor lights 49\n");
        WriteFile(place(QStringLiteral("B/change")), "Agency vault 2026!\nFresh tide 2027\n");
        const QStringList pass{"--passphrase-file", "B/pass"};
        const RunResult plain = cli({"export", "--program-dir", "P", "--data-dir", "D"});
        QCOMPARE(cli(QStringList{"protect", "--data-dir", "D", "encrypt", "--passphrase-file", "B/wrong",
                                 "--recovery-passphrase-file", "B/wrong"}).status, 1); // the two must differ
        QCOMPARE(cli(QStringList{"protect", "--data-dir", "D", "encrypt", "--recovery-passphrase-file", "B/recovery"} +
                     pass).status, 0);
        QVERIFY(!ReadBytes(clientFile()).contains(TestClientFile(4).left(20)));
        // Without a terminal or a file, or with a wrong passphrase, nothing is read; with it every command works.
        for (const QStringList& how : {QStringList{}, QStringList{"--passphrase-file", "B/wrong"}}) {
            const RunResult r = cli(QStringList{"export", "--program-dir", "P", "--data-dir", "D"} + how);
            QVERIFY2(r.status == 1 && r.out.isEmpty() && (r.err.contains("--passphrase-file") ||
                                                          r.err.contains("does not open")), qPrintable(r.err));
        }
        // The same clients; the location's trail, begun by the encryption, adds its head.
        QVERIFY(cli(QStringList{"export", "--program-dir", "P", "--data-dir", "D"} + pass).out.startsWith(plain.out));
        QCOMPARE(report(1, pass).status, 0);
        QCOMPARE(cli(QStringList{"audit", "--data-dir", "D", "--verify"} + pass).status, 0);
        const RunResult audit = cli(QStringList{"audit", "--data-dir", "D"} + pass);
        QVERIFY2(audit.status == 0 && audit.out.contains("location-encrypted"), audit.out.constData());
        const RunResult backedUp = cli(QStringList{"backup", "--data-dir", "D", "--to", "B"} + pass);
        const QString backup = QString::fromLocal8Bit(backedUp.out).trimmed();
        QVERIFY(backedUp.status == 0 && QFileInfo::exists(backup.chopped(2) + "VLK"));
        QVERIFY(!ReadBytes(backup).contains(TestClientFile(4).left(20)));
        // The recovery passphrase restores the backup into a plain location elsewhere.
        QVERIFY(QDir().mkpath(place(QStringLiteral("B/other"))));
        QCOMPARE(cli({"restore", "--from", backup, "--data-dir", "B/other", "--yes", "--passphrase-file", "B/recovery"}).status, 0);
        QCOMPARE(ReadBytes(place(QStringLiteral("B/other/DATA401.QN"))), TestClientFile(4));
        // The recovery passphrase changed: it no longer opens, the new one in its slot removes the encryption.
        QCOMPARE(cli({"protect", "--data-dir", "D", "change", "--passphrase-file", "B/change"}).status, 0);
        QCOMPARE(cli({"protect", "--data-dir", "D", "remove", "--passphrase-file", "B/recovery"}).status, 1);
        WriteFile(place(QStringLiteral("B/pass")), "Fresh tide 2027\n");
        QCOMPARE(cli(QStringList{"protect", "--data-dir", "D", "remove"} + pass).status, 0);
        QCOMPARE(ReadBytes(clientFile()), TestClientFile(4));
        QVERIFY(cli({"export", "--program-dir", "P", "--data-dir", "D"}).out.startsWith(plain.out));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
