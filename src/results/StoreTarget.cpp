#include "StoreTarget.h"

#include <QDir>
#include <QUrl>

namespace Results {

std::optional<StoreTarget> StoreTarget::parse(const QString& text, QString* error)
{
    const auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    StoreTarget t;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return refuse(QStringLiteral("No results store is named."));
    if (trimmed.startsWith(QLatin1String("postgresql://")) || trimmed.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(trimmed, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            return refuse(QStringLiteral("%1 is not a PostgreSQL address of the form "
                                         "postgresql://[user@]host[:port]/database.")
                              .arg(trimmed));
        if (!url.password().isEmpty())
            return refuse(QStringLiteral("A password is never given in the address: put it in ~/.pgpass, or give it "
                                         "when asked."));
        t.kind = Kind::Postgres;
        t.host = url.host();
        t.port = url.port(5432);
        t.user = url.userName();
        t.database = url.path().mid(1);
        if (t.database.isEmpty() || t.database.contains(QLatin1Char('/')))
            return refuse(QStringLiteral("%1 names no database: postgresql://[user@]host[:port]/database.")
                              .arg(trimmed));
        return t;
    }
    t.kind = trimmed.endsWith(QLatin1String(".vltbundle"), Qt::CaseInsensitive) ? Kind::Bundle : Kind::Sqlite;
    t.path = QDir::cleanPath(QDir::current().absoluteFilePath(trimmed));
    return t;
}

QString StoreTarget::text() const
{
    if (kind != Kind::Postgres)
        return QDir::toNativeSeparators(path);
    return QStringLiteral("postgresql://%1%2:%3/%4")
        .arg(user.isEmpty() ? QString() : user + QLatin1Char('@'), host)
        .arg(port)
        .arg(database);
}

} // namespace Results
