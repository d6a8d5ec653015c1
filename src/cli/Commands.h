#pragma once
// The subcommands of veltrane-cli; each takes the arguments after its name and returns the exit status (0 success,
// 1 failure with a message; the older commands give 2 for bad arguments, export, backup and restore give 1).

#include "AuditTrail.h"

#include <QHash>
#include <QStringList>
#include <optional>

class ClientTable;
class LocationLock;
struct FileError;

// A command's options with a value and its flags, each at most once.
struct Args {
    QHash<QString, QString> values;
    QStringList flags;
    bool help = false;
    QString error;
};
Args parse(const QStringList& args, const QStringList& valueOptions, const QStringList& flagOptions);
// Says "veltrane-cli COMMAND: MESSAGE" (and the usage) on standard error; returns 1.
int fail(const char* command, const QString& message, const char* usage = nullptr);
// The arguments' problem, or the missing required options; empty when the command can run.
QString argumentProblem(const Args& a, const QStringList& required);
QString shown(const QString& path);
// A folder that must exist; an empty string when it does.
QString missingFolder(const QString& what, const QString& path);
// A --data-dir that does not exist, or that is encrypted and was not unlocked; empty when it may be read.
QString dataDirProblem(const Args& a, const QString& data);
// Reads the client file of the location `data` into `table`, never creating one; what the command says when it
// cannot be read or is damaged, else empty. `notice` gets the loader's warning to show once.
QString LoadCommandClients(ClientTable& table, const QString& data, QString* notice = nullptr);
// Takes the location's lock; who holds it, in a sentence, when another program does.
QString takeLock(LocationLock& lock, const QString& data);
// A command's one entry in the trail of a location whose lock it holds; what went wrong, or empty.
QString record(ClientTable& table, const QString& event, AuditDetails details,
               const QString& outcome = QStringLiteral("ok"));

// The program folder a command works on: `given` when not empty, else the folder the program itself runs on (its
// own folder where it was built, else the user's site folder, prepared as the program prepares it). Empty, after a
// message on standard error, when there is none.
QString CommandProgramDir(const QString& given);

// The user's site folder, where the results store is kept by default.
QString CommandSiteFolder();

// The folders whose files no output of a command may replace: the program folder, the site folder and the data
// location (see PrivateFile::OutputRefusal).
QStringList CommandOwnFolders(const QString& programDir, const QString& dataDir);

// What a command says when the client table's loader could not read the client file of a location (given
// ClientTable::MissingFile::Refuse, so that a command never creates one).
QString ClientFileProblem(const ClientTable& table, const FileError& error);

// sound-list PROGRAM_DIR LIST: the wave files of the question tables and instructions screens, and what they say.
int soundListCommand(const QStringList& args);
// answer-sheet [--program-dir DIR] --pdf FILE: the blank answer sheet, drawn from the ScanItem table, as PDF.
int AnswerSheetCommand(const QStringList& args);
// read-sheet [--program-dir DIR] IMAGE...: reads sheet images as a scan does; prints one JSON object a line for
// each (what it holds, or why it was refused), in the order given; exit status 1 when any was refused.
int ReadSheetCommand(const QStringList& args);
// report [--program-dir DIR] [--data-dir DIR] --client N [--scores] [--pdf FILE]
int runReport(const QStringList& args);
// export [--program-dir DIR] [--data-dir DIR] [--format csv|json] [--deidentified] [--output FILE|-]
int ExportCommand(const QStringList& args);
// backup --data-dir DIR --to FOLDER
int BackupCommand(const QStringList& args);
// restore --from FILE --data-dir DIR [--yes]
int RestoreCommand(const QStringList& args);
// audit --data-dir DIR [--client N] [--verify [--head COUNT:TAG]] [--format text|csv|json]
int AuditCommand(const QStringList& args);

// The lines of a passphrase file (line ends removed); false with `error` set when it cannot be read or is empty.
bool PassphraseLines(const QString& file, QStringList& lines, QString& error);
// One line typed on the terminal (/dev/tty) with echo off after `prompt`; nothing without a terminal.
std::optional<QString> PassphraseFromTerminal(const QString& prompt);
// Unlocks the key slots `slotFile` for `folder` (empty: for reading a backup) when they are there and not unlocked
// yet: with the first line of `passphraseFile`, else typed on the terminal (three tries). Empty, or why not; `what`
// names the location or backup in messages.
QString UnlockForCommand(const QString& slotFile, const QString& folder, const QString& passphraseFile,
                         const QString& what);
// The same for the data location `data` of a --data-dir option: every such command calls it before reading there.
QString UnlockDataDir(const QString& data, const QString& passphraseFile);
// protect --data-dir DIR encrypt|change|remove [--passphrase-file FILE] [--recovery-passphrase-file FILE]
int ProtectCommand(const QStringList& args);
// publish [--program-dir DIR] [--data-dir DIR] [--to TARGET]
int PublishCommand(const QStringList& args);
// import FILE.vltbundle --to TARGET
int ImportCommand(const QStringList& args);
// summary --from TARGET [--office NAME] [--since DATE] [--format text|csv|json]
int SummaryCommand(const QStringList& args);
