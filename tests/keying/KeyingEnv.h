#pragma once
// A program folder with a question database, a data location with a client file, and a context for the windows.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "Profile.h"
#include "QuestionFixture.h"
#include "TestDefinition.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

struct KeyingEnv {
    explicit KeyingEnv(const QStringList& sheet = StandardSheet(), bool withDatabase = true)
        : settings(dir.path() + "/Quillan.ini"), workspace(dir.path(), settings),
          ctx(table, flags, prompts, clock, settings, workspace, dir.path())
    {
        if (withDatabase)
            databaseError = WriteQuestionDatabase(workspace.questionDatabasePath(), sheet);
        QDir(dir.path()).mkdir("data");
        table.setDataPath(dir.path() + "/data");
        table.LoadClients();
    }

    // Adds an existing client with these answers, written to the client file, and makes it current.
    int addClient(const QString& name, const QString& responses)
    {
        const int n = put(name, responses);
        table.SaveClient(static_cast<int16_t>(n));
        table.CountNewClient();
        return n;
    }

    // A new client filled in by the intake windows but not written: the slot after the last client.
    int startNewClient(const QString& name)
    {
        flags.EditingClient = false;
        return put(name, EmptyResponses());
    }

    // Fills the slot after the last client and makes it current.
    int put(const QString& name, const QString& responses)
    {
        const int n = table.NumClients + 1;
        ClientRecord r = ClientRecord::blank();
        r.Name = name;
        r.Responses = responses;
        r.EditCount = "0";
        r.NameDeleted = "0";
        r.fitFields();
        table.Clients[n] = r;
        table.CurClient = static_cast<int16_t>(n);
        return n;
    }

    QByteArray clientFile() const
    {
        QFile f(table.ClientFilePath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Record n of the client file as it is on disk.
    ClientRecord recordOnDisk(int n) const
    {
        return ClientRecord::fromBytes(clientFile().mid((n - 1) * ClientRecord::Size, ClientRecord::Size));
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
