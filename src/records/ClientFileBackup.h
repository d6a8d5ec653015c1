#pragma once
// Backing up the client file of a data location, and putting a backup back in its place.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Whether `bytes` can be a client file: whole 184-byte records, each field of the form the program writes (codes as
// digits, dates as mm/dd/yyyy, court counts as numbers, "N" or "-1", answers as digits; blanks anywhere a field may
// be empty). An empty string when it can; otherwise what is wrong, naming the record, as a clause to follow a colon.
QString CheckClientFile(QByteArrayView bytes);

// The name of a backup made at `when`: DATA401-yyyy-mm-dd-hhmmss.QN (no characters a FAT drive refuses).
QString BackupFileName(const QDateTime& when, const QString& note = QString());

// The files that belong with a client file on its data location, by the client file's name with another ending:
// image hashes (DATA401.SHA), the tests under way (DATA401.JNL), the administration notes (DATA401.NTS), and the
// audit trail with its key (DATA401.AUD, DATA401.KEY).
QStringList CompanionEndings();
// Where the companion with `ending` of the client file or backup `clientFile` is.
QString CompanionOf(const QString& clientFile, const QString& ending);

struct BackupOutcome {
    QString path;           // the backup written
    QStringList companions; // the companions written beside it, under its name
    int clients = 0;        // records in it
    QString warning; // set when the client file itself looks damaged: copied as it is, but a restore will refuse it
    QString error;   // empty when the backup was written and read back equal
};

// Copies the client file into `folder` under a new name of its own (never over another file), written safely and
// verified by reading it back, with its companions under the same name. A missing or empty client file is an error:
// there is nothing to keep.
BackupOutcome BackUpClientFile(const QString& clientFilePath, const QString& folder, const QDateTime& when);

struct BackupContents {
    QString path;
    QByteArray bytes;
    int clients = 0;
    QString error; // empty when the file is a client file that can be restored
};

// Reads a backup and checks that it is a client file with at least one client.
BackupContents ReadBackup(const QString& path);

struct RestoreOutcome {
    QString keptPath; // the replaced client file, kept beside it; empty when there was none to keep
    QString restoredTrail; // the backup's audit trail, kept beside the location's own; empty when it had none
    QString error;    // empty when the client file now holds the backup
};

// Puts a checked backup in place of the client file. The present client file (if any) is first copied to a backup
// of its own in the data location, with its companions; if that copy cannot be made nothing is replaced. The
// companions then hold what fits the restored clients: the notes and image hashes of the backup and of the present
// file that match its records (the others are dropped), and every test under way of either.
RestoreOutcome RestoreClientFile(const QString& clientFilePath, const BackupContents& backup, const QDateTime& when);
