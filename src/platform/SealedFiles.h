#pragma once
// The encryption of an unlocked data location's files, consulted by every PrivateFile read and write: a file whose
// kind holds client data, written in an unlocked folder, is stored sealed (AES-256-GCM under the location's data
// key, its kind bound to the ciphertext); a sealed file is opened with the key its header names. Nothing is sealed
// in a folder that was not unlocked, so plain locations read and write as they always have.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace SealedFiles {

constexpr int KeyBytes = 32;
constexpr int KeyIdBytes = 16;

// The kind of a file by its name ("QN", "JNL", ...) when files of that name are sealed in an unlocked folder; empty
// for a file that stays plain (the lock, the key slots, temporary names).
QByteArray RoleOf(const QString& path);

// From now on files of the sealed kinds written in `folder` are sealed with `key`; its files and those of its
// backups elsewhere are opened with it. `folder` empty: the key only opens files (a backup of another location).
void Unlock(const QString& folder, QByteArrayView keyId, QByteArrayView key);
// Forgets the key of `folder`, wiping it from memory.
void Lock(const QString& folder);
// Forgets every key (program exit).
void LockAll();
bool IsUnlocked(const QString& folder);
// Whether a file written at `path` is sealed: one of the sealed kinds, in an unlocked folder.
bool SealsAt(const QString& path);
// The key and its id `folder` was unlocked with; false when it was not.
bool KeyOf(const QString& folder, QByteArray& keyId, QByteArray& key);

// Whether `bytes` begin as a sealed file does.
bool LooksSealed(QByteArrayView bytes);
// The key id a sealed file's header names; empty when it is not one.
QByteArray KeyIdOf(QByteArrayView bytes);

// Seals `plain` as a file of kind `role` under `key`, with a fresh random nonce. Empty only when the system's random
// source failed.
QByteArray Seal(QByteArrayView keyId, QByteArrayView key, QByteArrayView role, QByteArrayView plain);
// Opens a sealed file: 0, or EBADMSG when it is damaged, truncated, of another kind or not sealed at all.
int Open(QByteArrayView key, QByteArrayView role, QByteArrayView sealed, QByteArray& plain);

// For PrivateFile: what to store for `plain` written at `path` (`stored`, when `sealed`; else `plain` itself); and the plain
// bytes of what was read from `path`: 0, EBADMSG for a damaged sealed file or a plain one where a sealed one belongs,
// ENOKEY for a sealed file no unlocked key opens.
int ForWriting(const QString& path, QByteArrayView plain, QByteArray& stored, bool& sealed);
int FromReading(const QString& path, QByteArray& bytes);

// Wipes `bytes` in place.
void Wipe(QByteArray& bytes);

} // namespace SealedFiles
