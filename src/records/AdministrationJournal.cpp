#include "AdministrationJournal.h"

#include "PrivateFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace {

const char* modeName(Administration::Mode m)
{
    switch (m) {
    case Administration::Mode::Paper:
        return "paper";
    case Administration::Mode::Scan:
        return "scan";
    case Administration::Mode::OnScreen:
        break;
    }
    return "screen";
}

FileError journalError(int err, const QString& path)
{
    if (err == ELOOP || err == EINVAL)
        return {FileError::BadFileName,
                QStringLiteral("%1 is a link or not an ordinary file; the journal is never read or written through "
                               "one.")
                    .arg(QDir::toNativeSeparators(path))};
    return FileError::fromErrno(err, path);
}

QJsonArray eventJson(const JournalEvent& e)
{
    return QJsonArray{QString::number(e.ms), e.item, e.answer};
}

bool readEvent(const QJsonArray& e, JournalEvent& out)
{
    if (e.size() != 3)
        return false;
    out = {e.at(0).toString().toLongLong(), e.at(1).toInt(), e.at(2).toInt()};
    return true;
}

// Tells an appended line written whole from one a crash cut short or the medium garbled.
QByteArray lineCheck(QByteArrayView body)
{
    return QCryptographicHash::hash(body, QCryptographicHash::Sha256).left(4).toHex();
}

// The journal as last written whole.
bool readHead(const QByteArray& bytes, QList<Administration>& out)
{
    QJsonParseError problem;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &problem);
    if (problem.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonValue all = doc.object().value(QStringLiteral("administrations"));
    if (!all.isArray())
        return false;
    out.clear();
    for (const QJsonValue& v : all.toArray()) {
        const QJsonObject o = v.toObject();
        Administration a;
        a.id = o.value(QStringLiteral("id")).toString();
        const QString mode = o.value(QStringLiteral("mode")).toString();
        a.mode = mode == QLatin1String("paper")  ? Administration::Mode::Paper
                 : mode == QLatin1String("scan") ? Administration::Mode::Scan
                                                 : Administration::Mode::OnScreen;
        a.slot = o.value(QStringLiteral("slot")).toInt();
        a.startedMs = o.value(QStringLiteral("started")).toString().toLongLong();
        a.language = o.value(QStringLiteral("language")).toString();
        a.record = QByteArray::fromBase64(o.value(QStringLiteral("record")).toString().toLatin1());
        a.setAside = o.value(QStringLiteral("setAside")).toBool();
        for (const QJsonValue& ev : o.value(QStringLiteral("events")).toArray()) {
            JournalEvent e;
            if (!readEvent(ev.toArray(), e))
                return false;
            a.events.append(e);
        }
        if (a.id.isEmpty() || a.slot < 1)
            return false;
        out.append(a);
    }
    return true;
}

// One appended line, "<id> <event> <check>", added to its administration.
bool readLine(QByteArrayView line, QList<Administration>& out)
{
    const qsizetype checkAt = line.lastIndexOf(' ');
    const qsizetype idEnd = line.indexOf(' ');
    if (checkAt <= idEnd || idEnd <= 0 || line.sliced(checkAt + 1) != lineCheck(line.first(checkAt)))
        return false;
    const QString id = QString::fromLatin1(line.first(idEnd));
    QJsonParseError problem;
    const QJsonDocument doc = QJsonDocument::fromJson(line.sliced(idEnd + 1, checkAt - idEnd - 1).toByteArray(), &problem);
    JournalEvent e;
    if (problem.error != QJsonParseError::NoError || !doc.isArray() || !readEvent(doc.array(), e))
        return false;
    for (Administration& a : out) {
        if (a.id == id) {
            a.events.append(e);
            return true;
        }
    }
    return false;
}

// Whether `next` is `kept` with events added at its end, and nothing else changed.
bool extends(const Administration& kept, const Administration& next)
{
    if (next.events.size() < kept.events.size())
        return false;
    Administration head = next;
    head.events.resize(kept.events.size());
    return head == kept;
}

} // namespace

QString Administration::responses(int items) const
{
    QString out(items, QLatin1Char('0'));
    for (const JournalEvent& e : events) {
        if (e.isAnswer() && e.item <= items && e.answer <= 9)
            out[e.item - 1] = QLatin1Char(static_cast<char>('0' + e.answer));
    }
    return out;
}

int Administration::lastItem() const
{
    int last = 0;
    for (const JournalEvent& e : events)
        if (e.isAnswer())
            last = std::max(last, e.item);
    return last;
}

QDateTime Administration::lastActivity() const
{
    return QDateTime::fromMSecsSinceEpoch(events.isEmpty() ? startedMs : events.last().ms);
}

void AdministrationJournal::setFolder(const QString& folder)
{
    m_path = folder + (folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + QLatin1String(FileName);
    m_open.clear();
    m_usable = false;
}

FileError AdministrationJournal::load()
{
    m_open.clear();
    m_usable = false;
    m_rewrite = false;
    QByteArray bytes;
    const int err = PrivateFile::Read(m_path, bytes);
    if (err == ENOENT) {
        m_usable = true;
        return {};
    }
    if (err)
        return journalError(err, m_path);
    QList<Administration> list;
    if (!fromBytes(bytes, list, &m_rewrite))
        return {FileError::DeviceIO,
                QStringLiteral("The journal %1 is damaged; the tests under way it held cannot be continued. Move it "
                               "away to keep new tests safe.")
                    .arg(QDir::toNativeSeparators(m_path))};
    m_open = list;
    m_usable = true;
    return {};
}

const Administration* AdministrationJournal::find(const QString& id) const
{
    for (const Administration& a : m_open) {
        if (a.id == id)
            return &a;
    }
    return nullptr;
}

FileError AdministrationJournal::update(const Administration& administration)
{
    QList<Administration> next = m_open;
    bool found = false;
    for (qsizetype i = 0; i < next.size(); ++i) {
        Administration& a = next[i];
        if (a.id != administration.id)
            continue;
        found = true;
        if (m_usable && !m_rewrite && extends(a, administration)) {
            if (a.events.size() == administration.events.size())
                return {};
            // An answer is one short line at the end; only the administration's other changes rewrite the file.
            if (!append(administration, a.events.size())) {
                m_open[i] = administration;
                return {};
            }
        }
        a = administration;
    }
    if (!found)
        next.append(administration);
    return write(next);
}

FileError AdministrationJournal::close(const QString& id)
{
    if (!find(id))
        return {};
    QList<Administration> next = m_open;
    next.removeIf([&](const Administration& a) { return a.id == id; });
    return write(next);
}

FileError AdministrationJournal::append(const Administration& administration, qsizetype from)
{
    QByteArray lines;
    for (qsizetype i = from; i < administration.events.size(); ++i)
        lines += eventLine(administration.id, administration.events.at(i));
    if (const int err = PrivateFile::Append(m_path, lines)) {
        // Part of the lines may have reached the file; nothing may follow them.
        m_rewrite = true;
        return journalError(err, m_path);
    }
    return {};
}

FileError AdministrationJournal::write(const QList<Administration>& next)
{
    if (!m_usable)
        return {FileError::DeviceIO, QStringLiteral("The journal %1 could not be read, so it is not written.")
                                         .arg(QDir::toNativeSeparators(m_path))};
    // A location whose client file is gone is a medium taken out: the journal waits, as the client file's saves do.
    const QString clientFile = QFileInfo(m_path).dir().filePath(QStringLiteral("DATA401.QN"));
    if (!QFileInfo::exists(clientFile))
        return FileError::fromErrno(ENOENT, clientFile);
    if (next.isEmpty()) {
        if (::unlink(QFile::encodeName(m_path).constData()) != 0 && errno != ENOENT)
            return journalError(errno, m_path);
    } else if (int err = PrivateFile::Replace(m_path, toBytes(next))) {
        return journalError(err, m_path);
    }
    m_open = next;
    m_rewrite = false;
    return {};
}

QByteArray AdministrationJournal::toBytes(const QList<Administration>& list)
{
    QJsonArray all;
    for (const Administration& a : list) {
        QJsonArray events;
        for (const JournalEvent& e : a.events)
            events.append(eventJson(e));
        all.append(QJsonObject{{QStringLiteral("id"), a.id},
                               {QStringLiteral("mode"), QLatin1String(modeName(a.mode))},
                               {QStringLiteral("slot"), a.slot},
                               {QStringLiteral("started"), QString::number(a.startedMs)},
                               {QStringLiteral("language"), a.language},
                               {QStringLiteral("record"), QString::fromLatin1(a.record.toBase64())},
                               {QStringLiteral("setAside"), a.setAside},
                               {QStringLiteral("events"), events}});
    }
    // One line: the appended events follow it, a line each.
    return QJsonDocument(QJsonObject{{QStringLiteral("administrations"), all}}).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray AdministrationJournal::eventLine(const QString& id, const JournalEvent& e)
{
    const QByteArray body = id.toLatin1() + ' ' + QJsonDocument(eventJson(e)).toJson(QJsonDocument::Compact);
    return body + ' ' + lineCheck(body) + '\n';
}

bool AdministrationJournal::fromBytes(const QByteArray& bytes, QList<Administration>& out, bool* tornTail)
{
    const qsizetype headEnd = bytes.indexOf('\n');
    if (!readHead(headEnd < 0 ? bytes : bytes.left(headEnd), out))
        return false;
    bool torn = false;
    for (qsizetype pos = headEnd < 0 ? bytes.size() : headEnd + 1; pos < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', pos);
        const bool last = end < 0 || end + 1 == bytes.size();
        if (end < 0) {
            end = bytes.size();
            torn = true; // even whole, a line without its end must not have another glued to it
        }
        if (!readLine(QByteArrayView(bytes).sliced(pos, end - pos), out)) {
            // Only the last append can have been cut short by a crash; a bad line before it is damage.
            if (!last)
                return false;
            torn = true;
        }
        pos = end + 1;
    }
    if (tornTail)
        *tornTail = torn;
    return true;
}
