#include "LocationProtection.h"

#include "PrivateFile.h"
#include "SealedFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <unistd.h>

namespace LocationProtection {
namespace {

constexpr char Magic[8] = {'V', 'L', 'T', 'S', 'L', 'O', 'T', '\x1a'};
constexpr char Version = 1;
constexpr char KdfScrypt = 1;
constexpr int Slots = 2;
constexpr int SaltBytes = 16;
// in use, kdf, log2 N, r, p, salt, then the data key sealed under the passphrase's key.
constexpr int WrappedBytes = 38 + SealedFiles::KeyBytes + 16;
constexpr int SlotBytes = 1 + 1 + 1 + 4 + 4 + SaltBytes + WrappedBytes;
constexpr int BodyBytes = 8 + 1 + SealedFiles::KeyIdBytes + 1 + Slots * SlotBytes;
constexpr int FileBytes = BodyBytes + 32;
constexpr const char* Encrypting = ".encrypting";
constexpr const char* Decrypting = ".decrypting";

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray randomBytes(int n)
{
    QByteArray b(n, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(b.data()), n) != 1)
        return {};
    return b;
}

// Bounds a slot's cost so that a damaged or hostile slot file cannot ask for gigabytes.
bool costAllowed(const Cost& c)
{
    return c.log2N >= 10 && c.log2N <= 20 && c.r >= 1 && c.r <= 32 && c.p >= 1 && c.p <= 4;
}

QByteArray derive(const QString& passphrase, const QByteArray& salt, const Cost& c)
{
    QByteArray pass = passphrase.toUtf8();
    QByteArray out(SealedFiles::KeyBytes, '\0');
    const uint64_t n = uint64_t(1) << c.log2N;
    const uint64_t maxmem = 128ull * uint64_t(c.r) * n * uint64_t(c.p) + 128ull * uint64_t(c.r) * n + (8u << 20);
    const int ok = EVP_PBE_scrypt(pass.constData(), size_t(pass.size()),
                                  reinterpret_cast<const unsigned char*>(salt.constData()), size_t(salt.size()), n,
                                  uint64_t(c.r), uint64_t(c.p), maxmem, reinterpret_cast<unsigned char*>(out.data()),
                                  size_t(out.size()));
    SealedFiles::Wipe(pass);
    if (ok != 1)
        SealedFiles::Wipe(out);
    return out;
}

struct Slot {
    bool used = false;
    Cost cost;
    QByteArray salt;
    QByteArray wrapped;
};

struct SlotFile {
    QByteArray keyId;
    Slot entries[Slots];
};

// What the wrapped key is bound to: its slot, its cost and its salt.
QByteArray slotRole(int index, const Slot& s)
{
    QByteArray role = "VLK-SLOT" + QByteArray::number(index) + '-' + QByteArray::number(s.cost.log2N) + '-' +
                      QByteArray::number(s.cost.r) + '-' + QByteArray::number(s.cost.p) + '-';
    return role + s.salt;
}

QByteArray encode(const SlotFile& f)
{
    QByteArray out(Magic, 8);
    out += Version;
    out += f.keyId;
    out += char(Slots);
    for (const Slot& s : f.entries) {
        QByteArray slot(SlotBytes, '\0');
        if (s.used) {
            slot[0] = 1;
            slot[1] = KdfScrypt;
            slot[2] = char(s.cost.log2N);
            qToBigEndian(quint32(s.cost.r), slot.data() + 3);
            qToBigEndian(quint32(s.cost.p), slot.data() + 7);
            std::memcpy(slot.data() + 11, s.salt.constData(), SaltBytes);
            std::memcpy(slot.data() + 11 + SaltBytes, s.wrapped.constData(), WrappedBytes);
        }
        out += slot;
    }
    return out + QCryptographicHash::hash(out, QCryptographicHash::Sha256);
}

// Empty when `bytes` are a whole slot file; else what is wrong with them.
QString decode(const QByteArray& bytes, SlotFile& f)
{
    if (bytes.size() != FileBytes || std::memcmp(bytes.constData(), Magic, 8) != 0)
        return QStringLiteral("it is not a key file of this program, or it was cut short");
    if (QCryptographicHash::hash(bytes.first(BodyBytes), QCryptographicHash::Sha256) != bytes.sliced(BodyBytes))
        return QStringLiteral("its contents fail the check that proves them whole");
    if (bytes[8] != Version || bytes[9 + SealedFiles::KeyIdBytes] != char(Slots))
        return QStringLiteral("it was written by a newer version of the program");
    f.keyId = bytes.sliced(9, SealedFiles::KeyIdBytes);
    for (int i = 0; i < Slots; ++i) {
        const char* s = bytes.constData() + 10 + SealedFiles::KeyIdBytes + i * SlotBytes;
        Slot& slot = f.entries[i];
        slot.used = s[0] == 1;
        if (!slot.used)
            continue;
        slot.cost = {int(quint8(s[2])), int(qFromBigEndian<quint32>(s + 3)), int(qFromBigEndian<quint32>(s + 7))};
        if (s[1] != KdfScrypt || !costAllowed(slot.cost))
            return QStringLiteral("it names a key derivation or cost this program does not use");
        slot.salt = QByteArray(s + 11, SaltBytes);
        slot.wrapped = QByteArray(s + 11 + SaltBytes, WrappedBytes);
    }
    return {};
}

bool makeSlot(int index, Slot& s, const QString& passphrase, const QByteArray& keyId, const QByteArray& dataKey,
              const Cost& cost)
{
    s.used = true;
    s.cost = cost;
    s.salt = randomBytes(SaltBytes);
    if (s.salt.isEmpty())
        return false;
    QByteArray kek = derive(passphrase, s.salt, cost);
    if (kek.isEmpty())
        return false;
    s.wrapped = SealedFiles::Seal(keyId, kek, slotRole(index, s), dataKey);
    SealedFiles::Wipe(kek);
    return s.wrapped.size() == WrappedBytes;
}

// The data key a slot of `f` gives for `passphrase`, and the slot's index; -1 when none does.
int openSlot(const SlotFile& f, const QString& passphrase, QByteArray& dataKey)
{
    for (int i = 0; i < Slots; ++i) {
        const Slot& s = f.entries[i];
        if (!s.used)
            continue;
        QByteArray kek = derive(passphrase, s.salt, s.cost);
        const int err = kek.isEmpty() ? EIO : SealedFiles::Open(kek, slotRole(i, s), s.wrapped, dataKey);
        SealedFiles::Wipe(kek);
        if (!err && dataKey.size() == SealedFiles::KeyBytes)
            return i;
        SealedFiles::Wipe(dataKey);
    }
    return -1;
}

UnlockResult readSlots(const QString& slotFile, SlotFile& f)
{
    QByteArray bytes;
    const int err = PrivateFile::Read(slotFile, bytes, FileBytes + 1);
    if (err == ENOENT)
        return {UnlockResult::Status::Missing,
                QStringLiteral("The key file %1 is missing, so the encrypted files beside it cannot be opened.")
                    .arg(shown(slotFile))};
    if (err)
        return {UnlockResult::Status::Damaged,
                QStringLiteral("The key file %1 cannot be read: %2.").arg(shown(slotFile), PrivateFile::ErrorText(err))};
    if (const QString wrong = decode(bytes, f); !wrong.isEmpty())
        return {UnlockResult::Status::Damaged,
                QStringLiteral("The key file %1 is damaged: %2. Nothing on the data location was changed.")
                    .arg(shown(slotFile), wrong)};
    return {UnlockResult::Status::Unlocked, {}};
}

UnlockResult wrongPassphrase()
{
    return {UnlockResult::Status::WrongPassphrase,
            QStringLiteral("That passphrase does not open this data location. Check the Caps Lock key and type it "
                           "again.")};
}

// The files of `folder` that are sealed when it is encrypted, by name.
QStringList sealedFiles(const QString& folder)
{
    QStringList out;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (!f.isSymLink() && !SealedFiles::RoleOf(f.fileName()).isEmpty())
            out << f.fileName();
    return out;
}

QStringList pending(const QString& folder, const char* suffix)
{
    QStringList out;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (name.endsWith(QLatin1String(suffix)) && !name.startsWith(QLatin1Char('.')))
            out << name.chopped(int(std::strlen(suffix)));
    return out;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Renames each pending NAME<suffix> over NAME, or removes them all.
QString settle(const QString& folder, const char* suffix, bool forward)
{
    const QDir dir(folder);
    for (const QString& name : pending(folder, suffix)) {
        const QByteArray from = QFile::encodeName(dir.filePath(name + QLatin1String(suffix)));
        const int r = forward ? ::rename(from.constData(), QFile::encodeName(dir.filePath(name)).constData())
                              : ::unlink(from.constData());
        if (r != 0)
            return QStringLiteral("The file %1 could not be %2: %3.")
                .arg(shown(dir.filePath(name + QLatin1String(suffix))),
                     forward ? QStringLiteral("put in place") : QStringLiteral("removed"),
                     PrivateFile::ErrorText(errno));
    }
    syncFolder(folder);
    return {};
}

} // namespace

QString SlotFilePath(const QString& folder)
{
    return QDir(folder).filePath(QLatin1String(SlotFileName));
}

bool IsEncrypted(const QString& folder)
{
    return QFileInfo(SlotFilePath(folder)).isFile();
}

QString SlotFileOfBackup(const QString& backupClientFile)
{
    return backupClientFile.endsWith(QLatin1String(".QN"), Qt::CaseInsensitive)
               ? backupClientFile.chopped(2) + QStringLiteral("VLK")
               : backupClientFile + QStringLiteral(".VLK");
}

Strength Rate(const QString& passphrase)
{
    int kinds = 0;
    bool lower = false, upper = false, digit = false, other = false;
    for (const QChar c : passphrase) {
        lower |= c.isLower();
        upper |= c.isUpper();
        digit |= c.isDigit();
        other |= !c.isLetterOrNumber();
    }
    kinds = int(lower) + int(upper) + int(digit) + int(other);
    const qsizetype n = passphrase.size();
    if (n >= 20 && kinds >= 2)
        return Strength::Strong;
    if (n >= 16 && kinds >= 3)
        return Strength::Strong;
    if (n >= 12 && kinds >= 2)
        return Strength::Fair;
    return Strength::Weak;
}

QString StrengthText(Strength s)
{
    switch (s) {
    case Strength::Weak: return QStringLiteral("weak");
    case Strength::Fair: return QStringLiteral("fair");
    case Strength::Strong: return QStringLiteral("strong");
    }
    return {};
}

QString PassphraseRefusal(const QString& passphrase, const QString& folder)
{
    if (passphrase.size() < 12)
        return QStringLiteral("A passphrase needs at least 12 characters.");
    bool letter = false, digit = false, other = false;
    for (const QChar c : passphrase) {
        letter |= c.isLetter();
        digit |= c.isDigit();
        other |= !c.isLetterOrNumber();
    }
    if (int(letter) + int(digit) + int(other) < 2)
        return QStringLiteral("A passphrase needs more than one kind of character: mix letters with digits, spaces "
                              "or punctuation.");
    const QString name = QFileInfo(QDir::cleanPath(folder)).fileName();
    if (name.size() >= 3 && passphrase.contains(name, Qt::CaseInsensitive))
        return QStringLiteral("A passphrase may not contain the data location's name (%1).").arg(name);
    return {};
}

UnlockResult Unlock(const QString& slotFile, const QString& passphrase, const QString& folder)
{
    SlotFile f;
    if (UnlockResult r = readSlots(slotFile, f); !r.ok())
        return r;
    QByteArray dataKey;
    if (openSlot(f, passphrase, dataKey) < 0)
        return wrongPassphrase();
    SealedFiles::Unlock(folder, f.keyId, dataKey);
    SealedFiles::Wipe(dataKey);
    return {UnlockResult::Status::Unlocked, {}};
}

QString FinishConversion(const QString& folder)
{
    const bool encrypted = IsEncrypted(folder);
    if (QString e = settle(folder, Encrypting, encrypted); !e.isEmpty())
        return e;
    return settle(folder, Decrypting, !encrypted);
}

QString Encrypt(const QString& folder, const QString& passphrase, const QString& recovery, const Cost& cost)
{
    if (IsEncrypted(folder))
        return QStringLiteral("The data location %1 is encrypted already.").arg(shown(folder));
    if (!costAllowed(cost))
        return QStringLiteral("The key derivation cost asked for is out of range.");
    if (!recovery.isEmpty() && recovery == passphrase)
        return QStringLiteral("The recovery passphrase must differ from the passphrase; nothing was changed.");
    if (QString e = FinishConversion(folder); !e.isEmpty())
        return e;
    PrivateFile::RemoveLeftovers(folder);
    SlotFile f;
    f.keyId = randomBytes(SealedFiles::KeyIdBytes);
    QByteArray dataKey = randomBytes(SealedFiles::KeyBytes);
    auto failed = [&](const QString& why) {
        SealedFiles::Wipe(dataKey);
        settle(folder, Encrypting, false);
        return QStringLiteral("The data location %1 was not encrypted: %2 It is as it was.").arg(shown(folder), why);
    };
    if (f.keyId.isEmpty() || dataKey.isEmpty() || !makeSlot(0, f.entries[0], passphrase, f.keyId, dataKey, cost) ||
        (!recovery.isEmpty() && !makeSlot(1, f.entries[1], recovery, f.keyId, dataKey, cost)))
        return failed(QStringLiteral("the system's random source or key derivation failed."));

    // Every file is sealed under a name of its own first; the key file's appearance then commits them all.
    const QDir dir(folder);
    const QStringList names = sealedFiles(folder);
    for (const QString& name : names) {
        QByteArray plain;
        if (const int err = PrivateFile::Read(dir.filePath(name), plain))
            return failed(QStringLiteral("%1 cannot be read: %2.").arg(shown(dir.filePath(name)), PrivateFile::ErrorText(err)));
        const QByteArray sealed = SealedFiles::Seal(f.keyId, dataKey, SealedFiles::RoleOf(name), plain);
        SealedFiles::Wipe(plain);
        if (sealed.isEmpty())
            return failed(QStringLiteral("the system's random source failed."));
        if (const int err = PrivateFile::Replace(dir.filePath(name + QLatin1String(Encrypting)), sealed))
            return failed(QStringLiteral("%1 cannot be written: %2.")
                              .arg(shown(dir.filePath(name + QLatin1String(Encrypting))), PrivateFile::ErrorText(err)));
    }
    if (const int err = PrivateFile::Replace(SlotFilePath(folder), encode(f), PrivateFile::OwnerOnly,
                                             PrivateFile::Sync::Durable, PrivateFile::Existing::Keep))
        return failed(QStringLiteral("the key file %1 cannot be written: %2.")
                          .arg(shown(SlotFilePath(folder)), PrivateFile::ErrorText(err)));
    SealedFiles::Unlock(folder, f.keyId, dataKey);
    SealedFiles::Wipe(dataKey);
    // Committed: what is left is finished now or by the next opening.
    return settle(folder, Encrypting, true);
}

QString ChangePassphrase(const QString& folder, const QString& current, const QString& next,
                         const QString& recovery, const Cost& cost)
{
    if (!costAllowed(cost))
        return QStringLiteral("The key derivation cost asked for is out of range.");
    SlotFile f;
    if (UnlockResult r = readSlots(SlotFilePath(folder), f); !r.ok())
        return r.message;
    QByteArray dataKey;
    const int used = openSlot(f, current, dataKey);
    if (used < 0)
        return wrongPassphrase().message;
    bool ok = makeSlot(used, f.entries[used], next, f.keyId, dataKey, cost);
    if (ok && !recovery.isEmpty())
        ok = makeSlot(1 - used, f.entries[1 - used], recovery, f.keyId, dataKey, cost);
    if (ok)
        SealedFiles::Unlock(folder, f.keyId, dataKey);
    SealedFiles::Wipe(dataKey);
    if (!ok)
        return QStringLiteral("The passphrase was not changed: the system's random source or key derivation failed.");
    if (const int err = PrivateFile::Replace(SlotFilePath(folder), encode(f)))
        return QStringLiteral("The passphrase was not changed: the key file %1 cannot be written: %2.")
            .arg(shown(SlotFilePath(folder)), PrivateFile::ErrorText(err));
    return {};
}

QString RemoveEncryption(const QString& folder, const QString& passphrase)
{
    if (!IsEncrypted(folder))
        return QStringLiteral("The data location %1 is not encrypted.").arg(shown(folder));
    if (UnlockResult r = Unlock(SlotFilePath(folder), passphrase, folder); !r.ok())
        return r.message;
    if (QString e = FinishConversion(folder); !e.isEmpty())
        return e;
    PrivateFile::RemoveLeftovers(folder);
    const QDir dir(folder);
    auto failed = [&](const QString& why) {
        settle(folder, Decrypting, false);
        return QStringLiteral("The encryption of %1 was not removed: %2 It is still encrypted.").arg(shown(folder), why);
    };
    for (const QString& name : sealedFiles(folder)) {
        QByteArray plain;
        if (const int err = PrivateFile::Read(dir.filePath(name), plain))
            return failed(QStringLiteral("%1 cannot be read: %2.").arg(shown(dir.filePath(name)), PrivateFile::ErrorText(err)));
        const int err = PrivateFile::Replace(dir.filePath(name + QLatin1String(Decrypting)), plain);
        SealedFiles::Wipe(plain);
        if (err)
            return failed(QStringLiteral("%1 cannot be written: %2.")
                              .arg(shown(dir.filePath(name + QLatin1String(Decrypting))), PrivateFile::ErrorText(err)));
    }
    // The key file's removal commits the plain copies.
    if (::unlink(QFile::encodeName(SlotFilePath(folder)).constData()) != 0)
        return failed(QStringLiteral("the key file %1 cannot be removed: %2.")
                          .arg(shown(SlotFilePath(folder)), PrivateFile::ErrorText(errno)));
    syncFolder(folder);
    SealedFiles::Lock(folder);
    return settle(folder, Decrypting, true);
}

} // namespace LocationProtection
