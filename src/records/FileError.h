#pragma once
// A file or database error as a value: the classic error number the messages are keyed by, and a description.

#include <QString>

struct FileError {
    // Numbers follow the classic file-error table so callers can map them to their messages.
    enum Number : int {
        None = 0,
        BadFileName = 52,
        FileNotFound = 53,
        LocationInUse = 55, // "file already open": another program holds the data location; description names it
        DeviceIO = 57,
        PermissionDenied = 70,
        DiskNotReady = 71,
        PathNotFound = 76,
        DbFileNotFound = 3024,
        DbInvalidPath = 3044,
        DbCannotOpen = 3051,
        // The program's own, beyond the classic table.
        FileDamaged = 3400,    // a sealed file fails its check; description names the file
        LocationLocked = 3401, // an encrypted location whose passphrase was not given yet
    };

    int number = None;
    QString description;

    bool failed() const { return number != None; }
    explicit operator bool() const { return failed(); }

    // Maps an errno value from an operation on `path` to the classic numbers.
    static FileError fromErrno(int err, const QString& path);
};
