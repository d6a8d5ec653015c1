#pragma once
// Keeps a data location to one program at a time: an open-file-description lock on a lock file in the location, which
// the kernel drops when the program ends or dies and which Linux passes on to NFS and SMB servers, so programs of
// other users and other computers sharing the folder see it too. The lock file names the holder for their message.

#include <QString>

class LocationLock {
public:
    static constexpr const char* FileName = "DATA401.LCK";

    enum class Status {
        Held,     // this object holds the location
        InUse,    // another program holds it; `holder` names it where known
        Unlocked, // the location cannot carry a lock (not writable, no such folder, no lock support); see `error`
    };
    struct Attempt {
        Status status = Status::Unlocked;
        QString holder; // "user bob on computer ws2", or empty when the holder did not say
        int error = 0;  // errno for Unlocked
        // Held: the holder named by a lock file a program left when it died (a live one removes its file).
        QString deadHolder;
    };

    LocationLock() = default;
    ~LocationLock();
    LocationLock(LocationLock&& other) noexcept;
    LocationLock& operator=(LocationLock&& other) noexcept;
    LocationLock(const LocationLock&) = delete;
    LocationLock& operator=(const LocationLock&) = delete;

    // Takes the lock of `folder`, letting go of any lock held before only when this succeeds.
    Attempt acquire(const QString& folder);
    // Lets go of the lock and removes the lock file.
    void release();

    bool isHeld() const { return m_fd >= 0; }
    // Whether the lock held is the one of `folder` (the same folder by identity, whatever path names it).
    bool holds(const QString& folder) const;

private:
    int m_fd = -1;
    QString m_path;
};
