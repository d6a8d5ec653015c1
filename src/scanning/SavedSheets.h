#pragma once
// Which sheet images are already saved as clients of a data location: each image's SHA-256 with its client number,
// kept in a small private file beside the client file, so a folder read twice adds no client twice.

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

class SavedSheets {
public:
    static constexpr const char* FileName = "DATA401.SHA";

    // The hex SHA-256 of a page's pixels, the same for the same image file however often it is read.
    static QByteArray hashOf(const QImage& page);

    // Reads the list of `dataPath`; a missing or unreadable list is an empty one (nothing is known saved).
    static SavedSheets read(const QString& dataPath);

    // The client an image was saved as, or 0.
    int clientOf(const QByteArray& hash) const { return m_clients.value(hash, 0); }
    // Adds `hash` as client `client` and writes the list as the client file is written. What failed, or empty.
    QString record(const QByteArray& hash, int client);

private:
    QString m_path;
    QHash<QByteArray, int> m_clients;
};
