#pragma once
// Writing files that may hold client data without trusting what lies at their names: every write goes to a new file
// created exclusively under a unique name in the target's folder and renamed over the target, so a link planted at
// either name is never followed and no file the program did not create is ever truncated.

#include <QByteArrayView>
#include <QString>
#include <sys/types.h>

namespace PrivateFile {

// Readable and writable by the owner only: the mode of every new file that holds client data.
constexpr mode_t OwnerOnly = 0600;

// Replaces `path` with `bytes`. A new file gets `newMode`; a regular file already there keeps its mode and, when
// the program runs as root, its owner. Returns 0, or the errno of the step that failed (the target is then as it
// was and no temporary file is left). Scratch files the next run replaces anyway need not wait for the disk.
// With Existing::Keep a file already at `path` is left as it is and EEXIST returned.
enum class Sync { Durable, Lazy };
enum class Existing { Replace, Keep };
int Replace(const QString& path, QByteArrayView bytes, mode_t newMode = OwnerOnly, Sync sync = Sync::Durable,
            Existing existing = Existing::Replace);

// Replaces `to` with a copy of `from`; `from` is read without following a link at its name.
int Copy(const QString& from, const QString& to, mode_t newMode = OwnerOnly);

// Creates `path` with `mode` and writes `bytes`; EEXIST when anything at all, a link included, is at the name.
int Create(const QString& path, QByteArrayView bytes, mode_t mode = OwnerOnly);

// Reads the regular file at `path` whole, never through a link and never blocking on a device or pipe planted at
// the name (ELOOP and EINVAL for those). With `limit` >= 0 only that many bytes are read; `size` gets the file's
// whole length.
int Read(const QString& path, QByteArray& out, qint64 limit = -1, qint64* size = nullptr);

// Removes the temporary files a writer killed in the middle of Replace left in `folder`. With `onlyOwnedBy` >= 0,
// only the files of that user are removed. Returns how many were removed.
int RemoveLeftovers(const QString& folder, long onlyOwnedBy = -1);

// The system's description of an errno value.
QString ErrorText(int err);

} // namespace PrivateFile
