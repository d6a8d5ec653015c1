#pragma once
// A data location with three clients, the context the intake windows work on, and keyboard helpers, for one test.

#include "AppContext.h"
#include "ClientTable.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "Profile.h"
#include "TestDefinition.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// Female, 03/14/1987, Hispanic, single, high school graduate; court counts 0, 2, N, 0, 12; every answer 1.
inline ClientRecord MakeRecord(const QString& name, const QString& editCount = "0", const QString& nameDeleted = "0")
{
    ClientRecord r = ClientRecord::blank();
    r.Name = name;
    r.Gender = QStringLiteral("2");
    r.DOB = QStringLiteral("03/14/1987");
    r.Race = QStringLiteral("3");
    r.Marital = QStringLiteral("1");
    r.Education = QStringLiteral("4");
    r.TestDate = QStringLiteral("11/02/2025");
    r.DrugArrests = QStringLiteral("0");
    r.AlcoholArrests = QStringLiteral("2");
    r.Assaults = QStringLiteral("N");
    r.DVArrests = QStringLiteral("0");
    r.Anger = QStringLiteral("12");
    r.Responses = QString(NumItems, QLatin1Char('1'));
    r.EditCount = editCount;
    r.NameDeleted = nameDeleted;
    r.fitFields();
    return r;
}

// Today is 03/15/2026. Client 1 is an ordinary client, client 2 is at the edit limit, client 3's name was deleted.
class IntakeFixture {
public:
    IntakeFixture()
    {
        table.setDataPath(dir.path());
        QFile f(table.ClientFilePath);
        if (f.open(QIODevice::WriteOnly))
            f.write(MakeRecord("Sample, Avery").toBytes() + MakeRecord("Example, Jordan", "3").toBytes() +
                    MakeRecord("Xqzvrt, Pmwlk", "0", "1").toBytes());
        f.close();
        table.LoadClients();
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

    QTemporaryDir dir;
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock{QDate(2026, 3, 15)};
    Profile settings{dir.path() + QStringLiteral("/Quillan.ini")};
    DataWorkspace workspace{dir.path(), settings};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, dir.path()};
};

using Setup = std::function<void(IntakeFixture&)>;

// Editing client `n` of the file, as the main menu's edit chain does.
inline Setup Editing(int n = 1)
{
    return [n](IntakeFixture& f) {
        f.flags.EditingClient = true;
        f.table.CurClient = static_cast<int16_t>(n);
    };
}

// What the client information window leaves behind when it accepts a new client into slot NumClients + 1.
inline void NewClient(IntakeFixture& f)
{
    f.flags.EditingClient = false;
    f.table.CurClient = static_cast<int16_t>(f.table.NumClients + 1);
    f.table.current() = MakeRecord("Newcomer, Sam");
}

// Shows a window, waits until it is active and lets its activation notices run.
inline bool ShowActive(QWidget& w)
{
    w.show();
    if (!QTest::qWaitForWindowActive(&w))
        return false;
    QCoreApplication::processEvents();
    return true;
}

// A fixture, prepared by `setup`, with window W open and active on it. `setup` runs before the window is made, so
// the window opens on the prepared flags and client.
template <class W> struct Opened : IntakeFixture {
    explicit Opened(const Setup& setup = {}) : w((setup ? setup(*this) : void(), ctx))
    {
        if (!ShowActive(w))
            qFatal("%s did not become active", W::staticMetaObject.className());
    }
    W w;
};

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

// Backtab is sent with Shift, as the keyboard sends it.
inline void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    if (key == Qt::Key_Backtab)
        mods |= Qt::ShiftModifier;
    QTest::keyClick(focused(), Qt::Key(key), mods);
}

// Types into the focused widget; "\b" is Backspace and "↓" the Down arrow.
inline void typeText(const QString& text)
{
    for (QChar c : text) {
        if (c == QChar(0x2193))
            press(Qt::Key_Down);
        else
            QTest::keyClicks(focused(), QString(c));
    }
}
