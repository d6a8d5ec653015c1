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

    void printAll_leavesNumberedCopiesAndPrintsInOrder()
    {
        QTemporaryDir program;
        QTemporaryDir data;
        ClientTable t;
        t.setDataPath(data.path());
        t.LoadClients();
        for (const char* n : {"A", "B", "C"})
            addClient(t, n, "0");
        QStringList printed;
        PrintAllSteps steps;
        steps.scoreAndReport = [&] {
            QFile f(program.path() + "/report.prn");
            f.open(QIODevice::WriteOnly);
            f.write("report of " + t.current().Name.trimmed().toLatin1());
            return QString();
        };
        steps.printReport = [&] {
            printed << QString::fromLatin1(readAll(program.path() + "/report.prn"));
            return QString();
        };
        t.CurClient = 2;
        QCOMPARE(PrintAllReports(t, program.path(), steps), QString());
        QCOMPARE(printed, (QStringList{"report of A", "report of B", "report of C"}));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(QFile::exists(program.path() + QStringLiteral("/temp%1").arg(n)));
        QCOMPARE(t.CurClient, 1);
    }

    void printAll_failureIsReportedNotSuccess_data()
    {
        QTest::addColumn<bool>("scoringFails");
        QTest::newRow("scoring fails") << true;
        QTest::newRow("printer fails") << false;
    }
    void printAll_failureIsReportedNotSuccess()
    {
        QFETCH(bool, scoringFails);
        QTemporaryDir program;
        QTemporaryDir data;
        ClientTable t;
        t.setDataPath(data.path());
        t.LoadClients();
        addClient(t, "A", "0");
        addClient(t, "B", "0");
        PrintAllSteps steps;
        steps.scoreAndReport = [&] {
            QFile f(program.path() + "/report.prn");
            f.open(QIODevice::WriteOnly);
            f.write("x");
            return scoringFails && t.CurClient == 2 ? QStringLiteral("QNB.TXT ends early") : QString();
        };
        steps.printReport = [&] { return scoringFails ? QString() : QStringLiteral("No printer is installed."); };
        const QString message = PrintAllReports(t, program.path(), steps);
        QVERIFY(message.contains(scoringFails ? "client 2" : "client 1"));
        QVERIFY(message.contains(scoringFails ? "QNB.TXT" : "No printer"));
        QCOMPARE(t.CurClient, 1);
    }
};

QTEST_GUILESS_MAIN(TestSupervisorOperations)
#include "test_supervisor_operations.moc"
