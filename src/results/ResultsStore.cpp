#include "ResultsStore.h"

#include "PrivateFile.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cerrno>

namespace Results {

namespace {

QAtomicInt connections;

// The record's plain text fields, then these.
const char* const MoreTextColumns[] = {"notes", "audit_head", "scoring_sha256", "program_version", "published_at",
                                       "content_hash"};

QStringList textColumns()
{
    QStringList c;
    for (const StoredAdministration::TextField& f : StoredAdministration::textFields())
        c << QLatin1String(f.name);
    for (const char* t : MoreTextColumns)
        c << QLatin1String(t);
    return c;
}

// Every column in insert order: the key, the texts, then the numbers.
QStringList columns()
{
    QStringList c{QStringLiteral("administration_id"), QStringLiteral("version"), QStringLiteral("supersedes")};
    c << textColumns();
    c << QStringLiteral("age_at_test") << QStringLiteral("invalid") << QStringLiteral("truthfulness_invalid");
    for (int s = 1; s <= Scales; ++s)
        c << QStringLiteral("s%1_raw").arg(s) << QStringLiteral("s%1_percentile").arg(s)
          << QStringLiteral("s%1_range").arg(s);
    return c;
}

QString tableSql()
{
    QStringList defs{QStringLiteral("administration_id TEXT NOT NULL"), QStringLiteral("version INTEGER NOT NULL"),
                     QStringLiteral("supersedes INTEGER")};
    for (const QString& t : textColumns())
        defs << QStringLiteral("%1 TEXT NOT NULL").arg(t);
    defs << QStringLiteral("age_at_test INTEGER") << QStringLiteral("invalid INTEGER NOT NULL")
         << QStringLiteral("truthfulness_invalid INTEGER NOT NULL");
    for (int s = 1; s <= Scales; ++s)
        defs << QStringLiteral("s%1_raw INTEGER NOT NULL").arg(s) << QStringLiteral("s%1_percentile INTEGER NOT NULL").arg(s)
             << QStringLiteral("s%1_range TEXT NOT NULL").arg(s);
    defs << QStringLiteral("PRIMARY KEY (administration_id, version)");
    return QStringLiteral("CREATE TABLE administrations (%1)").arg(defs.join(QStringLiteral(", ")));
}

QVariantList values(const StoredAdministration& a)
{
    const auto orNull = [](const std::optional<int>& v) { return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Int)); };
    // A null string would be bound as NULL; the text columns hold empty text instead.
    const auto text = [](const QString& s) { return s.isNull() ? QString::fromLatin1("") : s; };
    QVariantList v{a.administrationId, a.version, orNull(a.supersedes)};
    for (const StoredAdministration::TextField& f : StoredAdministration::textFields())
        v << text(a.*f.member);
    v << QString::fromUtf8(QJsonDocument(a.notes).toJson(QJsonDocument::Compact)) << text(a.auditHead)
      << text(a.scoringSha256) << text(a.programVersion) << text(a.publishedAt) << a.contentHash
      << orNull(a.ageAtTest) << int(a.invalid) << int(a.truthfulnessInvalid);
    for (const ScaleResult& s : a.scales)
        v << s.raw << s.percentile << text(s.range);
    return v;
}

StoredAdministration fromRecord(const QSqlQuery& q)
{
    StoredAdministration a;
    const auto text = [&q](const char* c) { return q.value(QLatin1String(c)).toString(); };
    const auto optional = [&q](const char* c) {
        const QVariant v = q.value(QLatin1String(c));
        return v.isNull() ? std::nullopt : std::optional(v.toInt());
    };
    a.administrationId = text("administration_id");
    a.version = q.value(QStringLiteral("version")).toInt();
    a.supersedes = optional("supersedes");
    for (const StoredAdministration::TextField& f : StoredAdministration::textFields())
        a.*f.member = text(f.name);
    a.notes = QJsonDocument::fromJson(text("notes").toUtf8()).object();
    a.auditHead = text("audit_head");
    a.scoringSha256 = text("scoring_sha256");
    a.programVersion = text("program_version");
    a.publishedAt = text("published_at");
    a.contentHash = text("content_hash");
    a.ageAtTest = optional("age_at_test");
    a.invalid = q.value(QStringLiteral("invalid")).toInt() != 0;
    a.truthfulnessInvalid = q.value(QStringLiteral("truthfulness_invalid")).toInt() != 0;
    for (int s = 1; s <= Scales; ++s)
        a.scales[s - 1] = {q.value(QStringLiteral("s%1_raw").arg(s)).toInt(),
                           q.value(QStringLiteral("s%1_percentile").arg(s)).toInt(),
                           q.value(QStringLiteral("s%1_range").arg(s)).toString()};
    return a;
}

QString failed(const QString& what, const QSqlError& e)
{
    return QStringLiteral("%1: %2").arg(what, e.text().trimmed());
}

bool asksForPassword(const QSqlError& e)
{
    const QString t = e.text();
    return t.contains(QLatin1String("no password supplied")) ||
           t.contains(QLatin1String("password authentication failed"));
}

} // namespace

Store::Store(StoreTarget target)
    : m_target(std::move(target)),
      m_connection(QStringLiteral("veltrane-results-%1").arg(connections.fetchAndAddRelaxed(1)))
{
}

Store::~Store()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

QString Store::open(const PasswordPrompt& ask)
{
    if (m_target.kind == StoreTarget::Kind::Bundle)
        return QStringLiteral("%1 is a bundle file, not a store: load it with veltrane-cli import.")
            .arg(m_target.text());
    const bool pg = m_target.kind == StoreTarget::Kind::Postgres;
    const QString driver = pg ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver))
        return pg ? QStringLiteral("Publishing to PostgreSQL needs Qt's PostgreSQL driver, which is not installed: "
                                   "install the package libqt6sql6-psql.")
                  : QStringLiteral("Qt's SQLite driver is not installed: install the package libqt6sql6-sqlite.");
    QSqlDatabase db = QSqlDatabase::contains(m_connection) ? QSqlDatabase::database(m_connection, false)
                                                           : QSqlDatabase::addDatabase(driver, m_connection);
    if (pg) {
        db.setHostName(m_target.host);
        db.setPort(m_target.port);
        db.setDatabaseName(m_target.database);
        if (!m_target.user.isEmpty())
            db.setUserName(m_target.user);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    } else {
        const QFileInfo file(m_target.path);
        if (!QDir().mkpath(file.absolutePath()))
            return QStringLiteral("The folder of the results store %1 cannot be made.").arg(m_target.text());
        // A new store is the owner's alone; SQLite takes an empty file as a new database.
        if (const int err = PrivateFile::Create(m_target.path, QByteArray()); err && err != EEXIST)
            return QStringLiteral("The results store %1 cannot be made: %2.")
                .arg(m_target.text(), PrivateFile::ErrorText(err));
        db.setDatabaseName(m_target.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open()) {
        if (!pg || !asksForPassword(db.lastError()))
            return failed(QStringLiteral("The results store %1 cannot be opened").arg(m_target.text()), db.lastError());
        const std::optional<QString> password =
            ask ? ask(QStringLiteral("Password of %1 for %2:").arg(m_target.user.isEmpty() ? QStringLiteral("your user") : m_target.user, m_target.text()))
                : std::nullopt;
        if (!password)
            return QStringLiteral("The PostgreSQL server %1 asks for a password: put it in ~/.pgpass, or give it when "
                                  "asked.")
                .arg(m_target.text());
        db.setPassword(*password);
        const bool opened = db.open();
        db.setPassword(QString());
        if (!opened)
            return failed(QStringLiteral("The results store %1 cannot be opened").arg(m_target.text()),
                          db.lastError());
    }
    if (pg) {
        // The server's notices ("already exists, skipping") are not for the user.
        QSqlQuery(db).exec(QStringLiteral("SET client_min_messages = warning"));
    }
    return makeSchema();
}

QString Store::makeSchema()
{
    QSqlDatabase db = database();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS results_schema (version INTEGER NOT NULL)")))
        return failed(QStringLiteral("The results store %1 cannot be prepared").arg(m_target.text()), q.lastError());
    if (!q.exec(QStringLiteral("SELECT MAX(version) FROM results_schema")) || !q.next())
        return failed(QStringLiteral("The results store %1 cannot be read").arg(m_target.text()), q.lastError());
    const int have = q.value(0).isNull() ? 0 : q.value(0).toInt();
    if (have > SchemaVersion)
        return QStringLiteral("The results store %1 was made by a newer version of the program (schema %2): "
                              "publish with that version.")
            .arg(m_target.text())
            .arg(have);
    if (have == SchemaVersion)
        return {};
    // Each step takes the schema one version further; all of them in one transaction.
    const QList<QStringList> steps = {
        {tableSql(), QStringLiteral("CREATE INDEX administrations_client ON administrations (client_key)"),
         QStringLiteral("CREATE INDEX administrations_location ON administrations (location_id)"),
         QStringLiteral("CREATE VIEW current_administrations AS SELECT * FROM administrations a WHERE NOT EXISTS "
                        "(SELECT 1 FROM administrations b WHERE b.administration_id = a.administration_id AND "
                        "b.version > a.version)")},
    };
    if (!db.transaction())
        return failed(QStringLiteral("The results store %1 cannot be prepared").arg(m_target.text()), db.lastError());
    for (int v = have; v < SchemaVersion; ++v) {
        for (const QString& sql : steps[v]) {
            if (!q.exec(sql)) {
                const QString e = failed(QStringLiteral("The results store %1 cannot be prepared").arg(m_target.text()),
                                         q.lastError());
                db.rollback();
                return e;
            }
        }
    }
    q.prepare(QStringLiteral("INSERT INTO results_schema (version) VALUES (?)"));
    q.addBindValue(SchemaVersion);
    if (!q.exec() || !db.commit()) {
        const QString e = failed(QStringLiteral("The results store %1 cannot be prepared").arg(m_target.text()),
                                 q.lastError().isValid() ? q.lastError() : db.lastError());
        db.rollback();
        return e;
    }
    return {};
}

PublishCount Store::publish(const QList<StoredAdministration>& rows, const PublishProgress& progress)
{
    PublishCount count;
    QSqlDatabase db = database();
    const QString what = QStringLiteral("Nothing was published to %1").arg(m_target.text());
    if (!db.isOpen()) {
        count.error = what + QStringLiteral(": the store is not open.");
        return count;
    }
    if (!db.transaction()) {
        count.error = failed(what, db.lastError());
        return count;
    }
    const auto giveUp = [&](const QSqlError& e) {
        count = {};
        count.error = failed(what, e);
        db.rollback();
        return count;
    };
    // The newest version of each administration published here, read in chunks that keep the statement short.
    struct Newest {
        int version = 0;
        QString hash;
        QString clientKey;
    };
    QHash<QString, Newest> newest;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    constexpr qsizetype Chunk = 200;
    for (qsizetype from = 0; from < rows.size(); from += Chunk) {
        const qsizetype n = std::min(Chunk, rows.size() - from);
        QStringList marks(n, QStringLiteral("?"));
        q.prepare(QStringLiteral("SELECT administration_id, version, content_hash, client_key FROM administrations WHERE "
                                 "administration_id IN (%1)")
                      .arg(marks.join(QLatin1Char(','))));
        for (qsizetype i = 0; i < n; ++i)
            q.addBindValue(rows[from + i].administrationId);
        if (!q.exec())
            return giveUp(q.lastError());
        while (q.next()) {
            Newest& e = newest[q.value(0).toString()];
            if (q.value(1).toInt() > e.version)
                e = {q.value(1).toInt(), q.value(2).toString(), q.value(3).toString()};
        }
    }
    const QStringList names = columns();
    QStringList marks(names.size(), QStringLiteral("?"));
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO administrations (%1) VALUES (%2) ON CONFLICT (administration_id, "
                                       "version) DO NOTHING")
                            .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        return giveUp(insert.lastError());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        StoredAdministration a = rows[i];
        Newest& was = newest[a.administrationId];
        // A key once published stays with the administration: after Delete Names there is no name to key it by.
        if (a.clientKey.isEmpty())
            a.clientKey = was.clientKey;
        a.contentHash = a.computeContentHash();
        if (was.version > 0 && was.hash == a.contentHash) {
            ++count.unchanged;
        } else {
            a.version = was.version + 1;
            a.supersedes = was.version > 0 ? std::optional(was.version) : std::nullopt;
            for (const QVariant& v : values(a))
                insert.addBindValue(v);
            if (!insert.exec())
                return giveUp(insert.lastError());
            // Another publisher may have written this version first: theirs stands.
            if (insert.numRowsAffected() == 0)
                ++count.unchanged;
            else
                ++(was.version > 0 ? count.superseding : count.added);
            was = {a.version, a.contentHash, a.clientKey};
        }
        if (progress && !progress(int(i + 1), int(rows.size()))) {
            db.rollback();
            count = {};
            count.error = what + QStringLiteral(": stopped.");
            return count;
        }
    }
    if (!db.commit())
        return giveUp(db.lastError());
    return count;
}

QList<StoredAdministration> Store::current(const QString& where, const QVariantList& values, QString* error) const
{
    QList<StoredAdministration> out;
    QSqlQuery q(database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM current_administrations%1 ORDER BY test_date, administration_id")
                  .arg(where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        if (error)
            *error = failed(QStringLiteral("The results store %1 cannot be read").arg(m_target.text()), q.lastError());
        return out;
    }
    while (q.next())
        out << fromRecord(q);
    return out;
}

QList<StoredAdministration> administrationsOfClient(const Store& store, const QString& clientKey)
{
    if (clientKey.isEmpty())
        return {};
    return store.current(QStringLiteral("client_key = ?"), {clientKey});
}

} // namespace Results
