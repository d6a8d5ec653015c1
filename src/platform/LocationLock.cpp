#include "LocationLock.h"

#include <QFile>
#include <QSysInfo>
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct flock wholeFile(short type)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    return fl; // l_start 0, l_len 0: the whole file, however long
}

bool lockedByAnother(int fd)
{
    struct flock fl = wholeFile(F_WRLCK);
    return ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

// Only characters that names of users and computers use: the text is shown in a message box and comes from a file
// anyone sharing the folder can write.
QString cleanName(const QString& s)
{
    QString out;
    for (const QChar c : s.left(64)) {
        if (c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('_'))
            out += c;
    }
    return out;
}

QString holderOf(int fd)
{
    char buffer[256];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
    if (n <= 0)
        return {};
    const QStringList lines = QString::fromUtf8(buffer, n).split(QLatin1Char('\n'));
    const QString user = cleanName(lines.value(0));
    const QString host = cleanName(lines.value(1));
    if (user.isEmpty() || host.isEmpty())
        return {};
    return QStringLiteral("user %1 on computer %2").arg(user, host);
}

bool writeHolder(int fd)
{
    const passwd* pw = ::getpwuid(::geteuid());
    const QString user = pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(::geteuid());
    const QByteArray text = (user + QLatin1Char('\n') + QSysInfo::machineHostName() + QLatin1Char('\n') +
                             QString::number(::getpid()) + QLatin1Char('\n'))
                                .toUtf8();
    return ::ftruncate(fd, 0) == 0 &&
           ::pwrite(fd, text.constData(), static_cast<size_t>(text.size()), 0) == text.size();
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

LocationLock::~LocationLock()
{
    release();
}

LocationLock::LocationLock(LocationLock&& other) noexcept : m_fd(other.m_fd), m_path(std::move(other.m_path))
{
    other.m_fd = -1;
}

LocationLock& LocationLock::operator=(LocationLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
    }
    return *this;
}

LocationLock::Attempt LocationLock::acquire(const QString& folder)
{
    const QString path = folder + QLatin1Char('/') + QLatin1String(FileName);
    const QByteArray name = QFile::encodeName(path);
    // A few rounds: each removes one thing in the way (a planted link, a stale file) or loses one race.
    for (int round = 0; round < 4; ++round) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int err = errno;
            if (err == ELOOP && ::unlink(name.constData()) == 0)
                continue; // a link planted at the name is removed, never followed
            // This program cannot write the lock file; one that can may still hold it.
            const int reader = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (reader >= 0) {
                const bool held = lockedByAnother(reader);
                const QString holder = held ? holderOf(reader) : QString();
                ::close(reader);
                if (held)
                    return {Status::InUse, holder, 0, {}};
                if (err == EACCES && ::unlink(name.constData()) == 0)
                    continue; // left by a program of another user that died
            }
            return {Status::Unlocked, {}, err, {}};
        }
        // Every user who may open the location must be able to lock it; the file holds no client data.
        ::fchmod(fd, 0666);
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_nlink != 1) {
            // Something else was planted at the name (a pipe, a hard link to another file): remove the name only.
            ::close(fd);
            if (::unlink(name.constData()) == 0)
                continue;
            return {Status::Unlocked, {}, EINVAL, {}};
        }
        struct flock fl = wholeFile(F_WRLCK);
        if (::fcntl(fd, F_OFD_SETLK, &fl) != 0) {
            const int err = errno;
            const QString holder = holderOf(fd);
            ::close(fd);
            if (err == EAGAIN || err == EACCES)
                return {Status::InUse, holder, 0, {}};
            return {Status::Unlocked, {}, err, {}}; // a file system without locks
        }
        // The holder before us may have let go and removed the file between our open and our lock.
        struct stat now {};
        if (::lstat(name.constData(), &now) != 0 || !sameFile(now, opened)) {
            ::close(fd);
            continue;
        }
        const QString dead = holderOf(fd);
        writeHolder(fd); // without the names the lock still holds; others are then not told by whom
        release();
        m_fd = fd;
        m_path = path;
        return {Status::Held, {}, 0, dead};
    }
    return {Status::Unlocked, {}, EAGAIN, {}};
}

void LocationLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, and only when the name is still ours, so a newcomer never locks a removed file
    // (it checks the name after locking) and never loses a file it locked.
    const QByteArray name = QFile::encodeName(m_path);
    struct stat mine {};
    struct stat now {};
    if (::fstat(m_fd, &mine) == 0 && ::lstat(name.constData(), &now) == 0 && sameFile(mine, now))
        ::unlink(name.constData());
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

bool LocationLock::holds(const QString& folder) const
{
    if (m_fd < 0)
        return false;
    struct stat mine {};
    struct stat there {};
    const QByteArray name = QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(FileName));
    return ::fstat(m_fd, &mine) == 0 && ::lstat(name.constData(), &there) == 0 && sameFile(mine, there);
}
