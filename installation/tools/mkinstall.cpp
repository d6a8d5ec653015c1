// Builds the binary pieces of the demo installation from their reviewable sources.
//   veltrane-mkinstall question-db OUT.mdb SOURCE.sql...   SQLite database from SQL scripts
//   veltrane-mkinstall client-file OUT.QN CLIENTS.txt      client file from one record per line

#include "ClientRecord.h"
#include "Cp1252.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "veltrane-mkinstall: %s\n", qPrintable(message));
    return 1;
}

// Splits a script into statements at semicolons outside quoted text; "--" comments are dropped.
QStringList statements(const QString& script)
{
    QStringList out;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!quoted && c == QLatin1Char('-') && i + 1 < script.size() && script[i + 1] == QLatin1Char('-')) {
            while (i < script.size() && script[i] != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (c == QLatin1Char(';') && !quoted) {
            if (!current.trimmed().isEmpty())
                out << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

int questionDb(const QStringList& args)
{
    const QString out = args.at(0);
    QFile::remove(out);
    int status = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
        db.setDatabaseName(out);
        if (!db.open())
            return fail(db.lastError().text());
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        db.transaction();
        for (const QString& source : args.mid(1)) {
            QFile f(source);
            if (!f.open(QIODevice::ReadOnly))
                return fail(source + QStringLiteral(": ") + f.errorString());
            for (const QString& statement : statements(QString::fromUtf8(f.readAll()))) {
                if (!q.exec(statement)) {
                    status = fail(source + QStringLiteral(": ") + q.lastError().text() + QStringLiteral("\n  in: ")
                                  + statement.left(200));
                    break;
                }
            }
            if (status)
                break;
        }
        if (status == 0)
            db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mk"));
    if (status)
        QFile::remove(out);
    return status;
}

int clientFile(const QStringList& args)
{
    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly))
        return fail(args.at(1) + QStringLiteral(": ") + in.errorString());
    QByteArray bytes;
    int lineNo = 0;
    for (QByteArray line : in.readAll().split('\n')) {
        ++lineNo;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QString text = QString::fromUtf8(line);
        if (text.size() != ClientRecord::Size)
            return fail(QStringLiteral("%1 line %2: a record has %3 characters, not %4")
                            .arg(args.at(1))
                            .arg(lineNo)
                            .arg(text.size())
                            .arg(ClientRecord::Size));
        bytes += toCp1252(text);
    }
    QFile out(args.at(0));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return fail(args.at(0) + QStringLiteral(": ") + out.errorString());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == QLatin1String("question-db"))
        return questionDb(args.mid(1));
    if (args.size() == 3 && args[0] == QLatin1String("client-file"))
        return clientFile(args.mid(1));
    return fail(QStringLiteral("usage: question-db OUT SOURCE... | client-file OUT CLIENTS.txt"));
}
