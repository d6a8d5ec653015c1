#pragma once
// A data location with a few clients, the context the intake windows work on, and keyboard helpers, for one test.

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

struct ClientSpec {
    QString name;
    QString dob = QStringLiteral("03/14/1987");
    QString editCount = QStringLiteral("0");
    QString nameDeleted = QStringLiteral("0");
};

// Female, Hispanic, single, high school graduate; court counts 0, 2, N, 0, 12; every answer 1.
inline ClientRecord MakeRecord(const ClientSpec& s)
{
    ClientRecord r = ClientRecord::blank();
    r.Name = s.name;
    r.Gender = QStringLiteral("2");
    r.DOB = s.dob;
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
    r.EditCount = s.editCount;
    r.NameDeleted = s.nameDeleted;
    r.fitFields();
    return r;
}

// The three clients most tests start from: an ordinary one, one at the edit limit, one whose name was deleted.
inline QList<ClientSpec> StandardClients()
{
    return {{QStringLiteral("Sample, Avery")},
            {QStringLiteral("Example, Jordan"), QStringLiteral("03/14/1987"), QStringLiteral("3")},
            {QStringLiteral("Xqzvrt, Pmwlk"), QStringLiteral("03/14/1987"), QStringLiteral("0"), QStringLiteral("1")}};
}

class IntakeFixture {
public:
    // Today is 03/15/2026 in every intake test.
    explicit IntakeFixture(const QList<ClientSpec>& clients = StandardClients())
    {
        QByteArray bytes;
        for (const ClientSpec& c : clients)
            bytes += MakeRecord(c).toBytes();
        table.setDataPath(dir.path());
        QFile f(table.ClientFilePath);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        f.close();
        table.LoadClients();
        settings = std::make_unique<Profile>(dir.path() + QStringLiteral("/Quillan.ini"));
        workspace = std::make_unique<DataWorkspace>(dir.path(), *settings);
        ctx = std::make_unique<AppContext>(table, flags, prompts, clock, *settings, *workspace, dir.path());
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
    std::unique_ptr<Profile> settings;
    std::unique_ptr<DataWorkspace> workspace;
    std::unique_ptr<AppContext> ctx;
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
    explicit Opened(const Setup& setup = {}, const std::function<void(W&)>& beforeShow = {},
                    const QList<ClientSpec>& clients = StandardClients())
        : IntakeFixture(clients), w((setup ? setup(*this) : void(), *ctx))
    {
        if (beforeShow)
            beforeShow(w);
        if (!ShowActive(w))
            qFatal("%s did not become active", W::staticMetaObject.className());
    }
    W w;
};

// One row of a data-driven test, its values in column order.
template <typename... Values> void Row(const char* name, const Values&... values)
{
    QTestData& row = QTest::newRow(name);
    ((row << values), ...);
}

inline bool LabelIsBold(const QWidget* window, int i)
{
    const auto* label = window->findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(i));
    return label && label->font().bold();
}

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

inline QString nameOf(const QWidget* w)
{
    return w ? w->objectName() : QStringLiteral("(none)");
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
