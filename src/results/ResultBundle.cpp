#include "ResultBundle.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>

namespace Results {

namespace {

constexpr QByteArrayView Magic = "VELTRANE RESULTS BUNDLE ";

} // namespace

QByteArray BundleBytes(const QList<StoredAdministration>& rows)
{
    QJsonArray all;
    for (const StoredAdministration& a : rows)
        all.append(a.toJson());
    const QByteArray payload = QJsonDocument(all).toJson(QJsonDocument::Compact);
    return Magic.toByteArray() + QByteArray::number(BundleVersion) + "\nsha256 " +
           QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex() + "\nrows " +
           QByteArray::number(rows.size()) + '\n' + payload + '\n';
}

std::optional<QList<StoredAdministration>> ReadBundle(QByteArrayView bytes, QString* error)
{
    const auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!bytes.startsWith(Magic))
        return refuse(QStringLiteral("it is not a results bundle"));
    QList<QByteArrayView> head;
    qsizetype at = 0;
    for (int line = 0; line < 3; ++line) {
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            return refuse(QStringLiteral("it ends early"));
        head << bytes.sliced(at, end - at);
        at = end + 1;
    }
    bool ok = false;
    const int version = head[0].sliced(Magic.size()).toInt(&ok);
    if (!ok || version < 1)
        return refuse(QStringLiteral("its header is damaged"));
    if (version > BundleVersion)
        return refuse(QStringLiteral("it was written by a newer version of the program (bundle format %1)").arg(version));
    if (!head[1].startsWith("sha256 ") || !head[2].startsWith("rows "))
        return refuse(QStringLiteral("its header is damaged"));
    QByteArrayView payload = bytes.sliced(at);
    if (payload.endsWith('\n'))
        payload.chop(1);
    if (QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex() != head[1].sliced(7))
        return refuse(QStringLiteral("its check sum does not match: it was changed or cut short"));
    const QJsonDocument doc = QJsonDocument::fromJson(payload.toByteArray());
    const qsizetype count = head[2].sliced(5).toLongLong(&ok);
    if (!doc.isArray() || !ok || doc.array().size() != count)
        return refuse(QStringLiteral("its rows are damaged"));
    QList<StoredAdministration> rows;
    for (const QJsonValue& v : doc.array()) {
        const std::optional<StoredAdministration> a = StoredAdministration::fromJson(v.toObject());
        if (!a)
            return refuse(QStringLiteral("row %1 is damaged").arg(rows.size() + 1));
        rows << *a;
    }
    return rows;
}

} // namespace Results
