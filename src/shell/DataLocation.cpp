#include "DataLocation.h"

#include "ClientTable.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool isNoTestInformation(int n)
{
    switch (n) {
    case FileError::BadFileName:
    case FileError::FileNotFound:
    case FileError::DeviceIO:
    case FileError::DiskNotReady:
    case FileError::DbFileNotFound:
    case FileError::DbInvalidPath:
    case FileError::DbCannotOpen:
    case FileError::PathNotFound:
        return true;
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
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return FileError::fromErrno(errno, path);
    const char line[] = "test\n";
    const bool written = ::write(fd, line, sizeof line - 1) == static_cast<ssize_t>(sizeof line - 1);
    const int err = errno;
    ::close(fd);
    ::unlink(native.constData());
    return written ? FileError{} : FileError::fromErrno(err, path);
}

} // namespace

OpenResult OpenDataLocation(ClientTable& table, const QString& path)
{
    table.setDataPath(path);
    const ClientTable::LoadResult loaded = table.LoadClients();
    if (loaded.error)
        return {loaded.error, {}};
    return {writeTest(path), loaded.notice};
}

ErrorPrompt DataLocationErrorPrompt(const FileError& e, const QString& candidate)
{
    if (isNoTestInformation(e.number))
        return {QStringLiteral("No test information found on drive ") + candidate.toUpper() +
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
    if (isNoTestInformation(e.number))
        return answer == Prompts::Answer::Yes ? LocationOutcome::TryAnother : LocationOutcome::EndProgram;
    if (e.number == FileError::PermissionDenied)
        return answer == Prompts::Answer::Ok ? LocationOutcome::Retry : LocationOutcome::Stop;
    return LocationOutcome::Stop;
}

bool IsSecretCode(const QString& entry)
{
    return entry.toUpper() == QLatin1String("K");
}
