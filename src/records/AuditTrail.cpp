#include "AuditTrail.h"

#include "PrivateFile.h"
#include "SealedFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QTimeZone>
#include <QUrl>
#include <cerrno>
#include <utility>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef VELTRANE_VERSION
#define VELTRANE_VERSION "unknown"
#endif

namespace {

constexpr int Fields = 12; // seq utc offset user computer version slot event outcome details prev tag
constexpr int TagHex = 64;
const QByteArray kZeroTag(TagHex, '0');

// Tabs, line ends and percent signs never reach a field as they are, so a line is always one entry.
QByteArray esc(const QString& s)
{
    return QUrl::toPercentEncoding(s, " :+/()@,;=.-_*");
}

QString unesc(const QByteArray& b)
{
    return QUrl::fromPercentEncoding(b);
}

bool isHex(QByteArrayView b)
{
    if (b.size() != TagHex)
        return false;
    for (char c : b) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

QByteArray contentOf(const QByteArray& line)
{
    // The content is all but the last two fields (prev and tag, each 64 hex digits and a tab before it).
    return line.left(line.size() - 2 * (TagHex + 1));
}

struct Line {
    AuditEntry entry;
    QByteArray content;
    bool ok = false;
};

Line parseLine(const QByteArray& line)
{
    Line out;
    const QList<QByteArray> f = line.split('\t');
    if (f.size() != Fields || !isHex(f[10]) || !isHex(f[11]))
        return out;
    AuditEntry& e = out.entry;
    bool seqOk = false, slotOk = false;
    e.seq = f[0].toLongLong(&seqOk);
    e.slot = f[6].isEmpty() ? 0 : f[6].toInt(&slotOk);
    if (!seqOk || (!f[6].isEmpty() && !slotOk))
        return out;
    e.utc = unesc(f[1]);
    e.offset = unesc(f[2]);
    e.user = unesc(f[3]);
    e.computer = unesc(f[4]);
    e.version = unesc(f[5]);
    e.event = unesc(f[7]);
    e.outcome = unesc(f[8]);
    if (!f[9].isEmpty()) {
        for (const QByteArray& pair : f[9].split('&')) {
            const qsizetype eq = pair.indexOf('=');
            e.details.append({unesc(pair.left(eq)), eq < 0 ? QString() : unesc(pair.mid(eq + 1))});
        }
    }
    e.prev = f[10];
    e.tag = f[11];
    out.content = contentOf(line);
    out.ok = true;
    return out;
}

// What the verifier needs of a line, without decoding its text fields: its number, seals and content.
Line sealsOf(const QByteArray& line)
{
    Line out;
    const qsizetype n = line.size();
    if (n < 2 * (TagHex + 1) || line.count('\t') != Fields - 1 || line[n - TagHex - 1] != '\t' ||
        line[n - 2 * TagHex - 2] != '\t')
        return out;
    const QByteArrayView tag = QByteArrayView(line).last(TagHex);
    const QByteArrayView prev = QByteArrayView(line).sliced(n - 2 * TagHex - 1, TagHex);
    bool ok = false;
    out.entry.seq = QByteArrayView(line).first(line.indexOf('\t')).toLongLong(&ok);
    if (!ok || !isHex(tag) || !isHex(prev))
        return out;
    out.entry.tag = tag.toByteArray();
    out.entry.prev = prev.toByteArray();
    out.content = contentOf(line);
    out.ok = true;
    return out;
}

QString offsetText(const QDateTime& t)
{
    const int s = t.offsetFromUtc();
    const int a = std::abs(s) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(s < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(a / 60, 2, 10, QLatin1Char('0'))
        .arg(a % 60, 2, 10, QLatin1Char('0'));
}

QByteArray randomKey()
{
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
}

QString entryName(qint64 n)
{
    return QStringLiteral("Entry %1").arg(n);
}

} // namespace

QString AuditEntry::detail(const QString& key) const
{
    for (const auto& [k, v] : details) {
        if (k == key)
            return v;
    }
    return {};
}

QString AuditEntry::detailsText() const
{
    QStringList parts;
    for (const auto& [k, v] : details)
        parts << k + QLatin1Char('=') + v;
    return parts.join(QStringLiteral("; "));
}

std::optional<AuditHead> AuditHead::parse(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    bool ok = false;
    const qint64 count = text.left(colon).toLongLong(&ok);
    const QString tag = text.mid(colon + 1).toLower();
    if (colon < 0 || !ok || count < 0 || tag.size() != 16 || !isHex(tag.toLatin1() + QByteArray(48, '0')))
        return std::nullopt;
    return AuditHead{count, tag};
}

AuditTrail::Identity AuditTrail::Identity::ofThisProgram()
{
    const passwd* pw = ::getpwuid(::geteuid());
    return {pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(::geteuid()), QSysInfo::machineHostName(),
            QStringLiteral(VELTRANE_VERSION)};
}

QString AuditTrail::path() const
{
    return m_folder + QLatin1Char('/') + QLatin1String(FileName);
}

bool AuditTrail::isPersonal(const QString& field)
{
    return field == QLatin1String("Name") || field == QLatin1String("DOB");
}

QByteArray AuditTrail::tagOf(const QByteArray& key, const QByteArray& prev, const QByteArray& content)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, key);
    mac.addData(prev);
    mac.addData("\n", 1);
    mac.addData(content);
    return mac.result().toHex();
}

QString AuditTrail::fingerprint(const QString& value) const
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, m_nameKey);
    mac.addData("fingerprint\n");
    mac.addData(value.trimmed().toUtf8());
    return QStringLiteral("hmac:") + QString::fromLatin1(mac.result().toHex().left(16));
}

QByteArray AuditTrail::encode(const AuditEntry& e)
{
    QList<QByteArray> details;
    for (const auto& [k, v] : e.details)
        details << esc(k) + '=' + esc(v);
    return QByteArray::number(e.seq) + '\t' + esc(e.utc) + '\t' + esc(e.offset) + '\t' + esc(e.user) + '\t' +
           esc(e.computer) + '\t' + esc(e.version) + '\t' + (e.slot > 0 ? QByteArray::number(e.slot) : "") + '\t' +
           esc(e.event) + '\t' + esc(e.outcome) + '\t' + details.join('&');
}

FileError AuditTrail::open(const QString& folder, bool hadClients, const Identity& who)
{
    close();
    m_folder = folder;
    m_who = who;
    const QString keyPath = folder + QLatin1Char('/') + QLatin1String(KeyFileName);
    const QByteArray name = QFile::encodeName(path());
    struct stat st {};
    const bool fresh = ::lstat(name.constData(), &st) != 0 && errno == ENOENT;

    QByteArray keyText;
    int err = PrivateFile::Read(keyPath, keyText, 512);
    bool newKey = false;
    if (err == ENOENT) {
        keyText = randomKey() + '\n' + randomKey() + '\n';
        err = PrivateFile::Create(keyPath, keyText);
        newKey = true;
    }
    if (err)
        return FileError::fromErrno(err, keyPath);
    const QList<QByteArray> keys = keyText.split('\n');
    m_key = QByteArray::fromHex(keys.value(0));
    m_nameKey = QByteArray::fromHex(keys.value(1));
    // A sealed trail is never empty on the disk: even without entries it carries its header and tag.
    if (fresh && sealed())
        if (const int e = PrivateFile::Create(path(), {}))
            return FileError::fromErrno(e, path());

    const int fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          PrivateFile::OwnerOnly);
    if (fd < 0)
        return FileError::fromErrno(errno, path());
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
        ::close(fd);
        return FileError::fromErrno(EINVAL, path());
    }
    // The location's lock already keeps other programs away; this one holds for a program that missed it.
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &fl) != 0 && (errno == EAGAIN || errno == EACCES)) {
        ::close(fd);
        return {FileError::LocationInUse, {}};
    }
    m_fd = fd;
    if (FileError e = readTail()) {
        close();
        return e;
    }
    if (fresh) {
        const AuditDetails d = {{QStringLiteral("key"), newKey ? QStringLiteral("new") : QStringLiteral("kept")}};
        return append(hadClients ? QStringLiteral("trail-begun-on-existing-location") : QStringLiteral("trail-begun"),
                      0, d);
    }
    if (newKey)
        return append(QStringLiteral("trail-key-missing"), 0, {{QStringLiteral("key"), QStringLiteral("new")}});
    return {};
}

bool AuditTrail::sealed() const
{
    return SealedFiles::IsUnlocked(m_folder);
}

FileError AuditTrail::relock()
{
    const int fd = ::open(QFile::encodeName(path()).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FileError::fromErrno(errno, path());
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    ::fcntl(fd, F_OFD_SETLK, &fl);
    ::close(m_fd);
    m_fd = fd;
    return {};
}

FileError AuditTrail::readTail()
{
    m_seq = 0;
    m_tag = kZeroTag;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return FileError::fromErrno(errno, path());
    // A sealed trail is read whole: only the whole of it can be checked.
    QByteArray whole;
    if (sealed())
        if (const int err = PrivateFile::Read(path(), whole))
            return FileError::fromErrno(err, path());
    const qint64 size = sealed() ? whole.size() : st.st_size;
    if (size == 0)
        return {};
    const qint64 want = std::min<qint64>(size, 65536);
    QByteArray tail(want, '\0');
    if (sealed())
        tail = whole.right(want);
    else if (::pread(m_fd, tail.data(), static_cast<size_t>(want), size - want) != want)
        return FileError::fromErrno(errno ? errno : EIO, path());
    const qsizetype lastNl = tail.lastIndexOf('\n');
    if (lastNl != tail.size() - 1) {
        // A write cut short (a kill, a pulled drive) left part of a line that was never reported done: it goes, and
        // the cut is kept in the trail.
        const qint64 keep = lastNl < 0 ? size - want : size - want + lastNl + 1;
        if (lastNl < 0 && size > want)
            return FileError::fromErrno(EINVAL, path());
        if (sealed()) {
            if (const int err = PrivateFile::Replace(path(), whole.left(keep)))
                return FileError::fromErrno(err, path());
            if (FileError e = relock())
                return e;
        } else if (::ftruncate(m_fd, keep) != 0) {
            return FileError::fromErrno(errno, path());
        }
        const int torn = static_cast<int>(size - keep);
        if (FileError e = readTail())
            return e;
        return append(QStringLiteral("unfinished-entry-dropped"), 0, {{QStringLiteral("bytes"), QString::number(torn)}});
    }
    const qsizetype start = tail.lastIndexOf('\n', lastNl - 1) + 1;
    const QByteArray line = tail.mid(start, lastNl - start);
    const Line parsed = parseLine(line);
    if (parsed.ok) {
        m_seq = parsed.entry.seq;
        m_tag = parsed.entry.tag;
    } else {
        // A damaged last line: the chain goes on from what it says, and the verifier names it.
        m_seq = line.left(line.indexOf('\t')).toLongLong();
        const QByteArray t = line.right(TagHex);
        m_tag = isHex(t) ? t : kZeroTag;
    }
    return {};
}

AuditTrail& AuditTrail::operator=(AuditTrail&& other) noexcept
{
    if (this != &other) {
        close();
        m_folder = std::move(other.m_folder);
        m_who = std::move(other.m_who);
        m_key = std::move(other.m_key);
        m_nameKey = std::move(other.m_nameKey);
        m_fd = std::exchange(other.m_fd, -1);
        m_seq = other.m_seq;
        m_tag = std::move(other.m_tag);
    }
    return *this;
}

FileError AuditTrail::forgetNames()
{
    if (m_fd < 0)
        return {};
    const QString keyPath = m_folder + QLatin1Char('/') + QLatin1String(KeyFileName);
    const QByteArray nameKey = randomKey();
    if (const int err = PrivateFile::Replace(keyPath, m_key.toHex() + '\n' + nameKey + '\n'))
        return FileError::fromErrno(err, keyPath);
    m_nameKey = QByteArray::fromHex(nameKey);
    return {};
}

void AuditTrail::close(bool record)
{
    if (m_fd < 0)
        return;
    if (record)
        append(QStringLiteral("location-closed"));
    ::close(m_fd);
    m_fd = -1;
}

FileError AuditTrail::append(const QString& event, int slot, const AuditDetails& details, const QString& outcome,
                             const QDateTime& when)
{
    if (m_fd < 0)
        return {};
    // A text editor saves by writing a new file in the old one's place: entries written through the old
    // descriptor would go to a file no longer there. The trail at the name is taken up again, and says so.
    struct stat held {};
    struct stat named {};
    if (::fstat(m_fd, &held) == 0 && (::lstat(QFile::encodeName(path()).constData(), &named) != 0 ||
                                       held.st_ino != named.st_ino || held.st_dev != named.st_dev)) {
        const QString folder = m_folder;
        const Identity who = m_who;
        close(false);
        if (FileError e = open(folder, true, who))
            return e;
        if (FileError e = append(QStringLiteral("trail-file-replaced-while-open")))
            return e;
    }
    const QDateTime t = when.isValid() ? when : QDateTime::currentDateTime();
    AuditEntry e;
    e.seq = m_seq + 1;
    e.utc = t.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
    e.offset = offsetText(t);
    e.user = m_who.user;
    e.computer = m_who.computer;
    e.version = m_who.version;
    e.slot = slot;
    e.event = event;
    e.outcome = outcome;
    e.details = details;
    const QByteArray content = encode(e);
    const QByteArray tag = tagOf(m_key, m_tag, content);
    const QByteArray line = content + '\t' + m_tag + '\t' + tag + '\n';
    if (sealed()) {
        // Sealed whole again, through a new file: a kill leaves the trail as it was or with the entry.
        if (const int err = PrivateFile::Append(path(), line))
            return FileError::fromErrno(err, path());
        if (FileError relocked = relock())
            return relocked;
        m_seq = e.seq;
        m_tag = tag;
        return {};
    }
    struct stat st {};
    ::fstat(m_fd, &st);
    char head[8] = {};
    if (st.st_size >= 8 && ::pread(m_fd, head, sizeof head, 0) == sizeof head &&
        SealedFiles::LooksSealed(QByteArrayView(head, sizeof head)))
        return FileError::fromErrno(ENOKEY, path()); // a sealed trail whose key was put away takes no plain line
    const ssize_t n = ::write(m_fd, line.constData(), static_cast<size_t>(line.size()));
    if (n != line.size() || ::fdatasync(m_fd) != 0) {
        const int err = n < 0 ? errno : (n != line.size() ? ENOSPC : errno);
        // Nothing of a line that did not reach the disk whole stays behind.
        if (::ftruncate(m_fd, st.st_size) != 0) {
        }
        return FileError::fromErrno(err, path());
    }
    m_seq = e.seq;
    m_tag = tag;
    return {};
}

QList<AuditEntry> AuditTrail::parse(const QByteArray& trail)
{
    QList<AuditEntry> out;
    qsizetype pos = 0;
    while (pos < trail.size()) {
        const qsizetype nl = trail.indexOf('\n', pos);
        if (nl < 0)
            break;
        const Line l = parseLine(trail.mid(pos, nl - pos));
        if (l.ok)
            out.append(l.entry);
        pos = nl + 1;
    }
    return out;
}

QList<AuditEntry> AuditTrail::entriesIn(const QString& folder)
{
    QByteArray trail;
    if (PrivateFile::Read(folder + QLatin1Char('/') + QLatin1String(FileName), trail) != 0)
        return {};
    return parse(trail);
}

AuditVerification AuditTrail::verify(const QByteArray& trail, const QByteArray& key,
                                     const std::optional<AuditHead>& noted)
{
    AuditVerification v;
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < trail.size()) {
        const qsizetype nl = trail.indexOf('\n', pos);
        if (nl < 0) {
            v.tornBytes = static_cast<int>(trail.size() - pos);
            break;
        }
        lines.append(sealsOf(trail.mid(pos, nl - pos)));
        pos = nl + 1;
    }
    const auto fail = [&v](AuditVerification::Problem p, qint64 entry, const QString& what) {
        v.problem = p;
        v.entry = entry;
        v.message = what;
        return v;
    };
    // One code for every entry: the key is prepared once.
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, key);
    const auto authentic = [&mac](const Line& l) {
        if (!l.ok)
            return false;
        mac.reset();
        mac.addData(l.entry.prev);
        mac.addData("\n", 1);
        mac.addData(l.content);
        return mac.result().toHex() == l.entry.tag;
    };
    QByteArray prev = kZeroTag;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        const qint64 n = i + 1;
        if (!l.ok)
            return fail(AuditVerification::Problem::Damaged, n,
                        entryName(n) + QStringLiteral(" is damaged: it is not a line the program writes."));
        if (!authentic(l)) {
            // One changed byte spoils one entry's seal; every entry failing from the first means another key.
            if (i == 0 && (lines.size() == 1 || !authentic(lines[1])))
                return fail(AuditVerification::Problem::KeyChanged, n,
                            QStringLiteral("The trail's key has changed: entry 1 on are not sealed by it."));
            return fail(AuditVerification::Problem::Changed, n,
                        entryName(n) + QStringLiteral(" was changed after it was written."));
        }
        if (l.entry.prev != prev || l.entry.seq != n) {
            for (qsizetype j = i + 1; j < lines.size(); ++j) {
                if (lines[j].ok && lines[j].entry.seq == n)
                    return fail(AuditVerification::Problem::Reordered, n,
                                entryName(n) + QStringLiteral(" is out of its place: entry %1 stands there.")
                                                   .arg(l.entry.seq));
            }
            if (l.entry.seq > n)
                return fail(AuditVerification::Problem::Removed, n,
                            entryName(n) + QStringLiteral(" was removed (the next entry kept is %1).").arg(l.entry.seq));
            return fail(AuditVerification::Problem::Reordered, n,
                        entryName(n) + QStringLiteral(" is out of its place: entry %1 stands there.").arg(l.entry.seq));
        }
        prev = l.entry.tag;
    }
    v.head = {lines.size(), QString::fromLatin1(prev.left(16))};
    if (noted) {
        if (lines.size() < noted->count)
            return fail(AuditVerification::Problem::CutShort, lines.size() + 1,
                        QStringLiteral("The trail was cut short: the head noted had %1 entries, the trail has %2.")
                            .arg(noted->count)
                            .arg(lines.size()));
        const QByteArray at = noted->count == 0 ? kZeroTag : lines[noted->count - 1].entry.tag;
        if (QString::fromLatin1(at.left(16)) != noted->tag)
            return fail(AuditVerification::Problem::NotTheHead, noted->count,
                        entryName(noted->count) + QStringLiteral(" does not match the head noted (%1): the trail was "
                                                                 "written anew.")
                                                      .arg(noted->text()));
    }
    return v;
}

AuditVerification AuditTrail::verifyFolder(const QString& folder, const std::optional<AuditHead>& noted,
                                           QByteArray* trailOut)
{
    QByteArray trail, keyText;
    const QString trailPath = folder + QLatin1Char('/') + QLatin1String(FileName);
    const QString keyPath = folder + QLatin1Char('/') + QLatin1String(KeyFileName);
    int err = PrivateFile::Read(trailPath, trail);
    const bool keyFailed = !err;
    if (!err)
        err = PrivateFile::Read(keyPath, keyText, 256);
    if (err) {
        AuditVerification v;
        v.problem = err == ENOENT && !trail.isEmpty() ? AuditVerification::Problem::KeyChanged
                                                      : AuditVerification::Problem::Damaged;
        v.entry = 1;
        v.message = QStringLiteral("The trail cannot be read: %1.")
                        .arg(FileError::fromErrno(err, keyFailed ? keyPath : trailPath).description);
        return v;
    }
    if (trailOut)
        *trailOut = trail;
    return verify(trail, QByteArray::fromHex(keyText.split('\n').value(0)), noted);
}

namespace {
QByteArray csvField(const QString& s)
{
    QByteArray b = s.toUtf8();
    // A spreadsheet would run a cell that starts with one of these as a formula.
    const bool sign = !b.isEmpty() && (b[0] == '+' || b[0] == '-') && !(b.size() > 1 && b[1] >= '0' && b[1] <= '9');
    if (sign || (!b.isEmpty() && QByteArrayView("=@\t\r").contains(b[0])))
        b.prepend('\'');
    if (b.contains(',') || b.contains('"') || b.contains('\n') || b.contains('\r'))
        b = '"' + b.replace("\"", "\"\"") + '"';
    return b;
}
} // namespace

QByteArray AuditCsv(const QList<AuditEntry>& entries, const AuditHead& head)
{
    QByteArray out = "\xEF\xBB\xBFseq,utc,offset,user,computer,version,client,event,outcome,details,tag\r\n";
    for (const AuditEntry& e : entries) {
        const QStringList f = {QString::number(e.seq), e.utc,  e.offset,  e.user, e.computer, e.version,
                               e.slot ? QString::number(e.slot) : QString(), e.event, e.outcome, e.detailsText(),
                               QString::fromLatin1(e.tag.left(16))};
        QList<QByteArray> row;
        for (const QString& s : f)
            row << csvField(s);
        out += row.join(',') + "\r\n";
    }
    out += "head," + head.text().toLatin1() + "\r\n";
    return out;
}

QList<AuditEntry> AuditEntriesNewestFirst(const QList<AuditEntry>& entries, int client)
{
    QList<AuditEntry> out;
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (client == 0 || it->slot == client)
            out.append(*it);
    }
    return out;
}

QString AuditTrail::headOf(const QString& folder)
{
    QFile f(folder + QLatin1Char('/') + QLatin1String(FileName));
    if (QFileInfo(f.fileName()).isSymLink() || !f.open(QIODevice::ReadOnly) || f.size() == 0)
        return {};
    QByteArray tail;
    if (SealedFiles::IsUnlocked(folder) || SealedFiles::LooksSealed(f.peek(8))) {
        if (PrivateFile::Read(f.fileName(), tail) != 0)
            return {};
    } else {
        f.seek(std::max<qint64>(0, f.size() - 65536));
        tail = f.readAll();
    }
    const qsizetype end = tail.lastIndexOf('\n');
    const Line last = parseLine(tail.mid(tail.lastIndexOf('\n', end - 1) + 1, end - tail.lastIndexOf('\n', end - 1) - 1));
    return last.ok ? AuditHead{last.entry.seq, QString::fromLatin1(last.entry.tag.left(16))}.text() : QString();
}
