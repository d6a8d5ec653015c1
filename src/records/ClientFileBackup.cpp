#include "ClientFileBackup.h"

#include "AdministrationJournal.h"
#include "AdministrationNotes.h"
#include "ClientRecord.h"
#include "ClientTable.h"
#include "LocationProtection.h"
#include "PrivateFile.h"
#include "SafeWrite.h"
#include "SealedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

struct FieldRule {
    const char* label;
    QRegularExpression form; // the whole field, blanks on the right allowed
};

FieldRule rule(const char* label, const QString& form)
{
    return {label, QRegularExpression(QStringLiteral("\\A(?:") + form + QStringLiteral(") *\\z"))};
}

// What each field may hold, in file order; any field may also be blank.
const std::array<FieldRule, 15>& fieldRules()
{
    const QString text = QStringLiteral("[^\\x00-\\x1f]*");
    const QString date = QStringLiteral("\\d\\d/\\d\\d/\\d{4}");
    const QString count = QStringLiteral(" ?\\d\\d?|N|-1");
    static const std::array<FieldRule, 15> rules{{
        rule("name", text),
        rule("gender code", QStringLiteral("\\d")),
        rule("date of birth", date + QStringLiteral("|N") + text),
        rule("ethnicity code", QStringLiteral("\\d")),
        rule("marital status code", QStringLiteral("\\d")),
        rule("education code", QStringLiteral("\\d")),
        rule("test date", date),
        rule("number of drug-related arrests", count),
        rule("number of alcohol-related arrests", count),
        rule("number of assault arrests", count),
        rule("number of domestic violence arrests", count),
        rule("number of anger management programs", count),
        rule("answers", QStringLiteral("[\\d ]*")),
        rule("edit count", QStringLiteral("[0-3]")),
        rule("name-deleted mark", QStringLiteral("[01]")),
    }};
    return rules;
}

// Writes a new file named `stem`, or stem-2, stem-3 ... when that name is taken; never over another file.
QString writeNewFile(const QString& stem, const QByteArray& bytes, QString& path)
{
    path = stem;
    for (int k = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++k)
        path = stem.chopped(3) + QStringLiteral("-%1.QN").arg(k);
    return WriteFileSafely(path, bytes, ExistingFile::Refuse);
}

// Copies each companion of `clientFile` that exists to the companion of `copy`. What failed, or empty.
QString copyCompanions(const QString& clientFile, const QString& copy, QStringList* written)
{
    for (const QString& ending : CompanionEndings()) {
        const QString from = CompanionOf(clientFile, ending);
        if (!QFileInfo::exists(from))
            continue;
        QByteArray bytes;
        QString e = ReadWholeFile(from, bytes);
        if (e.isEmpty())
            e = WriteFileSafely(CompanionOf(copy, ending), bytes, ExistingFile::Refuse);
        if (!e.isEmpty())
            return e;
        if (written)
            *written << CompanionOf(copy, ending);
    }
    return {};
}

QByteArray readOrEmpty(const QString& path)
{
    QByteArray bytes;
    if (QFileInfo::exists(path))
        ReadWholeFile(path, bytes);
    return bytes;
}

// The image-hash lines ("hash client") of `list` whose client is the same record in `restored` as in `came`, the
// client file the list was kept with.
QByteArray matchingHashes(const QByteArray& list, QByteArrayView came, QByteArrayView restored)
{
    QByteArray out;
    for (const QByteArray& line : list.split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        const qsizetype at = parts.size() == 2 ? (parts[1].toLongLong() - 1) * ClientRecord::Size : -1;
        if (at >= 0 && at + ClientRecord::Size <= came.size() && at + ClientRecord::Size <= restored.size() &&
            came.sliced(at, ClientRecord::Size) == restored.sliced(at, ClientRecord::Size))
            out += line.trimmed() + "\r\n";
    }
    return out;
}

// Puts the companions of the data location together with the client file `backup` now restored over `present`.
QString joinCompanions(const QString& clientFile, const BackupContents& backup, const QByteArray& present)
{
    const QString folder = QFileInfo(clientFile).absolutePath();
    QList<NotesFile::Entry> notes, more;
    NotesFile::read(CompanionOf(backup.path, QStringLiteral("NTS")), notes);
    NotesFile::read(CompanionOf(clientFile, QStringLiteral("NTS")), more);
    if (QString e = NotesFile::write(CompanionOf(clientFile, QStringLiteral("NTS")),
                                     NotesFile::matching(notes + more, backup.bytes));
        !e.isEmpty())
        return e;

    QByteArray hashes;
    for (const QByteArray& line :
         (matchingHashes(readOrEmpty(CompanionOf(backup.path, QStringLiteral("SHA"))), backup.bytes, backup.bytes) +
          matchingHashes(readOrEmpty(CompanionOf(clientFile, QStringLiteral("SHA"))), present, backup.bytes))
             .split('\n'))
        if (!line.isEmpty() && !hashes.contains(line.left(64)))
            hashes += line + '\n';
    const QString sha = CompanionOf(clientFile, QStringLiteral("SHA"));
    if (int err = hashes.isEmpty() ? (QFile::remove(sha) || !QFileInfo::exists(sha) ? 0 : EACCES)
                                   : PrivateFile::Replace(sha, hashes))
        return QStringLiteral("The list of saved sheet images %1 could not be written: %2.")
            .arg(shown(sha), PrivateFile::ErrorText(err));

    // Tests under way belong to no slot yet, so those of the backup join those of the location.
    QList<Administration> kept;
    if (!AdministrationJournal::fromBytes(readOrEmpty(CompanionOf(backup.path, QStringLiteral("JNL"))), kept))
        return {};
    AdministrationJournal journal;
    journal.setFolder(folder);
    if (FileError e = journal.load())
        return e.description;
    for (const Administration& a : kept)
        if (!journal.find(a.id))
            if (FileError e = journal.update(a))
                return e.description;
    return {};
}

} // namespace

QStringList CompanionEndings()
{
    return {QStringLiteral("SHA"), QStringLiteral("JNL"), QStringLiteral("NTS"), QStringLiteral("AUD"),
            QStringLiteral("KEY")};
}

QString CompanionOf(const QString& clientFile, const QString& ending)
{
    const QString path = clientFile.endsWith(QLatin1String(".QN"), Qt::CaseInsensitive) ? clientFile.chopped(2)
                                                                                        : clientFile + QLatin1Char('.');
    return path + ending;
}

QString CheckClientFile(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("it holds no client records.");
    if (bytes.size() % ClientRecord::Size != 0)
        return QStringLiteral("it is %1 bytes long, which is not a whole number of %2-character client records.")
            .arg(bytes.size())
            .arg(ClientRecord::Size);
    const auto& rules = fieldRules();
    for (qsizetype n = 0; n < bytes.size() / ClientRecord::Size; ++n) {
        const ClientRecord r = ClientRecord::fromBytes(bytes.sliced(n * ClientRecord::Size, ClientRecord::Size));
        for (size_t i = 0; i < rules.size(); ++i) {
            const QString& value = r.*ClientRecord::fields()[i].member;
            if (value.trimmed().isEmpty() || rules[i].form.match(value).hasMatch())
                continue;
            // A name or a date of birth is never shown: the message may go where names must not.
            if (i == 0 || i == 2)
                return QStringLiteral("record %1 is not a client record: its %2 is not of the form the program writes.")
                    .arg(n + 1)
                    .arg(QLatin1String(rules[i].label));
            return QStringLiteral("record %1 is not a client record: its %2 reads \"%3\".")
                .arg(n + 1)
                .arg(QLatin1String(rules[i].label), value.trimmed().left(40));
        }
    }
    return {};
}

QString BackupFileName(const QDateTime& when, const QString& note)
{
    const QString stem = QStringLiteral("DATA401-") + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    return stem + (note.isEmpty() ? QString() : QLatin1Char('-') + note) + QStringLiteral(".QN");
}

BackupOutcome BackUpClientFile(const QString& clientFilePath, const QString& folder, const QDateTime& when)
{
    BackupOutcome out;
    if (!QFileInfo(folder).isDir()) {
        out.error = QStringLiteral("The folder %1 does not exist.").arg(shown(folder));
        return out;
    }
    QByteArray bytes;
    if (const QString e = ReadWholeFile(clientFilePath, bytes); !e.isEmpty()) {
        out.error = e;
        return out;
    }
    if (bytes.isEmpty()) {
        out.error = QStringLiteral("The client file %1 holds no clients, so there is nothing to back up.")
                        .arg(shown(clientFilePath));
        return out;
    }
    if (const QString damage = CheckClientFile(bytes); !damage.isEmpty())
        out.warning = QStringLiteral("The client file %1 looks damaged: %2 It was copied as it is, but it cannot be "
                                     "restored from this backup.")
                          .arg(shown(clientFilePath), damage);
    out.clients = static_cast<int>((bytes.size() + ClientRecord::Size - 1) / ClientRecord::Size);
    // A backup of an encrypted location is sealed with its key and carries its key slots, so that the passphrase
    // restores it anywhere.
    const QString source = QFileInfo(clientFilePath).absolutePath();
    QByteArray keyId, key;
    const bool elsewhere = QFileInfo(folder).canonicalFilePath() != QFileInfo(source).canonicalFilePath();
    const bool sealing = elsewhere && SealedFiles::KeyOf(source, keyId, key) && !SealedFiles::IsUnlocked(folder);
    if (sealing)
        SealedFiles::Unlock(folder, keyId, key);
    SealedFiles::Wipe(key);
    // Two backups within one second get numbered names.
    out.error = writeNewFile(QDir(folder).filePath(BackupFileName(when)), bytes, out.path);
    if (out.error.isEmpty())
        out.error = copyCompanions(clientFilePath, out.path, &out.companions);
    if (sealing)
        SealedFiles::Lock(folder);
    if (out.error.isEmpty() && elsewhere && LocationProtection::IsEncrypted(source)) {
        const QString slotCopy = LocationProtection::SlotFileOfBackup(out.path);
        if (const int err = PrivateFile::Copy(LocationProtection::SlotFilePath(source), slotCopy))
            out.error = QStringLiteral("The key file of the backup, %1, could not be written: %2.")
                            .arg(shown(slotCopy), PrivateFile::ErrorText(err));
        else
            out.companions << slotCopy;
    }
    return out;
}

BackupContents ReadBackup(const QString& path)
{
    BackupContents b;
    b.path = path;
    if (const QString e = ReadWholeFile(path, b.bytes); !e.isEmpty()) {
        b.error = e;
        return b;
    }
    if (const QString damage = CheckClientFile(b.bytes); !damage.isEmpty()) {
        b.error = QStringLiteral("The file %1 is not a backup of a client file: %2").arg(shown(path), damage);
        return b;
    }
    b.clients = static_cast<int>(b.bytes.size() / ClientRecord::Size);
    return b;
}

RestoreOutcome RestoreClientFile(const QString& clientFilePath, const BackupContents& backup, const QDateTime& when)
{
    RestoreOutcome out;
    if (!backup.error.isEmpty() || backup.bytes.isEmpty()) {
        out.error = backup.error.isEmpty() ? QStringLiteral("The backup holds no clients.") : backup.error;
        return out;
    }
    if (QFileInfo(backup.path).canonicalFilePath() == QFileInfo(clientFilePath).canonicalFilePath() &&
        QFileInfo::exists(clientFilePath)) {
        out.error = QStringLiteral("%1 is the client file itself, not a backup of it.").arg(shown(backup.path));
        return out;
    }
    const QString folder = QFileInfo(clientFilePath).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        out.error = QStringLiteral("The data folder %1 does not exist.").arg(shown(folder));
        return out;
    }
    QByteArray present;
    if (QFileInfo::exists(clientFilePath)) {
        if (const QString e = ReadWholeFile(clientFilePath, present); !e.isEmpty()) {
            out.error = e + QStringLiteral(" Nothing was restored.");
            return out;
        }
    }
    if (!present.isEmpty()) {
        out.error = writeNewFile(QDir(folder).filePath(BackupFileName(when, QStringLiteral("replaced"))), present,
                                 out.keptPath);
        if (out.error.isEmpty())
            out.error = copyCompanions(clientFilePath, out.keptPath, nullptr);
        if (!out.error.isEmpty()) {
            out.error =
                QStringLiteral("The present client file could not be kept, so nothing was restored. ") + out.error;
            out.keptPath.clear();
            return out;
        }
    }
    out.error = WriteFileSafely(clientFilePath, backup.bytes, ExistingFile::Replace);
    if (out.error.isEmpty())
        out.error = joinCompanions(clientFilePath, backup, present);
    // A trail never goes back: the backup's own trail is kept beside the location's, which goes on.
    const QString trail = CompanionOf(backup.path, QStringLiteral("AUD"));
    if (out.error.isEmpty() && QFileInfo::exists(trail) &&
        QFileInfo(trail).absolutePath() != QFileInfo(clientFilePath).absolutePath()) {
        const QString stem = QDir(folder).filePath(BackupFileName(when, QStringLiteral("restored-trail")));
        for (const QString& ending : {QStringLiteral("AUD"), QStringLiteral("KEY")}) {
            QByteArray bytes;
            const QString from = CompanionOf(backup.path, ending);
            if (!QFileInfo::exists(from))
                continue;
            out.error = ReadWholeFile(from, bytes);
            if (out.error.isEmpty())
                out.error = WriteFileSafely(CompanionOf(stem, ending), bytes, ExistingFile::Refuse);
            if (!out.error.isEmpty())
                break;
            if (ending == QLatin1String("AUD"))
                out.restoredTrail = CompanionOf(stem, ending);
        }
    }
    if (!out.error.isEmpty() && !out.keptPath.isEmpty())
        out.error += QStringLiteral(" The client file as it was before is kept as %1.").arg(shown(out.keptPath));
    return out;
}
