#pragma once
// A program folder with a question database and sound files, a data location with three clients and a new one being
// entered, and the keys a client presses to take the test on screen.

#include "AppContext.h"
#include "ClientTable.h"
#include "DataWorkspace.h"
#include "FakeAudio.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "Presentation.h"
#include "Profile.h"
#include "QuestionFixtures.h"
#include "frmPresentQA.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

class PresentFixture {
public:
    // `tables` are made in this order, each holding the fixture items; `extraSql` runs after them.
    explicit PresentFixture(const QStringList& tables = {QStringLiteral("English"), QStringLiteral("Spanish")},
                            const QStringList& extraSql = {})
    {
        QStringList sql;
        for (const QString& t : tables)
            sql << FixtureTableSql(t);
        databaseError = MakeDatabase(dir.filePath(QStringLiteral("qn.mdb")), sql + extraSql);
        for (const char* language : {"ENGLISH", "SPANISH"}) {
            const QString folder = dir.filePath(QStringLiteral("QUILLAN/sound/") + QLatin1String(language));
            QDir().mkpath(folder);
            QStringList names{"Inst0", "Inst1", "Inst2", "Inst3"};
            for (const QuestionItem& item : FixtureQuestionSet().Items) {
                names << item.QuestionAudio;
                for (const QString& a : item.ChoiceAudio)
                    if (!a.isEmpty())
                        names << a;
            }
            for (const QString& name : names) {
                QFile f(folder + QLatin1Char('/') + name + QStringLiteral(".wav"));
                (void)f.open(QIODevice::WriteOnly);
            }
        }

        QDir().mkpath(dataDir());
        table.setDataPath(dataDir());
        QByteArray bytes;
        for (const char* name : {"Sample, Avery", "Example, Jordan", "Person, Casey"}) {
            ClientRecord r = ClientRecord::blank();
            r.Name = QString::fromLatin1(name);
            r.Responses = QString(NumItems, QLatin1Char('1'));
            r.fitFields();
            bytes += r.toBytes();
        }
        QFile f(table.ClientFilePath);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        f.close();
        table.LoadClients();
        settings = std::make_unique<Profile>(dir.filePath(QStringLiteral("Quillan.ini")));
        workspace = std::make_unique<DataWorkspace>(dir.path(), *settings);
        ctx = std::make_unique<AppContext>(table, flags, prompts, clock, *settings, *workspace, dir.path());
        ctx->SoundPath = dir.path();
        ctx->audio = &audio;
    }

    QString dataDir() const { return dir.filePath(QStringLiteral("data")); }

    // What the client information window leaves behind for a new client it accepted.
    void startNewClient(const QString& name = QStringLiteral("Newcomer, Robin"))
    {
        flags.EditingClient = false;
        table.CurClient = static_cast<int16_t>(table.NumClients + 1);
        ClientRecord r = ClientRecord::blank();
        r.Name = name;
        r.Responses = QString(NumItems, QLatin1Char('0'));
        r.fitFields();
        table.current() = r;
        flags.ContinueFlag = true;
    }

    QByteArray fileBytes() const
    {
        QFile f(table.ClientFilePath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    ClientRecord fileRecord(int n) const
    {
        return ClientRecord::fromBytes(fileBytes().mid((n - 1) * ClientRecord::Size, ClientRecord::Size));
    }
    // The names of the wave files the audio was asked to play, in order.
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
    std::unique_ptr<Profile> settings;
    std::unique_ptr<DataWorkspace> workspace;
    std::unique_ptr<AppContext> ctx;
};

// A key pressed in `window` where its focus is, as the client presses it; sent even while the window is not the
// active one, so a busy machine cannot make a key go astray.
inline void PressKey(QWidget* window, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
}

// Takes the test with the keys: Enter on every instructions screen, then for each item Down to the first answer,
// Down again to the answer `slotFor(item)` and Enter. Stops when the window has closed, or with item `stopAt`
// showing and its question box focused. False if the window stopped answering keys.
inline bool TakeTest(
    frmPresentQA& w, const std::function<int(int)>& slotFor = [](int) { return 0; }, int stopAt = 0)
{
    for (int guard = 0; guard < 3000; ++guard) {
        if (!w.isVisible())
            return true;
        const Presentation* p = w.presentation();
        if (p->InstructionsShowing()) {
            PressKey(&w, Qt::Key_Return);
            continue;
        }
        const int id = p->CurrentItem().ID;
        if (id == stopAt)
            return true;
        for (int i = 0; i <= slotFor(id); ++i)
            PressKey(&w, Qt::Key_Down);
        PressKey(&w, Qt::Key_Return);
    }
    return false;
}

// The answer slot each item gets in the whole tests: every slot the item offers is used somewhere.
inline int SpreadSlot(int id)
{
    return (id * 7 + id / 5) % FixtureAnswerCount(id);
}
