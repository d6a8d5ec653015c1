#pragma once
// Writing files that may hold client data without trusting what lies at their names: every write goes to a new file
// created exclusively under a unique name in the target's folder and renamed over the target, so a link planted at
// either name is never followed and no file the program did not create is ever truncated.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <sys/types.h>

// In a data location that was unlocked (SealedFiles), the files that hold client data are sealed by Replace, Create
// and Append and opened by Read; callers see plain bytes. A damaged sealed file reads as EBADMSG.

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

// Appends `bytes` to the regular file at `path` and waits until they are on the medium (fdatasync). Never creates
// the file and never writes through a link at the name (ENOENT, ELOOP; EINVAL for a device, pipe or folder). A crash
// may leave only part of `bytes` at the end: readers must tell a torn last append from the rest.
int Append(const QString& path, QByteArrayView bytes);

// Reads the regular file at `path` whole, never through a link and never blocking on a device or pipe planted at
// the name (ELOOP and EINVAL for those). With `limit` >= 0 only that many bytes are read; `size` gets the file's
// whole length.
int Read(const QString& path, QByteArray& out, qint64 limit = -1, qint64* size = nullptr);

// Removes the temporary files a writer killed in the middle of Replace left in `folder`. With `onlyOwnedBy` >= 0,
// only the files of that user are removed. Returns how many were removed.
int RemoveLeftovers(const QString& folder, long onlyOwnedBy = -1);

// Why `path` may not take an output the user asked for (an export, a backup, a PDF), as a sentence naming it; empty
// when it may. Refused are a device, a pipe, a socket, a folder or a link at the name (a link is never followed, and
// replacing it could break what it names), and any file already in one of `ownFolders`: the program folder, the site
// folder and the open data location, whose files the program itself reads.
QString OutputRefusal(const QString& path, const QStringList& ownFolders);

// A target OutputRefusal has looked at: only CheckOutput makes one, so a writer that takes it knows the check was
// made, before any drawing or scoring work, and need not look again.
class CheckedOutput {
public:
    const QString& path() const { return m_path; }
    // Why the target was refused, as OutputRefusal says it; empty when it may be written.
    const QString& refusal() const { return m_refusal; }
    bool refused() const { return !m_refusal.isEmpty(); }
    // Nothing was at the name when it was checked; a write then never replaces what appears there meanwhile.
    bool wasFree() const { return m_free; }

private:
    friend CheckedOutput CheckOutput(const QString& path, const QStringList& ownFolders);
    QString m_path;
    QString m_refusal;
    bool m_free = false;
};
CheckedOutput CheckOutput(const QString& path, const QStringList& ownFolders);

// Writes an output the user asked for to a checked target (its refusal, when refused), through Replace: a new file
// is 0600, flushed before it is renamed into place. A name that was free is not replaced should anything appear
// there meanwhile. Empty on success; otherwise a sentence naming the file, and an earlier file there is as it was.
QString WriteOutput(const CheckedOutput& target, QByteArrayView bytes);

// Whether a failed chmod or chown means only that the file system keeps no modes or owners (FAT: EPERM from the
// kernel's driver, ENOSYS or ENOTSUP from FUSE ones).
bool NoModesHere(int err);

// The system's description of an errno value.
QString ErrorText(int err);

} // namespace PrivateFile
