#pragma once
// A program folder with a question database, a data location with a client file, and a context for the windows.
// The database holds the English table's item numbers and second answers, which file each item into its grid.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "Profile.h"
#include "TestDefinition.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

// Section 1 true/false, section 2 frequency ratings, section 3 items with their own answers; item n is at n - 1.
// With `otherForms`, some section 3 items are in the five-answer and yes/no forms.
inline QStringList StandardSheet(bool otherForms = false)
{
    QStringList answer2;
    for (int id = 1; id <= 123; ++id)
        answer2 << (id <= 86 ? "False" : id <= 110 ? "Sometimes" : id % 2 ? "One or two" : "Once a month");
    if (otherForms) {
        answer2[112] = answer2[113] = "Mostly True";
        answer2[116] = answer2[117] = "Often";
        answer2[119] = "No";
    }
    return answer2;
}

// Runs `statements` on a new SQLite file; returns an error text or an empty string.
inline QString WriteDatabase(const QString& path, const QStringList& statements)
{
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
        db.setDatabaseName(path);
        error = db.open() ? QString() : db.lastError().text();
        QSqlQuery q(db);
        db.transaction();
        for (int i = 0; i < statements.size() && error.isEmpty(); ++i)
            error = q.exec(statements[i]) ? QString() : q.lastError().text();
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
    return error;
}

// The English table of a sheet.
inline QStringList SheetSql(const QStringList& answer2)
{
    QStringList sql{"CREATE TABLE English (ID INTEGER, ANSWER2 TEXT)"};
    for (int id = 1; id <= answer2.size(); ++id)
        sql << QStringLiteral("INSERT INTO English VALUES (%1, '%2')").arg(id).arg(answer2[id - 1]);
    return sql;
}

struct KeyingEnv {
    explicit KeyingEnv(const QStringList& sheet = StandardSheet(), bool withDatabase = true)
        : settings(dir.path() + "/Quillan.ini"), workspace(dir.path(), settings),
          ctx(table, flags, prompts, clock, settings, workspace, dir.path())
    {
        if (withDatabase)
            databaseError = WriteDatabase(workspace.questionDatabasePath(), SheetSql(sheet));
        QDir(dir.path()).mkdir("data");
        table.setDataPath(dir.path() + "/data");
        table.LoadClients();
    }

    // Adds an existing client with these answers, written to the client file, and makes it current.
    int addClient(const QString& name, const QString& responses)
    {
        const int n = startNewClient(name, responses);
        table.SaveClient(static_cast<int16_t>(n));
        table.CountNewClient();
        return n;
    }

    // A new client filled in by the intake windows but not written, in the slot after the last client, made current.
    int startNewClient(const QString& name, const QString& responses = EmptyResponses())
    {
        flags.EditingClient = false;
        const int n = table.NumClients + 1;
        ClientRecord& r = table.Clients[n] = ClientRecord::blank();
        r.Name = name;
        r.Responses = responses;
        r.EditCount = r.NameDeleted = "0";
        r.fitFields();
        table.CurClient = static_cast<int16_t>(n);
        return n;
    }

    // The client file's bytes, or those of its record `n` alone.
    QByteArray clientFile(int n = 0) const
    {
        const QByteArray all = ReadBytes(table.ClientFilePath);
        return n ? all.mid((n - 1) * ClientRecord::Size, ClientRecord::Size) : all;
    }

    QTemporaryDir dir;
    Profile settings;
    DataWorkspace workspace;
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock;
    AppContext ctx;
    QString databaseError;
};
