#pragma once
// Where results are published: a SQLite file, a PostgreSQL database, or a bundle file carried to one later.

#include <QString>
#include <optional>

namespace Results {

struct StoreTarget {
    enum class Kind { Sqlite, Postgres, Bundle };
    Kind kind = Kind::Sqlite;
    QString path; // SQLite file or bundle
    QString host, user, database;
    int port = 5432;

    // postgresql://[user@]host[:port]/database, FILE.vltbundle, or any other path as a SQLite file. A password in
    // the address is refused: it would be seen by every user of the machine.
    static std::optional<StoreTarget> parse(const QString& text, QString* error);
    // The target as a person reads it (never with a password).
    QString text() const;
};

} // namespace Results
