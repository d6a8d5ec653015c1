#include "ClientTable.h"
#include "SupervisorOperations.h"

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
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestSupervisorOperations : public QObject {
    Q_OBJECT
private slots:
    void scrambleName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("scrambled");
        QTest::newRow("odd and even codes, blank kept") << "Ann Lee"
                                                        << "Duu Shh";
        QTest::newRow("digits and punctuation") << "O'Neil, 2"
                                                << "R*Uhls3 9";
        QTest::newRow("accented letters") << QString::fromUtf8("José") << QString::fromUtf8("Qrvì");
        QTest::newRow("even code wraps past 255") << QString::fromUtf8("ü") << "$"; // 252 + 7 = 259 -> 33 + 3
        QTest::newRow("odd code wraps past 255") << QString::fromUtf8("ÿ") << "#";  // 255 + 3 = 258 -> 33 + 2
        QTest::newRow("trailing blanks stay") << "Al   "
                                              << "Ds   ";
    }
    void scrambleName()
    {
        QFETCH(QString, name);
        QFETCH(QString, scrambled);
        QCOMPARE(ScrambleName(name), scrambled);
        QCOMPARE(ScrambleName(name).size(), name.size());
    }

    void scrambleAll_secondRunChangesNothingAndBlankFlagSkipped()
    {
        QTemporaryDir dir;
        ClientTable t;
        t.setDataPath(dir.path());
        t.LoadClients();
        addClient(t, "Ann Lee", "0");
        addClient(t, "Blank Flag", " ");
        addClient(t, "Already", "1");
        t.CurClient = 3;
        QCOMPARE(ScrambleAllNames(t), QString());
        QCOMPARE(t.CurClient, 1);
        ClientTable check;
        check.setDataPath(dir.path());
        check.LoadClients();
        QCOMPARE(check.Clients[1].Name, ClientRecord::fit("Duu Shh", 25)); // blanks of the field stay blanks
        QCOMPARE(check.Clients[1].NameDeleted, QStringLiteral("1"));
        QCOMPARE(check.Clients[1].EditCount, QStringLiteral("3"));
        QCOMPARE(check.Clients[2].Name.trimmed(), QStringLiteral("Blank Flag"));
        QCOMPARE(check.Clients[3].Name.trimmed(), QStringLiteral("Already"));
        const QByteArray before = readAll(t.ClientFilePath);
        QCOMPARE(ScrambleAllNames(t), QString());
        QCOMPARE(readAll(t.ClientFilePath), before);
    }

    void scrambleAll_failedSave_keptForTheNextRun()
    {
        QTemporaryDir dir;
        ClientTable t;
        t.setDataPath(dir.path());
        t.LoadClients();
        addClient(t, "Ann Lee", "0");
        addClient(t, "Bo Day", "0");
        const QString said = ScrambleAllNames(t, [&](int16_t n) {
            return n == 2 ? FileError{FileError::PathNotFound, QStringLiteral("gone")} : t.SaveClient(n);
        });
        QCOMPARE(said, QStringLiteral("The name of client 2 could not be deleted from the data disk: gone"));
        // The table still says what the file says, so the next run deletes the name that failed.
        QCOMPARE(t.Clients[2].Name.trimmed(), QStringLiteral("Bo Day"));
        QCOMPARE(t.Clients[2].NameDeleted, QStringLiteral("0"));
        QCOMPARE(ScrambleAllNames(t), QString());
        QVERIFY(!readAll(t.ClientFilePath).contains("Bo Day"));
    }
};

QTEST_GUILESS_MAIN(TestSupervisorOperations)
#include "test_supervisor_operations.moc"
