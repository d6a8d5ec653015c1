#include "PrivateFile.h"

#include "SealedFiles.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PrivateFile {
namespace {

constexpr const char* TempSuffix = ".saving";

struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    void reset()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

int writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += n;
    }
    return 0;
}

// rename(2) without replacing: renameat2 where the file system has it, else a check just before an ordinary rename.
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// A dead writer's temporaries are ".<name>.XXXXXX.saving"; older versions used ".<name>.saving".
bool isLeftoverName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.saving$"));
    return pattern.match(name).hasMatch();
}

} // namespace

// What goes on the disk for `plain` written at `path`: `plain` itself, or its sealed form kept in `stored`.
static int storedForm(const QString& path, QByteArrayView plain, QByteArray& stored, QByteArrayView& bytes)
{
    bool sealed = false;
    const int err = SealedFiles::ForWriting(path, plain, stored, sealed);
    bytes = sealed ? QByteArrayView(stored) : plain;
    return err;
}

int Replace(const QString& path, QByteArrayView plain, mode_t newMode, Sync sync, Existing existing)
{
    QByteArray stored;
    QByteArrayView bytes;
    if (const int err = storedForm(path, plain, stored, bytes))
        return err;
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    struct stat old {};
    const bool exists = ::lstat(native(path).constData(), &old) == 0;
    if (exists && existing == Existing::Keep)
        return EEXIST;
    QByteArray temp =
        native(dir + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX") + QLatin1String(TempSuffix));
    // mkostemps creates its file with O_EXCL under a fresh name, so nothing planted in the folder is opened.
    Fd f(::mkostemps(temp.data(), static_cast<int>(std::strlen(TempSuffix)), O_CLOEXEC));
    if (f.fd < 0)
        return errno;
    auto fail = [&](int err) {
        f.reset();
        ::unlink(temp.constData());
        return err;
    };

    // File systems without owners or modes (the FAT of USB drives) refuse both; that is no reason
    // to give up the write.
    mode_t mode = newMode;
    if (exists && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
        if (::geteuid() == 0 && ::fchown(f.fd, old.st_uid, old.st_gid) != 0 && !NoModesHere(errno))
            return fail(errno);
    }
    if (::fchmod(f.fd, mode) != 0 && !NoModesHere(errno))
        return fail(errno);
    if (int err = writeAll(f.fd, bytes))
        return fail(err);
    if (sync == Sync::Durable && ::fsync(f.fd) != 0)
        return fail(errno);
    f.reset();
    // rename(2) replaces a link at the target's name itself, never the file it points to.
    if (existing == Existing::Keep) {
        if (const int err = renameNoReplace(temp, native(path)))
            return fail(err);
    } else if (::rename(temp.constData(), native(path).constData()) != 0) {
        return fail(errno);
    }
    if (sync == Sync::Lazy)
        return 0;
    Fd d(::open(native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd >= 0)
        ::fsync(d.fd); // best effort: some file systems refuse fsync on a folder
    return 0;
}

int Copy(const QString& from, const QString& to, mode_t newMode)
{
    QByteArray bytes;
    if (int err = Read(from, bytes))
        return err;
    return Replace(to, bytes, newMode);
}

int Create(const QString& path, QByteArrayView plain, mode_t mode)
{
    QByteArray stored;
    QByteArrayView bytes;
    if (const int err = storedForm(path, plain, stored, bytes))
        return err;
    Fd f(::open(native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (f.fd < 0)
        return errno;
    int err = ::fchmod(f.fd, mode) != 0 && !NoModesHere(errno) ? errno : 0; // the umask must not change the mode
    if (!err)
        err = writeAll(f.fd, bytes);
    if (err) {
        f.reset();
        ::unlink(native(path).constData());
        return err;
    }
    return 0;
}

// Opens a regular file at `path`, never through a link. O_NONBLOCK: a pipe planted at the name must not hang the
// open; it is refused as not a regular file.
static int openRegular(const QString& path, int flags, Fd& f, struct stat& st)
{
    f.fd = ::open(native(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (f.fd < 0)
        return errno;
    if (::fstat(f.fd, &st) != 0)
        return errno;
    return S_ISREG(st.st_mode) ? 0 : EINVAL;
}

int Append(const QString& path, QByteArrayView bytes)
{
    // A sealed file has one tag over all of it: it is read, extended and sealed again whole.
    if (SealedFiles::SealsAt(path)) {
        QByteArray whole;
        if (int err = Read(path, whole))
            return err;
        whole += bytes;
        const int err = Replace(path, whole);
        SealedFiles::Wipe(whole);
        return err;
    }
    Fd f;
    struct stat st {};
    if (int err = openRegular(path, O_WRONLY | O_APPEND, f, st))
        return err;
    if (int err = writeAll(f.fd, bytes))
        return err;
    return ::fdatasync(f.fd) == 0 ? 0 : errno;
}

static int readRaw(const QString& path, QByteArray& out, qint64 limit, qint64* size);

int Read(const QString& path, QByteArray& out, qint64 limit, qint64* size)
{
    qint64 whole = 0;
    if (int err = readRaw(path, out, limit, &whole))
        return err;
    if (!SealedFiles::SealsAt(path) && !SealedFiles::LooksSealed(out)) {
        if (size)
            *size = whole;
        return 0;
    }
    // Only the whole of a sealed file can be checked; it is opened whole and then cut to the limit.
    constexpr qint64 MostSealedBytes = 64 * 1024 * 1024;
    if (whole > MostSealedBytes)
        return EFBIG;
    if (out.size() < whole)
        if (int err = readRaw(path, out, -1, &whole))
            return err;
    if (int err = SealedFiles::FromReading(path, out))
        return err;
    if (size)
        *size = out.size();
    if (limit >= 0 && out.size() > limit)
        out.truncate(static_cast<qsizetype>(limit));
    return 0;
}

static int readRaw(const QString& path, QByteArray& out, qint64 limit, qint64* size)
{
    Fd f;
    struct stat st {};
    if (int err = openRegular(path, O_RDONLY, f, st))
        return err;
    if (size)
        *size = st.st_size;
    out.resize(static_cast<qsizetype>(limit >= 0 ? std::min<qint64>(limit, st.st_size) : st.st_size));
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::read(f.fd, out.data() + done, static_cast<size_t>(out.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break; // shrank under us: keep what was read
        done += n;
    }
    out.resize(done);
    return 0;
}

int RemoveLeftovers(const QString& folder, long onlyOwnedBy)
{
    Fd d(::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd < 0)
        return 0;
    DIR* listing = ::fdopendir(d.fd);
    if (!listing)
        return 0;
    d.fd = -1; // owned by the listing now
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (!isLeftoverName(QFile::decodeName(entry->d_name)))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(listing), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode))
            continue;
        if (onlyOwnedBy >= 0 && st.st_uid != static_cast<uid_t>(onlyOwnedBy))
            continue;
        if (::unlinkat(::dirfd(listing), entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

bool NoModesHere(int err)
{
    return err == EPERM || err == ENOSYS || err == ENOTSUP;
}

namespace {

QString refusalOf(const QString& path, const QStringList& ownFolders, bool* free)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    struct stat dir {};
    if (::stat(native(info.absolutePath()).constData(), &dir) != 0 || !S_ISDIR(dir.st_mode))
        return QStringLiteral("%1 cannot be written: the folder %2 does not exist.")
            .arg(shown, QDir::toNativeSeparators(info.absolutePath()));
    struct stat st {};
    if (::lstat(native(path).constData(), &st) != 0) {
        *free = true;
        return {};
    }
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("%1 is a link. It is not followed or replaced; give the file itself.").arg(shown);
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is a folder, not a file.").arg(shown);
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("%1 is a device, a pipe or a socket, not a file, and is never replaced.").arg(shown);
    for (const QString& own : ownFolders) {
        struct stat o {};
        if (!own.isEmpty() && ::stat(native(own).constData(), &o) == 0 && o.st_dev == dir.st_dev &&
            o.st_ino == dir.st_ino)
            return QStringLiteral("%1 is one of the program's own files (in %2) and is never written over. Choose "
                                  "another file.")
                .arg(shown, QDir::toNativeSeparators(own));
    }
    return {};
}

} // namespace

QString OutputRefusal(const QString& path, const QStringList& ownFolders)
{
    bool free = false;
    return refusalOf(path, ownFolders, &free);
}

CheckedOutput CheckOutput(const QString& path, const QStringList& ownFolders)
{
    CheckedOutput checked;
    checked.m_path = path;
    checked.m_refusal = refusalOf(path, ownFolders, &checked.m_free);
    return checked;
}

QString WriteOutput(const CheckedOutput& target, QByteArrayView bytes)
{
    if (target.refused())
        return target.refusal();
    const int err = Replace(target.path(), bytes, OwnerOnly, Sync::Durable,
                            target.wasFree() ? Existing::Keep : Existing::Replace);
    if (err == EEXIST && target.wasFree())
        return QStringLiteral("The file %1 was not written: something else appeared at that name while it was being "
                              "made, and is left as it is.")
            .arg(QDir::toNativeSeparators(target.path()));
    if (err)
        return QStringLiteral("The file %1 could not be written: %2. Any earlier file of that name is as it was.")
            .arg(QDir::toNativeSeparators(target.path()), ErrorText(err));
    return {};
}

QString ErrorText(int err)
{
    if (err == EBADMSG)
        return QStringLiteral("the file is damaged: its contents fail the check that proves them whole");
    if (err == ENOKEY)
        return QStringLiteral("the file is encrypted with a key that is not unlocked");
    return QString::fromLocal8Bit(std::strerror(err));
}

} // namespace PrivateFile
