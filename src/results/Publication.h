#pragma once
// Publishing a data location: every scored administration laid out as a store row (no name, date of birth or free
// text), each client given an identity that stays with it, then written to a store or a bundle in one step.

#include "ResultsConfig.h"
#include "ResultsStore.h"

#include <QDateTime>
#include <QStringList>

class ClientTable;

namespace Results {

struct LocationRows {
    QList<StoredAdministration> rows;
    QStringList problems; // clients that could not be scored, and so were left out
    QString error;        // nothing can be published (scoring files, the location's identity or notes)
};

// The rows of every client of `table` that scores. A client without an administration id is given one, kept in the
// location's notes so that later publications and edits keep it.
LocationRows CollectLocation(const QString& programDir, const ClientTable& table, QChar brandCode,
                             const ResultsConfig& config, const QString& auditHead, const QDateTime& now);

// The hex SHA-256 of the scoring and wording files of the program folder, in name order.
QString ScoringFilesHash(const QString& programDir);

struct PublishOutcome {
    PublishCount count;
    int administrations = 0;
    QStringList problems;
    QString error; // nothing was published
    QString bundle; // the bundle file written, when the target was one
    // What to tell the supervisor, in a few lines.
    QString message() const;
};

struct PublishRequest {
    QString programDir;
    QChar brandCode;
    ResultsConfig config;
    StoreTarget target;
    QString auditHead;
    QDateTime now;
    QStringList ownFolders; // a bundle never replaces a file of these (see PrivateFile::OutputRefusal)
    PasswordPrompt askPassword;
    PublishProgress progress;
};

PublishOutcome PublishLocation(const ClientTable& table, const PublishRequest& request);

// The rows of the bundle file at `path`; none, with `error` saying why, for a file that is not a whole bundle.
std::optional<QList<StoredAdministration>> ReadBundleFile(const QString& path, QString* error);
// Loads the rows of a bundle into `store`: what is already there is not added again.
PublishOutcome ImportBundle(const QString& bundlePath, Store& store, const PublishProgress& progress = {});

} // namespace Results
