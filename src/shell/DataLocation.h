#pragma once
// Opening a data location and the messages and outcomes of its errors.

#include "FileError.h"
#include "Prompts.h"

#include <cstdint>

class ClientTable;

struct OpenResult {
    FileError error;
    QString notice; // a warning to show once, for example a client file longer than the table
};

// Makes `path` the data location: reads its client file and proves the location writable.
OpenResult OpenDataLocation(ClientTable& table, const QString& path);

// Forgets the data key of the location at `dataPath` as it closes. When it was an encrypted one, the report copies
// and scanned images of its clients in `workstationFolder` (the program's folder) go too. Empty, or what could not
// be removed.
QString CloseLocationKeys(const QString& dataPath, const QString& workstationFolder = QString());

// Asks for the passphrase of the encrypted location `folder` until it opens it (true) or the user cancels, or its
// key file is damaged (false, after saying so).
bool AskLocationPassphrase(const QString& folder, Prompts& prompts);
// Asks for the passphrase of an encrypted backup (its key slots beside it) until its key is known or the user gives
// up. True when the backup can be read now.
bool AskBackupPassphrase(const QString& backupClientFile, Prompts& prompts);
// ReadBackup, first asking for the passphrase of a backup encrypted under a key not unlocked yet.
struct BackupContents ReadBackupAsking(const QString& path, Prompts& prompts);

struct ErrorPrompt {
    QString text;
    QString title;
    Prompts::Icon icon;
    Prompts::Buttons buttons;
};

enum class LocationOutcome { TryAnother, Retry, EndProgram, Stop };

// The box for an error while a chosen data location is opened, and what each answer leads to.
ErrorPrompt DataLocationErrorPrompt(const FileError& e, const QString& candidate);
LocationOutcome DataLocationOutcome(const FileError& e, Prompts::Answer answer);

// The box for an error raised by a start-up step; OK retries the step, anything else ends the program.
ErrorPrompt StartUpErrorPrompt(const FileError& e);

// Saves slot `index` of the open data location. While the client file cannot be written (the disk was taken out,
// is write-protected) the start-up step's box asks to put it back, and OK tries again; the error is returned when
// the user gives up, and the caller keeps the edits on screen for a later try.
FileError SaveClientAsking(ClientTable& table, int16_t index, Prompts& prompts);
