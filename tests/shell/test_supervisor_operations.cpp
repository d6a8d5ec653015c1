#include "ClientTable.h"
#include "SupervisorOperations.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
void addClient(ClientTable& t, const QString& name, const QString& deleted)
{
    const int16_t n = ++t.NumClients;
    t.Clients[n] = ClientRecord::blank();
    t.Clients[n].Name = name;
    t.Clients[n].NameDeleted = deleted;
    t.Clients[n].EditCount = QStringLiteral("1");
    QVERIFY(!t.SaveClient(n));
}
} // namespace

class TestSupervisorOperations : public QObject {
    Q_OBJECT
private slots:
    void scrambleName()
    {
        // Odd and even codes, blanks kept; digits and punctuation; accented letters; codes wrapping past 255
        // (252 + 7 = 259 -> 33 + 3, 255 + 3 = 258 -> 33 + 2); trailing blanks.
        for (auto [name, scrambled] : {std::pair{"Ann Lee", "Duu Shh"},
                                       {"O'Neil, 2", "R*Uhls3 9"},
                                       {"Jos\u00e9", "Qrv\u00ec"},
                                       {"\u00fc", "$"},
                                       {"\u00ff", "#"},
                                       {"Al   ", "Ds   "}})
            QCOMPARE(ScrambleName(QString::fromUtf8(name)), QString::fromUtf8(scrambled));
    }

    void scrambleAll_flaggedOnlyOnceAndFailedSaveKeptForTheNextRun()
    {
        QTemporaryDir dir;
        ClientTable t;
        t.setDataPath(dir.path());
        t.LoadClients();
        addClient(t, "Ann Lee", "0");
        addClient(t, "Blank Flag", " ");
        addClient(t, "Already", "1");
        addClient(t, "Bo Day", "0");
        t.CurClient = 3;
        // A save that fails is said, and the table still says what the file says, so the next run deletes it.
        const QString said = ScrambleAllNames(t, [&](int16_t n) {
            return n == 4 ? FileError{FileError::PathNotFound, QStringLiteral("gone")} : t.SaveClient(n);
        });
        QCOMPARE(said, QStringLiteral("The name of client 4 could not be deleted from the data disk: gone"));
        QCOMPARE(t.Clients[4].Name.trimmed(), QStringLiteral("Bo Day"));
        QCOMPARE(t.Clients[4].NameDeleted, QStringLiteral("0"));
        QCOMPARE(ScrambleAllNames(t), QString());
        QVERIFY(!ReadBytes(t.ClientFilePath).contains("Bo Day"));
        QCOMPARE(t.CurClient, 1);
        ClientTable check;
        check.setDataPath(dir.path());
        check.LoadClients();
        QCOMPARE(check.Clients[1].Name, ClientRecord::fit("Duu Shh", 25)); // blanks of the field stay blanks
        QCOMPARE(check.Clients[1].NameDeleted, QStringLiteral("1"));
        QCOMPARE(check.Clients[1].EditCount, QStringLiteral("3"));
        QCOMPARE(check.Clients[2].Name.trimmed(), QStringLiteral("Blank Flag"));
        QCOMPARE(check.Clients[3].Name.trimmed(), QStringLiteral("Already"));
        const QByteArray before = ReadBytes(t.ClientFilePath);
        QCOMPARE(ScrambleAllNames(t), QString());
        QCOMPARE(ReadBytes(t.ClientFilePath), before);
    }
};

QTEST_GUILESS_MAIN(TestSupervisorOperations)
#include "test_supervisor_operations.moc"
