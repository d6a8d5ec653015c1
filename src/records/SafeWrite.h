#pragma once
// Writes whole files of client data so that a reader finds the old file or the complete new one, never a part.

#include "PrivateFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class ExistingFile { Replace, Refuse };

// Writes `bytes` to `path` through a temporary file created exclusively in the same folder with mode 0600 (or the
// mode of the file it replaces), flushed to the disk, renamed over the target, and read back to compare. A planted
// link at `path` is replaced, never followed. With ExistingFile::Refuse an existing `path` is left alone and is an
// error. Returns an empty string on success, otherwise a sentence naming the file.
QString WriteFileSafely(const QString& path, const QByteArray& bytes, ExistingFile existing);

// WriteFileSafely for a file the user named: refused, naming it, when PrivateFile::OutputRefusal refuses it.
QString WriteOutputSafely(const QString& path, const QByteArray& bytes, ExistingFile existing,
                          const QStringList& ownFolders);
// The same for a target checked before the work that made `bytes`; a name that was free is never replaced.
QString WriteOutputSafely(const PrivateFile::CheckedOutput& target, const QByteArray& bytes);

// Reads a whole file; an empty string on success, otherwise a sentence naming the file.
QString ReadWholeFile(const QString& path, QByteArray& bytes);
