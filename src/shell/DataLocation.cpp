#include "DataLocation.h"

#include "ClientFileBackup.h"
#include "ClientTable.h"
#include "LocationProtection.h"
#include "PrivateFile.h"
#include "SealedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <unistd.h>

namespace {

bool isNoTestInformation(int n, bool withPathNotFound)
{
    switch (n) {
    case FileError::BadFileName:
    case FileError::FileNotFound:
    case FileError::DeviceIO:
    case FileError::DiskNotReady:
    case FileError::DbFileNotFound:
    case FileError::DbInvalidPath:
    case FileError::DbCannotOpen:
        return true;
    case FileError::PathNotFound:
        return withPathNotFound;
    default:
        return false;
    }
}

FileError writeTest(const QString& dataPath)
{
    const QString path = dataPath + QStringLiteral("/checkWriteTest");
    const QByteArray native = QFile::encodeName(path);
    if (::unlink(native.constData()) != 0 && errno != ENOENT)
        return FileError::fromErrno(errno, path);
    const int err = PrivateFile::Create(path, "test\n");
    if (err != EEXIST)
        ::unlink(native.constData());
    return FileError::fromErrno(err, path);
}

// Another program may have the location open: ask for its lock before anything is read or changed there. A location
// that cannot carry a lock (not writable, missing, no lock support) goes on to the usual checks, which tell why. The
// lock is taken into `lock`; the table's own lock (of the location open now) is left alone.
FileError lockLocation(const ClientTable& table, const QString& path, LocationLock& lock, QString& deadHolder)
{
    if (table.locationLock.holds(path))
        return {};
    const LocationLock::Attempt attempt = lock.acquire(path);
    if (attempt.status == LocationLock::Status::InUse)
        return {FileError::LocationInUse, attempt.holder};
    deadHolder = attempt.deadHolder;
    return {};
}

// A disk taken out and put back has lost the lock its opening took (the lock was on the disk that went away): take it
// again before writing, so that a program that opened the disk meanwhile is noticed. Nothing is tried while the disk
// is still out, so no lock file lands in the bare folder a drive leaves behind.
FileError relockLocation(ClientTable& table)
{
    if (!table.locationLock.isHeld() || table.locationLock.holds(table.DataPath) ||
        !QFileInfo::exists(table.ClientFilePath))
        return {};
    LocationLock again;
    const LocationLock::Attempt attempt = again.acquire(table.DataPath);
    if (attempt.status == LocationLock::Status::InUse)
        return {FileError::LocationInUse,
                attempt.holder.isEmpty() ? QStringLiteral("another copy of %1").arg(AppTitle()) : attempt.holder};
    if (attempt.status == LocationLock::Status::Held)
        table.locationLock = std::move(again);
    return {};
}

} // namespace

OpenResult OpenDataLocation(ClientTable& table, const QString& path)
{
    LocationLock lock;
    const bool same = table.locationLock.holds(path);
    QString deadHolder;
    if (FileError e = lockLocation(table, path, lock, deadHolder))
        return {e, {}};
    // A conversion a killed program left half done is settled first, so what follows sees one whole location.
    if (!same && lock.isHeld())
        if (const QString e = LocationProtection::FinishConversion(path); !e.isEmpty())
            return {{FileError::DeviceIO, e}, {}};
    if (LocationProtection::IsEncrypted(path) && !SealedFiles::IsUnlocked(path))
        return {{FileError::LocationLocked, LocationProtection::SlotFilePath(path)}, {}};
    // Until the new location has opened whole, the one open now stays as it was: its clients, paths and lock.
    const auto clients = table.Clients;
    const int16_t count = table.NumClients, current = table.CurClient;
    const QString dataPath = table.DataPath, clientFilePath = table.ClientFilePath;
    table.setDataPath(path);
    const ClientTable::LoadResult loaded = table.LoadClients();
    FileError e = loaded.error ? loaded.error : writeTest(path);
    // Reached only with the lock held, or on a location that cannot carry one (the trail's own lock then holds).
    if (!e && (!same || !table.audit.isOpen()))
        e = table.audit.open(path, table.NumClients > 0);
    if (!e) {
        AuditDetails d = {{QStringLiteral("clients"), QString::number(table.NumClients)}};
        if (!deadHolder.isEmpty())
            d.append({QStringLiteral("lock-taken-over-from"), deadHolder});
        e = table.audit.append(QStringLiteral("location-opened"), 0, d);
    }
    if (e) {
        table.Clients = clients;
        table.NumClients = count;
        table.CurClient = current;
        table.DataPath = dataPath;
        table.ClientFilePath = clientFilePath;
        return {e, {}};
    }
    if (!same) {
        table.locationLock = std::move(lock);
        if (table.locationLock.isHeld())
            PrivateFile::RemoveLeftovers(path); // saves of a program that died; no live program is saving here now
    }
    return {{}, loaded.notice};
}

QString CloseLocationKeys(const QString& dataPath, const QString& workstationFolder)
{
    if (!SealedFiles::IsUnlocked(dataPath))
        return {};
    SealedFiles::Lock(dataPath);
    if (workstationFolder.isEmpty())
        return {};
    // Plain copies of the encrypted clients kept on the workstation: the report, its numbered copies, the scans.
    static const QRegularExpression copies(QStringLiteral("^(report\\.prn|temp\\d+|Raw\\.bmp|Scan\\.bmp)$"));
    for (const QFileInfo& f : QDir(workstationFolder).entryInfoList(QDir::Files | QDir::System))
        if (copies.match(f.fileName()).hasMatch() && !QFile::remove(f.filePath()))
            return QStringLiteral("The file %1, which holds a client's data, could not be removed.")
                .arg(QDir::toNativeSeparators(f.filePath()));
    return {};
}

namespace {

bool askPassphrase(const QString& shown, const QString& slotFile, const QString& folder, Prompts& prompts)
{
    for (;;) {
        const std::optional<QString> typed = prompts.askSecret(
            QStringLiteral("Passphrase"),
            QStringLiteral("%1 is encrypted. Type its passphrase (or the recovery passphrase) to open it.").arg(shown));
        if (!typed)
            return false;
        const LocationProtection::UnlockResult r = LocationProtection::Unlock(slotFile, *typed, folder);
        if (r.ok())
            return true;
        const bool again = r.status == LocationProtection::UnlockResult::Status::WrongPassphrase;
        prompts.message(r.message, AppTitle(), again ? Prompts::Icon::Exclamation : Prompts::Icon::Critical,
                        Prompts::Buttons::Ok);
        if (!again)
            return false;
    }
}

} // namespace

bool AskLocationPassphrase(const QString& folder, Prompts& prompts)
{
    return askPassphrase(QStringLiteral("The data location %1").arg(QDir::toNativeSeparators(folder)),
                         LocationProtection::SlotFilePath(folder), folder, prompts);
}

bool AskBackupPassphrase(const QString& backupClientFile, Prompts& prompts)
{
    const QString slotFile = LocationProtection::SlotFileOfBackup(backupClientFile);
    if (!QFileInfo::exists(slotFile))
        return false;
    return askPassphrase(QStringLiteral("The backup %1").arg(QDir::toNativeSeparators(backupClientFile)), slotFile,
                         QString(), prompts);
}

ErrorPrompt DataLocationErrorPrompt(const FileError& e, const QString& candidate)
{
    if (e.number == FileError::FileDamaged)
        return {e.description + QStringLiteral(".\r\rNothing on the data location was changed. Restore the file "
                                               "from a backup, or choose another drive."),
                AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok};
    if (e.number == FileError::LocationInUse)
        return {QStringLiteral("The data disk in drive ") + QDir::toNativeSeparators(candidate) +
                    QStringLiteral(" is in use by ") +
                    (e.description.isEmpty() ? QStringLiteral("another copy of %1").arg(AppTitle()) : e.description) +
                    QStringLiteral(", would you like to try another drive?"),
                AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::YesNo};
    if (isNoTestInformation(e.number, true))
        return {QStringLiteral("No test information found on drive ") + QDir::toNativeSeparators(candidate) +
                    QStringLiteral(", would you like to try another drive?"),
                AppTitle(), Prompts::Icon::None, Prompts::Buttons::YesNo};
    if (e.number == FileError::PermissionDenied)
        return {QStringLiteral("Data disk write protected!\r\rSet the data disk to writable and replace in drive."),
                QStringLiteral("Data Disk Error"), Prompts::Icon::Critical, Prompts::Buttons::OkCancel};
    return {QStringLiteral("Error %1:%2").arg(e.number).arg(e.description), AppTitle(), Prompts::Icon::None,
            Prompts::Buttons::Ok};
}

LocationOutcome DataLocationOutcome(const FileError& e, Prompts::Answer answer)
{
    if (e.number == FileError::FileDamaged)
        return LocationOutcome::TryAnother;
    if (e.number == FileError::LocationInUse || isNoTestInformation(e.number, true))
        return answer == Prompts::Answer::Yes ? LocationOutcome::TryAnother : LocationOutcome::EndProgram;
    if (e.number == FileError::PermissionDenied)
        return answer == Prompts::Answer::Ok ? LocationOutcome::Retry : LocationOutcome::Stop;
    return LocationOutcome::Stop;
}

ErrorPrompt StartUpErrorPrompt(const FileError& e)
{
    if (isNoTestInformation(e.number, false))
        return {QStringLiteral("Data disk not found!\r\rInsert data disk in drive A to continue."),
                QStringLiteral("Data Disk Error"), Prompts::Icon::Critical, Prompts::Buttons::OkCancel};
    if (e.number == FileError::PermissionDenied)
        return {QStringLiteral("Data disk write protected!\r\rSet the data disk to writeable and replace in drive."),
                QStringLiteral("Data Disk Error"), Prompts::Icon::Critical, Prompts::Buttons::OkCancel};
    return {QStringLiteral("Error %1:%2").arg(e.number).arg(e.description), AppTitle(), Prompts::Icon::None,
            Prompts::Buttons::Ok};
}

FileError SaveClientAsking(ClientTable& table, int16_t index, Prompts& prompts)
{
    for (;;) {
        FileError e = relockLocation(table);
        if (!e)
            e = table.SaveClient(index);
        if (!e)
            return e;
        ErrorPrompt box;
        if (e.number == FileError::LocationInUse) {
            box = {QStringLiteral("The data disk in drive %1 is in use by %2. Close the program there, then press OK "
                                  "to save again.")
                       .arg(QDir::toNativeSeparators(table.DataPath), e.description),
                   QStringLiteral("Data Disk Error"), Prompts::Icon::Critical, Prompts::Buttons::OkCancel};
        } else {
            // A folder that vanished is a disk that was taken out, as much as a missing client file is.
            box = StartUpErrorPrompt(
                e.number == FileError::PathNotFound ? FileError{FileError::FileNotFound, e.description} : e);
        }
        if (prompts.message(box.text, box.title, box.icon, box.buttons) != Prompts::Answer::Ok ||
            box.buttons != Prompts::Buttons::OkCancel)
            return e;
    }
}

BackupContents ReadBackupAsking(const QString& path, Prompts& prompts)
{
    QByteArray probe;
    if (PrivateFile::Read(path, probe, 64) == ENOKEY)
        AskBackupPassphrase(path, prompts);
    return ReadBackup(path);
}
