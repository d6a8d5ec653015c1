#pragma once
// An encrypted data location: its key slots (DATA401.VLK, whose presence says the location is encrypted), unlocking
// it with a passphrase, and turning encryption on and off crash-safely. The files themselves are sealed and opened by
// SealedFiles underneath PrivateFile once the location is unlocked.

#include <QString>

namespace LocationProtection {

constexpr const char* SlotFileName = "DATA401.VLK";

// The scrypt cost of a key slot; written in the slot, so a slot made cheaper in a test opens like any other.
struct Cost {
    int log2N = 16;
    int r = 8;
    int p = 1;
};

QString SlotFilePath(const QString& folder);
// Whether `folder` holds an encrypted location (its slot file is there).
bool IsEncrypted(const QString& folder);

enum class Strength { Weak, Fair, Strong };
Strength Rate(const QString& passphrase);
QString StrengthText(Strength s);
// Why `passphrase` may not become a passphrase of the location in `folder`; empty when it may.
QString PassphraseRefusal(const QString& passphrase, const QString& folder);

struct UnlockResult {
    enum class Status { Unlocked, WrongPassphrase, Damaged, Missing } status = Status::Missing;
    QString message; // for every status but Unlocked, a sentence to show
    bool ok() const { return status == Status::Unlocked; }
};
// Opens a slot of `slotFile` with `passphrase` and makes its data key the one of `folder` (empty: the key opens files
// only, as for a backup of another location).
UnlockResult Unlock(const QString& slotFile, const QString& passphrase, const QString& folder);

// Finishes or undoes a conversion a killed program left half done, so the location is wholly plain or wholly
// encrypted. To be called with the location's lock held, before anything there is read. Empty, or what failed.
QString FinishConversion(const QString& folder);

// Encrypts every client-data file of the plain location `folder` under a new random data key with one slot for
// `passphrase` and, when not empty, one for `recovery`; the location is unlocked afterwards. Empty, or what failed
// (the location is then as it was).
QString Encrypt(const QString& folder, const QString& passphrase, const QString& recovery, const Cost& cost = {});
// Replaces the slot `current` opens with one for `next` (and the other slot with one for `recovery` when that is not
// empty). Only the slot file is rewritten.
QString ChangePassphrase(const QString& folder, const QString& current, const QString& next,
                         const QString& recovery = QString(), const Cost& cost = {});
// Writes every file of the encrypted location `folder` plain again after `passphrase` opened a slot; the slot file
// goes. Empty, or what failed (the location is then still encrypted).
QString RemoveEncryption(const QString& folder, const QString& passphrase);

// The slot file's companion name for a backup (DATA401-....VLK beside DATA401-....QN).
QString SlotFileOfBackup(const QString& backupClientFile);

} // namespace LocationProtection
