#include "ClientTable.h"
#include "Cp1252.h"
#include "TestDefinition.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray recordBytes(const QString& name, QChar fill = QLatin1Char('1'))
{
    ClientRecord r = ClientRecord::blank();
    r.Name = name;
    r.Gender = QStringLiteral("2");
    r.DOB = QStringLiteral("03/14/1987");
    r.Responses = QString(NumItems, fill);
    r.EditCount = QStringLiteral("0");
    r.NameDeleted = QStringLiteral("0");
    return r.toBytes();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestClientTable : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_table = ClientTable();
        m_table.setDataPath(m_dir->path());
    }

    void load_missingFile_createsEmptyFileAndEmptyTable()
    {
        const auto result = m_table.LoadClients();
        QVERIFY(!result.error);
        QCOMPARE(m_table.NumClients, 0);
        QCOMPARE(m_table.CurClient, 0);
        QVERIFY(QFile::exists(m_table.ClientFilePath));
        QCOMPARE(QFileInfo(m_table.ClientFilePath).size(), 0);
    }

    void load_recordCount_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("clients");
        QTest::newRow("three whole records") << 3 * 184 << 3;
        QTest::newRow("half record rounds to even, down") << 2 * 184 + 92 << 2;
        QTest::newRow("half record rounds to even, up") << 3 * 184 + 92 << 4;
        QTest::newRow("short tail dropped") << 3 * 184 + 50 << 3;
        QTest::newRow("long tail counted") << 3 * 184 + 150 << 4;
        QTest::newRow("less than half a record") << 60 << 0;
    }
    void load_recordCount()
    {
        QFETCH(int, bytes);
        QFETCH(int, clients);
        QByteArray content;
        for (int i = 0; i < 5; ++i)
            content += recordBytes(QStringLiteral("Client %1").arg(i + 1));
        writeFile(m_table.ClientFilePath, content.left(bytes));
        const auto result = m_table.LoadClients();
        QVERIFY(!result.error);
        QCOMPARE(m_table.NumClients, clients);
        QCOMPARE(m_table.CurClient, clients > 0 ? 1 : 0);
        if (clients >= 2)
            QCOMPARE(m_table.Clients[2].Name, ClientRecord::fit(QStringLiteral("Client 2"), 25));
        if (bytes % 184 > 92) {
            // The partial last record reads what is there and blanks the rest.
            const ClientRecord& last = m_table.Clients[clients];
            QCOMPARE(last.Name.trimmed(), QStringLiteral("Client %1").arg(clients));
            QCOMPARE(last.NameDeleted, QStringLiteral(" "));
        }
    }

    void load_moreThanTableHolds_readsFirst51AndSavesNothingPastThem()
    {
        QByteArray content;
        for (int i = 1; i <= 55; ++i)
            content += recordBytes(QStringLiteral("Client %1").arg(i));
        writeFile(m_table.ClientFilePath, content);
        const auto result = m_table.LoadClients();
        QVERIFY(!result.error);
        QCOMPARE(m_table.NumClients, 51);
        QCOMPARE(result.recordsInFile, 55);
        QVERIFY(result.notice.contains(QStringLiteral("55")));
        QCOMPARE(m_table.Clients[51].Name.trimmed(), QStringLiteral("Client 51"));
        QVERIFY(m_table.SaveClient(52).failed());
        m_table.Clients[51].Name = QStringLiteral("Changed");
        QVERIFY(!m_table.SaveClient(51));
        const QByteArray after = readFile(m_table.ClientFilePath);
        QCOMPARE(after.size(), content.size());
        QCOMPARE(after.mid(51 * 184), content.mid(51 * 184)); // records 52..55 kept
        QVERIFY(after.mid(50 * 184, 25).startsWith("Changed"));
    }

    void save_fieldWidths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("cut at 25") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcd")
                                   << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXY");
        QTest::newRow("padded") << QStringLiteral("Smith") << QByteArray("Smith                    ");
        QTest::newRow("Windows-1252 on disk")
            << QStringLiteral("Muñoz €") << QByteArray("Mu\xf1oz \x80                  ");
    }
    void save_fieldWidths()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        QVERIFY(!m_table.LoadClients().error);
        m_table.Clients[1] = ClientRecord::blank();
        m_table.Clients[1].Name = name;
        QVERIFY(!m_table.SaveClient(1));
        const QByteArray bytes = readFile(m_table.ClientFilePath);
        QCOMPARE(bytes.size(), 184);
        QCOMPARE(bytes.left(25), stored);
        QVERIFY(!m_table.LoadClients().error);
        QCOMPARE(m_table.Clients[1].Name, ClientRecord::fit(name, 25));
    }

    void save_layout_placesEveryFieldAtItsOffset()
    {
        ClientRecord r;
        r.Name = "Lee, Ann";
        r.Gender = "2";
        r.DOB = "01/02/1990";
        r.Race = "3";
        r.Marital = "4";
        r.Education = "5";
        r.TestDate = "12/06/2026";
        r.DrugArrests = "12";
        r.AlcoholArrests = "N";
        r.Assaults = "0";
        r.DVArrests = "9";
        r.Anger = "99";
        r.Responses = QString(123, '2');
        r.EditCount = "1";
        r.NameDeleted = "0";
        const QByteArray expected =
            "Lee, Ann                 201/02/199034512/06/202612N 0 9 99" + QByteArray(123, '2') + "10";
        QCOMPARE(r.toBytes(), expected);
        QCOMPARE(ClientRecord::fromBytes(expected).toBytes(), expected);
    }

    void clearClient_blanksSlotAndLeavesFile()
    {
        writeFile(m_table.ClientFilePath, recordBytes("A") + recordBytes("B"));
        QVERIFY(!m_table.LoadClients().error);
        m_table.CurClient = 3;
        m_table.Clients[3] = ClientRecord::fromBytes(recordBytes("New"));
        m_table.ClearClient();
        QCOMPARE(m_table.Clients[3], ClientRecord::blank());
        QCOMPARE(readFile(m_table.ClientFilePath), recordBytes("A") + recordBytes("B"));
    }

    void save_locationVanished_reportsPathNotFound()
    {
        QVERIFY(!m_table.LoadClients().error);
        m_table.setDataPath(m_dir->path() + QStringLiteral("/gone"));
        m_table.Clients[1] = ClientRecord::fromBytes(recordBytes("A"));
        const FileError e = m_table.SaveClient(1);
        QCOMPARE(e.number, int(FileError::PathNotFound));
        QVERIFY(e.description.contains(QStringLiteral("gone")));
        QCOMPARE(m_table.LoadClients().error.number, int(FileError::PathNotFound));
    }

    void cp1252_roundTripsEveryByte()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        QCOMPARE(toCp1252(fromCp1252(all)), all);
        QCOMPARE(fromCp1252("\x80\x99"), QStringLiteral("€™"));
        QCOMPARE(toCp1252(QStringLiteral("Ω")), QByteArray("?"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ClientTable m_table;
};

QTEST_GUILESS_MAIN(TestClientTable)
#include "test_client_table.moc"
