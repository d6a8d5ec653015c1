#pragma once
// A program folder with question tables and sound files, a data location with three clients, and the keys a client
// presses to take the test on screen.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeAudio.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "Profile.h"
#include "QuestionFixtures.h"
#include "TestFiles.h"
#include "frmPresentQA.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class PresentFixture {
public:
    // `tables` hold the fixture items and are made in this order; `extraSql` runs after them.
    explicit PresentFixture(const QStringList& tables = {QStringLiteral("English"), QStringLiteral("Spanish")},
                            const QStringList& extraSql = {})
    {
        QStringList sql;
        for (const QString& t : tables)
            sql << FixtureTableSql(t);
        databaseError = MakeDatabase(dir.filePath(QStringLiteral("qn.mdb")), sql + extraSql);
        QStringList names{"Inst0", "Inst1", "Inst2", "Inst3"};
        for (const QuestionItem& item : FixtureQuestionSet().Items)
            names << item.QuestionAudio << QList<QString>(item.ChoiceAudio.begin(), item.ChoiceAudio.end());
        for (const char* language : {"ENGLISH", "SPANISH"}) {
            const QString folder = dir.filePath(QStringLiteral("QUILLAN/sound/") + QLatin1String(language));
            QDir().mkpath(folder);
            for (const QString& name : names) // an empty name makes ".wav", which nothing asks for
                (void)QFile(folder + QLatin1Char('/') + name + QStringLiteral(".wav")).open(QIODevice::WriteOnly);
        }
        QDir().mkpath(dir.filePath(QStringLiteral("data")));
        table.setDataPath(dir.filePath(QStringLiteral("data")));
        WriteFile(table.ClientFilePath, ClientRecord::blank().toBytes().repeated(3)); // three clients
        table.LoadClients();
        ctx = std::make_unique<AppContext>(table, flags, prompts, clock, settings, workspace, dir.path());
        ctx->SoundPath = dir.path();
        ctx->audio = &audio;
    }

    // What the client information window leaves behind when it accepts a new client.
    void startNewClient()
    {
        flags.EditingClient = false;
        table.CurClient = static_cast<int16_t>(table.NumClients + 1);
        table.current() = ClientRecord::blank();
        table.current().Name = QStringLiteral("Newcomer, Robin");
        table.current().fitFields();
        flags.ContinueFlag = true;
    }

    QByteArray fileBytes() const { return ReadBytes(table.ClientFilePath); }
    // The wave files the audio was asked to play, by name, in order.
    QStringList playedNames() const
    {
        QStringList names;
        for (const QString& path : audio.played)
            names << QFileInfo(path).fileName();
        return names;
    }

    QTemporaryDir dir;
    QString databaseError;
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock;
    FakeAudio audio;
    Profile settings{dir.filePath(QStringLiteral("Quillan.ini"))};
    DataWorkspace workspace{dir.path(), settings};
    std::unique_ptr<AppContext> ctx;
};

// A key pressed in `window` where its focus is, sent even while the window is not the active one.
inline void PressKey(QWidget* window, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, static_cast<Qt::Key>(key), mods);
}

// The answer slot each item gets in the whole tests; every slot an item can offer is used somewhere.
inline int SpreadSlot(int id)
{
    return (id * 7 + id / 5) % FixtureAnswerCount(id);
}

// Takes the test with the keys: Enter on every instructions screen, and for each item Down to the first answer,
// Down again to answer SpreadSlot(item), and Enter. Stops when the window has closed, or with item `stopAt` shown
// and its question box focused. False if the window stopped answering keys.
inline bool TakeTest(frmPresentQA& w, int stopAt = 0)
{
    for (int guard = 0; guard < 3000; ++guard) {
        if (!w.isVisible())
            return true;
        if (w.presentation()->InstructionsShowing()) {
            PressKey(&w, Qt::Key_Return);
            continue;
        }
        const int id = w.presentation()->CurrentItem().ID;
        if (id == stopAt)
            return true;
        for (int i = 0; i <= SpreadSlot(id); ++i)
            PressKey(&w, Qt::Key_Down);
        PressKey(&w, Qt::Key_Return);
    }
    return false;
}
