#include "SupervisorOperations.h"

#include "AdministrationJournal.h"
#include "ClientTable.h"
#include "Cp1252.h"
#include "PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <climits>

QString ScrambleName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c == QLatin1Char(' ')) {
            out.append(c);
            continue;
        }
        int code = cp1252Code(c);
        if (code < 0)
            code = '?';
        int shifted = code + (code % 2 == 0 ? 7 : 3);
        if (shifted > 255)
            shifted = shifted - 256 + 33;
        out.append(cp1252Char(static_cast<unsigned char>(shifted)));
    }
    return out;
}

bool ScrambleRecordName(ClientRecord& r)
{
    if (r.NameDeleted != QLatin1String("0"))
        return false;
    r.Name = ScrambleName(ClientRecord::fit(r.Name, 25));
    r.NameDeleted = QStringLiteral("1");
    r.EditCount = QStringLiteral("3");
    return true;
}

QString ScrambleAllNames(ClientTable& table, const std::function<FileError(int16_t)>& save)
{
    for (int16_t n = 1; n <= table.NumClients; ++n) {
        table.CurClient = n;
        ClientRecord& r = table.Clients[n];
        const ClientRecord before = r;
        if (!ScrambleRecordName(r))
            continue;
        if (FileError e = save ? save(n) : table.SaveClient(n)) {
            // The file still holds the name, so the table must too: a later run then tries this client again.
            r = before;
            table.CurClient = 1;
            return QStringLiteral("The name of client %1 could not be deleted from the data disk: %2")
                .arg(n)
                .arg(e.description);
        }
    }
    table.CurClient = table.NumClients > 0 ? 1 : 0;

    // Success is what the file says, not what the table says, for the records the table holds; the ones past it are
    // never changed (RecordsPastTable).
    QByteArray bytes;
    if (const int err = PrivateFile::Read(table.ClientFilePath, bytes, qint64(ClientTable::MaxClients) * ClientRecord::Size))
        return QStringLiteral("The client file %1 could not be read back: %2")
            .arg(QDir::toNativeSeparators(table.ClientFilePath), PrivateFile::ErrorText(err));
    int readable = 0;
    for (qsizetype at = 0; at < bytes.size(); at += ClientRecord::Size) {
        if (ClientRecord::fromBytes(bytes.mid(at, ClientRecord::Size)).NameDeleted == QLatin1String("0"))
            ++readable;
    }
    if (readable > 0)
        return QStringLiteral("%1 client name(s) in the client file %2 can still be read.")
            .arg(readable)
            .arg(QDir::toNativeSeparators(table.ClientFilePath));
    return {};
}

int RecordsPastTable(const ClientTable& table)
{
    const qint64 records = (QFileInfo(table.ClientFilePath).size() + ClientRecord::Size - 1) / ClientRecord::Size;
    return static_cast<int>(std::clamp<qint64>(records - ClientTable::MaxClients, 0, INT_MAX));
}

namespace {

// Names the program gives the copies of a client file it writes on the data location: backups, and the file a
// restore replaced ("-replaced" before any number).
const QRegularExpression& copyName()
{
    static const QRegularExpression re(
        QStringLiteral("^DATA401-\\d{4}-\\d\\d-\\d\\d-\\d{6}(-replaced)?(-\\d+)?\\.(QN|JNL)$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

constexpr qint64 MostCopyBytes = 64 * 1024 * 1024;

bool isJournal(const QString& path)
{
    return path.endsWith(QLatin1String(".JNL"), Qt::CaseInsensitive);
}

// A journal's copy as the client records it holds, one after another, so one rule reads and scrambles both.
bool journalRecords(const QByteArray& bytes, QList<Administration>& list, QByteArray& records)
{
    if (!AdministrationJournal::fromBytes(bytes, list))
        return false;
    for (const Administration& a : list)
        records += ClientRecord::fromBytes(a.record).toBytes();
    return true;
}

bool holdsNames(const QString& path)
{
    QByteArray bytes;
    if (PrivateFile::Read(path, bytes, MostCopyBytes))
        return false;
    QList<Administration> list;
    QByteArray records;
    if (isJournal(path)) {
        if (!journalRecords(bytes, list, records))
            return false;
        bytes = records;
    }
    for (qsizetype at = 0; at < bytes.size(); at += ClientRecord::Size)
        if (ClientRecord::fromBytes(bytes.mid(at, ClientRecord::Size)).NameDeleted == QLatin1String("0"))
            return true;
    return false;
}

QStringList copiesOnLocation(const QString& dataPath, bool replaced)
{
    QStringList out;
    for (const QFileInfo& f : QDir(dataPath).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const QRegularExpressionMatch m = copyName().match(f.fileName());
        if (m.hasMatch() && m.hasCaptured(1) == replaced && !f.isSymLink() && holdsNames(f.filePath()))
            out << f.filePath();
    }
    return out;
}

} // namespace

QString ScrambleNamesInFile(const QString& path)
{
    QByteArray bytes;
    if (const int err = PrivateFile::Read(path, bytes, MostCopyBytes))
        return QStringLiteral("The names in %1 could not be deleted: %2.")
            .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err));
    QList<Administration> list;
    QByteArray records;
    if (isJournal(path) && !journalRecords(bytes, list, records))
        return QStringLiteral("The names in %1 could not be deleted: it is not a journal of tests under way.")
            .arg(QDir::toNativeSeparators(path));
    QByteArray& target = isJournal(path) ? records : bytes;
    for (qsizetype at = 0; at < target.size(); at += ClientRecord::Size) {
        const QByteArray piece = target.mid(at, ClientRecord::Size);
        ClientRecord r = ClientRecord::fromBytes(piece);
        if (!ScrambleRecordName(r))
            continue;
        // A record the file cuts short stays as long as it was.
        const QByteArray whole = r.toBytes().left(piece.size());
        std::copy(whole.begin(), whole.end(), target.begin() + at);
    }
    if (isJournal(path)) {
        for (qsizetype i = 0; i < list.size(); ++i)
            list[i].record = records.mid(i * ClientRecord::Size, ClientRecord::Size);
        bytes = AdministrationJournal::toBytes(list);
    }
    if (const int err = PrivateFile::Replace(path, bytes))
        return QStringLiteral("The names in %1 could not be deleted: %2.")
            .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err));
    return {};
}

QString ScrambleProgramCopies(const QString& programDir, const QString& dataPath)
{
    for (const QString& path : copiesOnLocation(dataPath, true))
        if (const QString e = ScrambleNamesInFile(path); !e.isEmpty())
            return e;
    // The report and its numbered copies are rewritten by the next scoring run, so they go.
    static const QRegularExpression reportCopy(QStringLiteral("^(report\\.prn|temp\\d+)$"));
    for (const QFileInfo& f : QDir(programDir).entryInfoList(QDir::Files | QDir::System)) {
        if (!reportCopy.match(f.fileName()).hasMatch())
            continue;
        if (!QFile::remove(f.filePath()))
            return QStringLiteral("The report file %1, which holds a client's name, could not be removed.")
                .arg(QDir::toNativeSeparators(f.filePath()));
    }
    return {};
}

QStringList BackupsHoldingNames(const QString& dataPath)
{
    return copiesOnLocation(dataPath, false);
}
