#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Fd {
    int fd = -1;
    ~Fd() { reset(); }
    void reset()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString systemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// rename(2) without replacing: renameat2 where the file system has it, else a check just before an ordinary rename.
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
#endif
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

} // namespace

QString ReadWholeFile(const QString& path, QByteArray& bytes)
{
    QFile f(path);
    if (!QFileInfo(path).isFile())
        return QStringLiteral("There is no file %1.").arg(shown(path));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("The file %1 cannot be read: %2.").arg(shown(path), f.errorString());
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return QStringLiteral("The file %1 cannot be read: %2.").arg(shown(path), f.errorString());
    return {};
}

QString WriteFileSafely(const QString& path, const QByteArray& bytes, ExistingFile existing)
{
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    if (!QFileInfo(dir).isDir())
        return QStringLiteral("The folder %1 does not exist.").arg(shown(dir));

    struct stat old {};
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (exists && existing == ExistingFile::Refuse)
        return QStringLiteral("The file %1 already exists and is left as it is.").arg(shown(path));
    // A replaced file keeps its mode and owner; a link in its place is replaced, not followed.
    const bool replacing = exists && S_ISREG(old.st_mode);
    const mode_t mode = replacing ? (old.st_mode & 0777) : 0600;

    // A name of our own, created exclusively: nothing planted in the folder is opened or followed.
    Fd f;
    QByteArray tmp;
    for (int attempt = 0; attempt < 100 && f.fd < 0; ++attempt) {
        tmp = QFile::encodeName(
            dir + QStringLiteral("/.") + info.fileName() +
            QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        f.fd = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (f.fd < 0 && errno != EEXIST)
            break;
    }
    if (f.fd < 0)
        return QStringLiteral("The file %1 cannot be written: %2.").arg(shown(path), systemError(errno));
    auto fail = [&](int err) {
        f.reset();
        ::unlink(tmp.constData());
        return QStringLiteral("The file %1 cannot be written: %2.").arg(shown(path), systemError(err));
    };
    // File systems without owners (FAT drives) refuse both; that is no reason to give up the write.
    if (::fchmod(f.fd, mode) != 0 && errno != EPERM)
        return fail(errno);
    if (replacing && ::geteuid() == 0 && ::fchown(f.fd, old.st_uid, old.st_gid) != 0 && errno != EPERM)
        return fail(errno);
    if (!writeAll(f.fd, bytes) || ::fsync(f.fd) != 0)
        return fail(errno);
    if (::close(f.fd) != 0) {
        f.fd = -1;
        return fail(errno);
    }
    f.fd = -1;
    const int renamed =
        existing == ExistingFile::Refuse ? renameNoReplace(tmp, target) : ::rename(tmp.constData(), target.constData());
    if (renamed != 0) {
        const int err = errno;
        if (err == EEXIST) {
            ::unlink(tmp.constData());
            return QStringLiteral("The file %1 already exists and is left as it is.").arg(shown(path));
        }
        return fail(err);
    }
    Fd folder;
    folder.fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder.fd >= 0)
        ::fsync(folder.fd); // best effort: some file systems refuse fsync on a folder

    QByteArray back;
    if (const QString e = ReadWholeFile(path, back); !e.isEmpty())
        return QStringLiteral("The file %1 was written but cannot be read back: %2").arg(shown(path), e);
    if (back != bytes)
        return QStringLiteral("The file %1 was written but reads back different; the medium may be failing.")
            .arg(shown(path));
    return {};
}
