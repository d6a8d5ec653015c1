#pragma once
// A bundle file: the publication of a location with no network, carried to a store and loaded there. A header line
// with the format's version, a SHA-256 of the rows, then the rows as JSON; a bundle changed or cut short is refused.

#include "StoredAdministration.h"

#include <QByteArray>
#include <QList>

namespace Results {

constexpr int BundleVersion = 1;

QByteArray BundleBytes(const QList<StoredAdministration>& rows);
// The rows of a bundle; none, with `error` set, for bytes that are not a whole bundle this program can read.
std::optional<QList<StoredAdministration>> ReadBundle(QByteArrayView bytes, QString* error);

} // namespace Results
