#pragma once
// A results store over SQLite or PostgreSQL: its schema made or upgraded on first use, each publication one
// transaction that adds only what is new, and every older version kept as it was written.

#include "StoreTarget.h"
#include "StoredAdministration.h"

#include <QList>
#include <QSqlDatabase>
#include <functional>

namespace Results {

// Asked when the server wants a password libpq did not find in ~/.pgpass; none gives up.
using PasswordPrompt = std::function<std::optional<QString>(const QString& question)>;
// Told after each administration written; false stops (the transaction is then rolled back).
using PublishProgress = std::function<bool(int done, int total)>;

struct PublishCount {
    int added = 0;      // first versions
    int superseding = 0; // new versions of administrations already there
    int unchanged = 0;  // already there as they are
    QString error;      // set when nothing was written
};

class Store {
public:
    static constexpr int SchemaVersion = 1;

    explicit Store(StoreTarget target);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Connects and makes or upgrades the schema; what went wrong, or empty. A SQLite file is made when missing.
    QString open(const PasswordPrompt& ask = {});
    const StoreTarget& target() const { return m_target; }
    QSqlDatabase database() const;

    // Adds each administration whose content is not the current version's, as version 1 or as the next version,
    // which says the one it supersedes; all of it or nothing.
    PublishCount publish(const QList<StoredAdministration>& rows, const PublishProgress& progress = {});

    // The current version of each administration, oldest test first; `where` is an SQL condition on the columns.
    QList<StoredAdministration> current(const QString& where = {}, const QVariantList& values = {},
                                        QString* error = nullptr) const;

private:
    QString makeSchema();

    StoreTarget m_target;
    QString m_connection;
};

// The current versions of the administrations of the client with `clientKey`, oldest first.
QList<StoredAdministration> administrationsOfClient(const Store& store, const QString& clientKey);

} // namespace Results
