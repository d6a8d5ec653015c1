// veltrane-cli export, backup and restore: every client's scores as CSV or JSON, and the client file of a data
// location copied out and put back.

#include "Commands.h"

#include "ClientFileBackup.h"
#include "ClientRecord.h"
#include "ClientTable.h"
#include "LocationLock.h"
#include "LocationProtection.h"
#include "PrivateFile.h"
#include "RecordDamage.h"
#include "Profile.h"
#include "ReportWriter.h"
#include "SafeWrite.h"
#include "ScoreExport.h"
#include "Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

const char* kExportUsage =
    "usage: veltrane-cli export [--program-dir DIR] [--data-dir DIR] [--format csv|json] [--deidentified]\n"
    "                           [--output FILE|-]\n"
    "\n"
    "Scores every client of the data location, as the report does, and writes one row (CSV) or one object (JSON)\n"
    "per client in client order: client, name, date_of_birth, test_date, then raw points, percentile and range\n"
    "(low, medium, problem, maximum or not_scored) of scales 1 to 6, invalid, and the demographic codes and court\n"
    "counts as stored.\n"
    "\n"
    "  --program-dir DIR  the program folder (QNB.TXT, QNRPT.TXT and the paragraph files); by default the folder\n"
    "                     the program runs on (see veltrane-cli --help)\n"
    "  --data-dir DIR     the data location holding DATA401.QN; by default the one the program last opened\n"
    "  --passphrase-file FILE  the passphrase of an encrypted data location (and backup), on the first line of\n"
    "                  FILE; without it the passphrase is typed on the terminal, not shown\n"
    "  --format csv|json  CSV (RFC 4180, UTF-8 with a byte-order mark, CR LF; the default) or a JSON array\n"
    "  --deidentified     leave out name and date of birth; give age_at_test in whole years instead\n"
    "  --output FILE|-    write FILE (replaced safely, mode 0600) instead of standard output (-); never a file\n"
    "                     of the program folder or data location, a device, a pipe or a link\n"
    "\n"
    "A location with an audit trail adds its head (see audit) as a last CSV line audit_head,COUNT:TAG or a field\n"
    "audit_head of each JSON object, and records the export in the trail.\n"
    "A client that cannot be scored gets a row with empty scale fields and a message on standard error.\n"
    "Exit status: 0 every client scored; 1 a client could not be scored, or a bad argument, folder or file.\n";

const char* kBackupUsage =
    "usage: veltrane-cli backup --data-dir DIR --to FOLDER\n"
    "\n"
    "Copies the client file DATA401.QN of the data location into FOLDER as DATA401-yyyy-mm-dd-hhmmss.QN, written\n"
    "through a temporary file and read back to check it, with the image hashes, the journal and the notes beside it\n"
    "(.SHA, .JNL, .NTS under the same name). Prints the backup's path.\n"
    "\n"
    "  --data-dir DIR  the data location holding DATA401.QN\n"
    "  --passphrase-file FILE  the passphrase of an encrypted data location (and backup), on the first line of\n"
    "                  FILE; without it the passphrase is typed on the terminal, not shown\n"
    "  --to FOLDER     an existing folder for the backup (never a file is written over)\n"
    "\n"
    "Not while a program has the data location open: the command then says who holds it and copies nothing.\n"
    "Exit status: 0 backed up; 1 a bad argument, a missing folder or file, the location in use, or a damaged\n"
    "client file (which is still copied as it is).\n";

const char* kRestoreUsage =
    "usage: veltrane-cli restore --from FILE --data-dir DIR [--yes]\n"
    "\n"
    "Puts a backup in place of the client file DATA401.QN of the data location. The backup must be a client file\n"
    "(whole records, fields of the forms the program writes). The present client file is first kept beside it as\n"
    "DATA401-yyyy-mm-dd-hhmmss-replaced.QN. The backup's .SHA, .JNL and .NTS come back with it; notes and image\n"
    "hashes that do not match the restored clients are dropped. On a terminal you are asked before anything is\n"
    "replaced.\n"
    "\n"
    "  --from FILE     the backup\n"
    "  --data-dir DIR  the data location holding DATA401.QN\n"
    "  --passphrase-file FILE  the passphrase of an encrypted data location (and backup), on the first line of\n"
    "                  FILE; without it the passphrase is typed on the terminal, not shown\n"
    "  --yes           replace without asking (needed when standard input is not a terminal, and for a\n"
    "                  read-only client file)\n"
    "\n"
    "Not while a program has the data location open: the command then says who holds it and changes nothing.\n"
    "Exit status: 0 restored; 1 a bad argument, a missing folder or file, a damaged backup, the location in\n"
    "use, or not confirmed.\n";

} // namespace

// Options with a value and flags, each at most once.
Args parse(const QStringList& args, const QStringList& givenValueOptions, const QStringList& flagOptions)
{
    Args a;
    // Every command that reads a data location may find it encrypted.
    QStringList valueOptions = givenValueOptions;
    if (valueOptions.contains(QStringLiteral("--data-dir")))
        valueOptions << QStringLiteral("--passphrase-file");
    for (qsizetype i = 0; i < args.size() && a.error.isEmpty(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            a.help = true;
        } else if (flagOptions.contains(arg)) {
            if (a.flags.contains(arg))
                a.error = QStringLiteral("%1 is given twice").arg(arg);
            a.flags << arg;
        } else if (valueOptions.contains(arg)) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                a.error = QStringLiteral("%1 needs a value").arg(arg);
            else if (a.values.contains(arg))
                a.error = QStringLiteral("%1 is given twice").arg(arg);
            else
                a.values.insert(arg, args[++i]);
        } else {
            a.error = QStringLiteral("unknown argument '%1'").arg(arg);
        }
    }
    return a;
}

int fail(const char* command, const QString& message, const char* usage)
{
    std::fprintf(stderr, "veltrane-cli %s: %s\n", command, qPrintable(message));
    if (usage)
        std::fprintf(stderr, "\n%s", usage);
    return 1;
}

// The arguments' problem, or the missing required options; empty when the command can run.
QString argumentProblem(const Args& a, const QStringList& required)
{
    if (!a.error.isEmpty())
        return a.error;
    QStringList missing;
    for (const QString& r : required)
        if (!a.values.contains(r))
            missing << r;
    if (missing.isEmpty())
        return {};
    return (missing.size() == 1 ? QStringLiteral("%1 is required") : QStringLiteral("%1 are required"))
        .arg(missing.join(QStringLiteral(", ")));
}

// A folder that must exist; an empty string when it does.
QString missingFolder(const QString& what, const QString& path)
{
    return QFileInfo(path).isDir() ? QString() : QStringLiteral("The %1 %2 does not exist.").arg(what, shown(path));
}

QString dataDirProblem(const Args& a, const QString& data)
{
    if (QString missing = missingFolder(QStringLiteral("data folder"), data); !missing.isEmpty())
        return missing;
    return UnlockDataDir(data, a.values.value(QStringLiteral("--passphrase-file")));
}

QString LoadCommandClients(ClientTable& table, const QString& data, QString* notice)
{
    table.setDataPath(data);
    // A command must not change the location it reads, so a missing client file is not created.
    QByteArray bytes;
    const ClientTable::LoadResult loaded = table.LoadClients(ClientTable::MissingFile::Refuse, &bytes);
    if (loaded.error)
        return ClientFileProblem(table, loaded.error);
    if (const QString damage = CheckClientFile(bytes); !damage.isEmpty() && !bytes.isEmpty())
        return QStringLiteral("The client file %1 is damaged: %2").arg(shown(table.ClientFilePath), damage);
    if (notice)
        *notice = loaded.notice;
    return {};
}

// Backup and restore read or replace the client file whole: never under a program that has the location open, even
// one stopped but alive, whose next save would write its old clients back.
QString takeLock(LocationLock& lock, const QString& data)
{
    const LocationLock::Attempt a = lock.acquire(data);
    if (a.status != LocationLock::Status::InUse)
        return {};
    return QStringLiteral("The data location %1 is in use by %2. Close the program there first. Nothing was changed.")
        .arg(shown(data), a.holder.isEmpty() ? QStringLiteral("another copy of Veltrane") : a.holder);
}

int clientsIn(const QString& clientFile)
{
    const qint64 size = QFileInfo(clientFile).size();
    return static_cast<int>((size + ClientRecord::Size - 1) / ClientRecord::Size);
}

// A command's one entry in the trail of a location whose lock it holds; what went wrong, or empty.
QString record(ClientTable& table, const QString& event, AuditDetails details, const QString& outcome)
{
    FileError e = table.audit.open(table.DataPath, clientsIn(table.ClientFilePath) > 0);
    if (!e)
        e = table.audit.append(event, 0, details << qMakePair(QStringLiteral("by"), QStringLiteral("veltrane-cli")),
                               outcome);
    table.audit.close(false);
    return e ? QStringLiteral("The audit trail could not be written: %1.").arg(e.description) : QString();
}

namespace {

const char* kAuditUsage =
    "usage: veltrane-cli audit --data-dir DIR [--client N] [--verify [--head COUNT:TAG]] [--format text|csv|json]\n"
    "\n"
    "Lists the audit trail DATA401.AUD of the data location, oldest entry first, and its head (the number of\n"
    "entries and the last entry's seal shortened to 16 hexadecimal digits) as the last line. Names and dates of\n"
    "birth appear only as keyed fingerprints (hmac:...).\n"
    "\n"
    "  --data-dir DIR       the data location holding DATA401.QN and its trail\n"
    "  --passphrase-file FILE  the passphrase of an encrypted data location (and backup), on the first line of\n"
    "                  FILE; without it the passphrase is typed on the terminal, not shown\n"
    "  --client N           only the entries of client N\n"
    "  --verify             check every entry's seal and the order of the entries instead of listing them\n"
    "  --head COUNT:TAG     with --verify: a head noted earlier; a trail cut short below it fails\n"
    "  --format text|csv|json  text (the default), CSV (UTF-8 with a byte-order mark, CR LF) or a JSON object\n"
    "\n"
    "Exit status: 0 listed, or the trail holds; 1 the first failing entry (said on standard output), a bad\n"
    "argument or a missing folder or trail.\n";

} // namespace

int ExportCommand(const QStringList& args)
{
    const char* name = "export";
    const Args a = parse(args,
                         {QStringLiteral("--program-dir"), QStringLiteral("--data-dir"), QStringLiteral("--format"),
                          QStringLiteral("--output")},
                         {QStringLiteral("--deidentified")});
    if (a.help) {
        std::fputs(kExportUsage, stdout);
        return 0;
    }
    if (const QString p = argumentProblem(a, {}); !p.isEmpty())
        return fail(name, p, kExportUsage);
    const QString format = a.values.value(QStringLiteral("--format"), QStringLiteral("csv"));
    if (format != QLatin1String("csv") && format != QLatin1String("json"))
        return fail(name, QStringLiteral("--format must be csv or json, not '%1'").arg(format), kExportUsage);

    const QString given = a.values.value(QStringLiteral("--program-dir"));
    if (const QString p = given.isEmpty() ? QString() : missingFolder(QStringLiteral("program folder"), given);
        !p.isEmpty())
        return fail(name, p);
    const QString program = QDir::cleanPath(CommandProgramDir(given));
    if (program.isEmpty() || program == QLatin1String("."))
        return 1;
    const QString data = QDir::cleanPath(a.values.value(
        QStringLiteral("--data-dir"), GetINIFilePath(Profile(program + QStringLiteral("/Quillan.ini")))));
    if (const QString p = dataDirProblem(a, data); !p.isEmpty())
        return fail(name, p);
    const QString output = a.values.value(QStringLiteral("--output"), QStringLiteral("-"));
    const QStringList own = CommandOwnFolders(program, data);
    // Checked before any client is scored, and not again when it is written.
    const PrivateFile::CheckedOutput target = PrivateFile::CheckOutput(output, own);
    if (output != QLatin1String("-") && target.refused())
        return fail(name, QStringLiteral("Nothing was exported. %1").arg(target.refusal()));
    ClientTable table;
    QString notice;
    if (const QString p = LoadCommandClients(table, data, &notice); !p.isEmpty())
        return fail(name, p);
    if (!notice.isEmpty())
        std::fprintf(stderr, "veltrane-cli export: %s\n", qPrintable(notice));

    const QString brand = GetINIBrandCode(Profile(program + QStringLiteral("/Quillan.ini")));
    const ScoreExport out = ExportScores(program, table, brand.isEmpty() ? PublisherBrandCode : brand.at(0),
                                         {format == QLatin1String("json") ? ExportFormat::Json : ExportFormat::Csv,
                                          a.flags.contains(QStringLiteral("--deidentified")),
                                          AuditTrail::headOf(data)});
    if (out.error)
        return fail(name, out.error.message);
    if (output == QLatin1String("-")) {
        if (std::fwrite(out.bytes.constData(), 1, static_cast<size_t>(out.bytes.size()), stdout) !=
                static_cast<size_t>(out.bytes.size()) ||
            std::fflush(stdout) != 0)
            return fail(name, QStringLiteral("The export could not be written to standard output: %1.")
                                  .arg(PrivateFile::ErrorText(errno)));
    } else if (const QString e = WriteOutputSafely(target, out.bytes); !e.isEmpty()) {
        return fail(name, e);
    }
    // Recorded only under the location's lock; a program that holds it keeps its trail to itself.
    LocationLock lock;
    const AuditDetails details = {{QStringLiteral("file"), output == QLatin1String("-") ? QStringLiteral("standard output") : output},
                                  {QStringLiteral("format"), format},
                                  {QStringLiteral("deidentified"), a.flags.contains(QStringLiteral("--deidentified")) ? QStringLiteral("yes") : QStringLiteral("no")}};
    if (!takeLock(lock, data).isEmpty())
        std::fprintf(stderr, "veltrane-cli export: not recorded in the audit trail: the data location is in use.\n");
    else if (const QString e = record(table, QStringLiteral("export"), details); !e.isEmpty())
        return fail(name, e);
    for (const QString& problem : out.problems)
        std::fprintf(stderr, "veltrane-cli export: %s\n", qPrintable(problem));
    return out.problems.isEmpty() ? 0 : 1;
}

int AuditCommand(const QStringList& args)
{
    const char* name = "audit";
    const Args a = parse(args,
                         {QStringLiteral("--data-dir"), QStringLiteral("--client"), QStringLiteral("--head"),
                          QStringLiteral("--format")},
                         {QStringLiteral("--verify")});
    if (a.help) {
        std::fputs(kAuditUsage, stdout);
        return 0;
    }
    if (const QString p = argumentProblem(a, {QStringLiteral("--data-dir")}); !p.isEmpty())
        return fail(name, p, kAuditUsage);
    const QString format = a.values.value(QStringLiteral("--format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("csv") && format != QLatin1String("json"))
        return fail(name, QStringLiteral("--format must be text, csv or json, not '%1'").arg(format), kAuditUsage);
    bool ok = true;
    const int client = a.values.value(QStringLiteral("--client"), QStringLiteral("0")).toInt(&ok);
    if (!ok || client < 0 || client > ClientTable::MaxClients)
        return fail(name, QStringLiteral("--client must be a client number from 1 to %1").arg(ClientTable::MaxClients),
                    kAuditUsage);
    std::optional<AuditHead> head;
    if (a.values.contains(QStringLiteral("--head"))) {
        head = AuditHead::parse(a.values.value(QStringLiteral("--head")));
        if (!head || !a.flags.contains(QStringLiteral("--verify")))
            return fail(name, QStringLiteral("--head needs --verify and the form COUNT:TAG (16 hexadecimal digits)"),
                        kAuditUsage);
    }
    const QString data = QDir::cleanPath(a.values.value(QStringLiteral("--data-dir")));
    if (const QString p = dataDirProblem(a, data); !p.isEmpty())
        return fail(name, p);
    QByteArray trail;
    const AuditVerification v = AuditTrail::verifyFolder(data, head, &trail);
    if (trail.isEmpty() && !QFileInfo::exists(data + QLatin1Char('/') + QLatin1String(AuditTrail::FileName)))
        return fail(name, QStringLiteral("The data location %1 has no audit trail yet: it begins when the program "
                                         "first opens the location.")
                              .arg(shown(data)));
    QList<AuditEntry> entries = AuditTrail::parse(trail);
    if (client > 0)
        entries.removeIf([client](const AuditEntry& e) { return e.slot != client; });
    const AuditHead shownHead = v.holds() ? v.head : AuditHead{AuditTrail::parse(trail).size(), QString()};
    QByteArray out;
    if (a.flags.contains(QStringLiteral("--verify"))) {
        const QString said = v.holds() ? QStringLiteral("The trail holds: %1 entries, head %2.")
                                             .arg(v.head.count)
                                             .arg(v.head.text())
                                       : v.message;
        if (format == QLatin1String("json"))
            out = QJsonDocument(QJsonObject{{QStringLiteral("holds"), v.holds()},
                                            {QStringLiteral("entry"), v.entry},
                                            {QStringLiteral("message"), said},
                                            {QStringLiteral("head"), v.holds() ? v.head.text() : QString()}})
                      .toJson(QJsonDocument::Indented);
        else
            out = said.toUtf8() + '\n';
    } else if (format == QLatin1String("csv")) {
        out = AuditCsv(entries, shownHead);
    } else if (format == QLatin1String("json")) {
        QJsonArray list;
        for (const AuditEntry& e : entries)
            list.append(QJsonObject{{QStringLiteral("seq"), e.seq},
                                    {QStringLiteral("utc"), e.utc},
                                    {QStringLiteral("offset"), e.offset},
                                    {QStringLiteral("user"), e.user},
                                    {QStringLiteral("computer"), e.computer},
                                    {QStringLiteral("version"), e.version},
                                    {QStringLiteral("client"), e.slot ? QJsonValue(e.slot) : QJsonValue()},
                                    {QStringLiteral("event"), e.event},
                                    {QStringLiteral("outcome"), e.outcome},
                                    {QStringLiteral("details"), e.detailsText()}});
        out = QJsonDocument(QJsonObject{{QStringLiteral("entries"), list},
                                        {QStringLiteral("head"), shownHead.text()},
                                        {QStringLiteral("holds"), v.holds()}})
                  .toJson(QJsonDocument::Indented);
    } else {
        for (const AuditEntry& e : entries)
            out += QStringLiteral("%1 %2 %3 %4@%5 %6 %7 %8 %9 %10\n")
                       .arg(e.seq)
                       .arg(e.utc, e.offset, e.user, e.computer, e.version,
                            e.slot ? QStringLiteral("client=%1").arg(e.slot) : QStringLiteral("-"), e.event,
                            e.outcome, e.detailsText())
                       .toUtf8();
        out += "head " + shownHead.text().toUtf8() + (v.holds() ? "" : " (the trail does not hold)") + '\n';
    }
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    if (std::fflush(stdout) != 0)
        return 1;
    return v.holds() ? 0 : 1;
}

int BackupCommand(const QStringList& args)
{
    const char* name = "backup";
    const Args a = parse(args, {QStringLiteral("--data-dir"), QStringLiteral("--to")}, {});
    if (a.help) {
        std::fputs(kBackupUsage, stdout);
        return 0;
    }
    if (const QString p = argumentProblem(a, {QStringLiteral("--data-dir"), QStringLiteral("--to")}); !p.isEmpty())
        return fail(name, p, kBackupUsage);
    const QString data = QDir::cleanPath(a.values.value(QStringLiteral("--data-dir")));
    const QString to = QDir::cleanPath(a.values.value(QStringLiteral("--to")));
    for (const QString& p :
         {dataDirProblem(a, data), missingFolder(QStringLiteral("backup folder"), to)})
        if (!p.isEmpty())
            return fail(name, p);
    ClientTable table;
    table.setDataPath(data);
    LocationLock lock;
    if (const QString held = takeLock(lock, data); !held.isEmpty())
        return fail(name, held);
    const BackupOutcome out = BackUpClientFile(table.ClientFilePath, to, QDateTime::currentDateTime());
    if (!out.error.isEmpty())
        return fail(name, out.error);
    if (const QString e = record(table, QStringLiteral("backup"), {{QStringLiteral("file"), out.path}}); !e.isEmpty())
        return fail(name, e);
    std::printf("%s\n", qPrintable(shown(out.path)));
    if (!out.warning.isEmpty())
        return fail(name, out.warning);
    return 0;
}

int RestoreCommand(const QStringList& args)
{
    const char* name = "restore";
    const Args a = parse(args, {QStringLiteral("--from"), QStringLiteral("--data-dir")}, {QStringLiteral("--yes")});
    if (a.help) {
        std::fputs(kRestoreUsage, stdout);
        return 0;
    }
    if (const QString p = argumentProblem(a, {QStringLiteral("--from"), QStringLiteral("--data-dir")}); !p.isEmpty())
        return fail(name, p, kRestoreUsage);
    const QString data = QDir::cleanPath(a.values.value(QStringLiteral("--data-dir")));
    if (const QString p = dataDirProblem(a, data); !p.isEmpty())
        return fail(name, p);
    ClientTable table;
    table.setDataPath(data);
    const QString from = a.values.value(QStringLiteral("--from"));
    // A backup of another encrypted location (or of this one before it was encrypted anew) has keys of its own.
    if (QByteArray probe; PrivateFile::Read(from, probe, 64) == ENOKEY)
        if (const QString p = UnlockForCommand(LocationProtection::SlotFileOfBackup(from), QString(),
                                               a.values.value(QStringLiteral("--passphrase-file")),
                                               QStringLiteral("the backup %1").arg(shown(from)));
            !p.isEmpty())
            return fail(name, p);
    const BackupContents backup = ReadBackup(from);
    if (!backup.error.isEmpty())
        return fail(name, backup.error + QStringLiteral(" Nothing was changed."));

    LocationLock lock;
    if (const QString held = takeLock(lock, data); !held.isEmpty())
        return fail(name, held);
    const QFileInfo present(table.ClientFilePath);
    const bool readOnly = present.exists() && !(present.permissions() & QFile::WriteOwner);
    if (!a.flags.contains(QStringLiteral("--yes"))) {
        if (!::isatty(STDIN_FILENO))
            return fail(name, QStringLiteral("Nothing was changed: standard input is not a terminal to ask on. Add "
                                             "--yes to replace the client file without asking.") +
                                  (readOnly ? QStringLiteral(" The client file %1 is read-only.")
                                                  .arg(shown(table.ClientFilePath))
                                            : QString()));
        std::fprintf(stderr,
                     "Replace the client file %s (%d clients) with the backup %s (%d clients)?\n%s"
                     "The present client file is kept as a backup of its own. [y/N] ",
                     qPrintable(shown(table.ClientFilePath)), clientsIn(table.ClientFilePath),
                     qPrintable(shown(backup.path)), backup.clients,
                     readOnly ? "The client file is read-only; it is replaced all the same.\n" : "");
        std::fflush(stderr);
        char answer[16] = {};
        if (!std::fgets(answer, sizeof answer, stdin) || (answer[0] != 'y' && answer[0] != 'Y'))
            return fail(name, QStringLiteral("Nothing was changed."));
    }
    const RestoreOutcome out = RestoreClientFile(table.ClientFilePath, backup, QDateTime::currentDateTime());
    if (!out.error.isEmpty())
        return fail(name, out.error);
    if (const QString e = record(table, QStringLiteral("restore"),
                                 {{QStringLiteral("file"), backup.path}, {QStringLiteral("kept"), out.keptPath}});
        !e.isEmpty())
        return fail(name, e);
    std::printf("Restored %d clients into %s.\n", backup.clients, qPrintable(shown(table.ClientFilePath)));
    if (readOnly)
        std::printf("The client file was read-only and still is.\n");
    if (!out.keptPath.isEmpty())
        std::printf("The client file it replaced is kept as %s.\n", qPrintable(shown(out.keptPath)));
    // Records of the program's forms may still hold values no client gave (an answer outside its item, a date that
    // never was): say which, as the report will, so that the restore is not taken for a sound one.
    ClientTable restored;
    restored.LoadFromBytes(backup.bytes);
    for (int n = 1; n <= restored.NumClients; ++n)
        if (const QString damage = restored.damage(n); !damage.isEmpty())
            std::printf("%s has a damaged record: its %s. It was restored as it is; no report is made for it until "
                        "it is mended.\n",
                        qPrintable(ClientLabel(restored.Clients[n], n, false)), qPrintable(damage));
    return 0;
}
