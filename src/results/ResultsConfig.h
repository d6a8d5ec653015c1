#pragma once
// The results store's settings (section "Results" of the settings file), the location's identity, and the
// pseudonymous key that links one client's administrations across offices without naming the client.

#include <QByteArray>
#include <QString>

class Profile;
struct ClientRecord;

namespace Results {

struct ResultsConfig {
    QString office;
    QString store;        // a target (see StoreTarget); the SQLite file in the site folder by default
    QByteArray agencyKey; // empty: administrations carry no client key
    QString problem;      // an agency key that is neither hex nor base64, said so; the rest still holds
};

constexpr const char* DefaultStoreName = "results.sqlite";

// Office=, Store= and AgencyKey= (hex or base64, at least 16 bytes) of section "Results".
ResultsConfig ReadResultsConfig(const Profile& settings, const QString& siteFolder);

// The name and date of birth as they are keyed: letters and digits of the name only, accents dropped, capitals;
// the date as yyyy-MM-dd (as stored when it is not a date). Empty for a client whose name was deleted.
QString NormalisedIdentity(const ClientRecord& r);
// The hex HMAC-SHA256 of NormalisedIdentity under `agencyKey`; empty without a key or a name.
QString ClientKey(const ClientRecord& r, const QByteArray& agencyKey);

// The file on a data location that keeps its identity: a random UUID, made on first need.
constexpr const char* LocationIdFileName = "DATA401.LID";
// The identity of the data location `folder`, made and kept there when it has none; empty, with `error` set, when
// it can be neither read nor made.
QString LocationId(const QString& folder, QString* error);
// The identity of `folder` when it has one; never makes one.
QString KnownLocationId(const QString& folder);

} // namespace Results
