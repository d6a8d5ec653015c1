#pragma once
// A data location with a few clients, and the context the intake windows work on, for one test.

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
#include <memory>

struct ClientSpec {
    QString name;
    QString gender = QStringLiteral("2");
    QString dob = QStringLiteral("03/14/1987");
    QString race = QStringLiteral("3");
    QString marital = QStringLiteral("1");
    QString education = QStringLiteral("4");
    QString editCount = QStringLiteral("0");
    QString nameDeleted = QStringLiteral("0");
};

inline ClientRecord MakeRecord(const ClientSpec& s)
{
    ClientRecord r = ClientRecord::blank();
    r.Name = s.name;
    r.Gender = s.gender;
    r.DOB = s.dob;
    r.Race = s.race;
    r.Marital = s.marital;
    r.Education = s.education;
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

class IntakeFixture {
public:
    // Today is 03/15/2026 in every intake test.
    static QDate Today() { return QDate(2026, 3, 15); }

    explicit IntakeFixture(const QList<ClientSpec>& clients)
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
    FakeClock clock{Today()};
    std::unique_ptr<Profile> settings;
    std::unique_ptr<DataWorkspace> workspace;
    std::unique_ptr<AppContext> ctx;
};

// The three clients most tests start from: an ordinary one, one at the edit limit, one whose name was deleted.
inline QList<ClientSpec> StandardClients()
{
    ClientSpec avery{QStringLiteral("Sample, Avery")};
    ClientSpec limit{QStringLiteral("Example, Jordan")};
    limit.editCount = QStringLiteral("3");
    ClientSpec deleted{QStringLiteral("Xqzvrt, Pmwlk")};
    deleted.nameDeleted = QStringLiteral("1");
    return {avery, limit, deleted};
}

inline bool LabelIsBold(const QWidget* window, int i)
{
    const auto* label = window->findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(i));
    return label && label->font().bold();
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
