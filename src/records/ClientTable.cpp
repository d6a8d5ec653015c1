#include "ClientTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}

// Reads the whole file; a missing file is an empty one when `allowMissing`.
FileError readAll(const QString& path, QByteArray& out, bool createMissing)
{
    Fd f;
    f.fd = ::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    if (f.fd < 0 && errno == ENOENT && createMissing) {
        f.fd = ::open(nativePath(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    }
    if (f.fd < 0)
        return FileError::fromErrno(errno, path);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        return FileError::fromErrno(errno, path);
    out.resize(static_cast<qsizetype>(st.st_size));
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::read(f.fd, out.data() + done, static_cast<size_t>(out.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FileError::fromErrno(errno, path);
        }
        if (n == 0)
            break; // shrank under us: keep what was read
        done += n;
    }
    out.resize(done);
    return {};
}

FileError writeAll(int fd, const QByteArray& bytes, const QString& path)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FileError::fromErrno(errno, path);
        }
        done += n;
    }
    return {};
}

// Replaces `path` with `bytes` through a temporary file in the same folder and a rename, so readers only ever see
// the old or the new file.
FileError replaceFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    const QString tmp = dir + QStringLiteral("/.") + info.fileName() + QStringLiteral(".saving");
    Fd f;
    f.fd = ::open(nativePath(tmp).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (f.fd < 0)
        return FileError::fromErrno(errno, path);
    if (FileError e = writeAll(f.fd, bytes, path)) {
        ::unlink(nativePath(tmp).constData());
        return e;
    }
    if (::fsync(f.fd) != 0) {
        const int err = errno;
        ::unlink(nativePath(tmp).constData());
        return FileError::fromErrno(err, path);
    }
    ::close(f.fd);
    f.fd = -1;
    if (::rename(nativePath(tmp).constData(), nativePath(path).constData()) != 0) {
        const int err = errno;
        ::unlink(nativePath(tmp).constData());
        return FileError::fromErrno(err, path);
    }
    Fd d;
    d.fd = ::open(nativePath(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d.fd >= 0)
        ::fsync(d.fd); // best effort: some file systems refuse fsync on a folder
    return {};
}

} // namespace

void ClientTable::setDataPath(const QString& path)
{
    DataPath = path;
    ClientFilePath =
        path + (path.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + QLatin1String(FileName);
}

ClientTable::LoadResult ClientTable::LoadClients()
{
    LoadResult result;
    QByteArray bytes;
    result.error = readAll(ClientFilePath, bytes, true);
    if (result.error)
        return result;

    // The count is the length over 184 rounded half to even, as the random-access reader counts it.
    const double exact = static_cast<double>(bytes.size()) / ClientRecord::Size;
    const long long count = std::llround(std::nearbyint(exact));
    result.recordsInFile = static_cast<int>(count);
    const int shown = static_cast<int>(std::min<long long>(count, MaxClients));
    if (count > MaxClients) {
        result.notice = QStringLiteral("The client file %1 holds %2 clients, but only %3 can be shown. The first %3 "
                                       "are shown; the others are kept in the file unchanged.")
                            .arg(QDir::toNativeSeparators(ClientFilePath))
                            .arg(count)
                            .arg(MaxClients);
    }

    for (ClientRecord& r : Clients)
        r = ClientRecord::blank();
    for (int n = 1; n <= shown; ++n) {
        const qsizetype offset = static_cast<qsizetype>(n - 1) * ClientRecord::Size;
        const qsizetype available =
            std::max<qsizetype>(0, std::min<qsizetype>(ClientRecord::Size, bytes.size() - offset));
        Clients[n] = ClientRecord::fromBytes(QByteArrayView(bytes.constData() + offset, available));
    }
    NumClients = static_cast<int16_t>(shown);
    CurClient = NumClients > 0 ? 1 : 0;
    return result;
}

FileError ClientTable::SaveClient(int16_t index)
{
    if (index < 1 || index > MaxClients)
        return {FileError::BadFileName,
                QStringLiteral("Client slot %1 is outside 1 to %2.").arg(index).arg(MaxClients)};
    QByteArray bytes;
    if (FileError e = readAll(ClientFilePath, bytes, false); e && e.number != FileError::FileNotFound)
        return e;
    const qsizetype offset = static_cast<qsizetype>(index - 1) * ClientRecord::Size;
    if (bytes.size() < offset + ClientRecord::Size)
        bytes.append(QByteArray(offset + ClientRecord::Size - bytes.size(), ' '));
    const QByteArray record = Clients[index].toBytes();
    std::copy(record.begin(), record.end(), bytes.begin() + offset);
    return replaceFile(ClientFilePath, bytes);
}

void ClientTable::ClearClient()
{
    if (CurClient >= 0 && CurClient <= MaxClients)
        Clients[CurClient] = ClientRecord::blank();
}

void ClientTable::CountNewClient()
{
    if (NumClients < MaxClients)
        ++NumClients;
}

QString ClientTable::listLine(int n) const
{
    return QString::number(n) + QLatin1Char('-') + ClientRecord::fit(Clients.at(n).Name, 25);
}
