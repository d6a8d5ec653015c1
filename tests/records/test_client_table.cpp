#include "ClientTable.h"
#include "Cp1252.h"
#include "TestDefinition.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

QByteArray recordBytes(const QString& name)
{
    ClientRecord r = ClientRecord::blank();
    r.Name = name;
    r.NameDeleted = QStringLiteral("0");
    return r.toBytes();
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

    void load_recordCount()
    {
        // No file: an empty one is made. A part of a record counts when more than half of it is there, a half when
        // that makes the count even.
        QVERIFY(!m_table.LoadClients().error);
        QVERIFY(m_table.NumClients == 0 && m_table.CurClient == 0 && QFile::exists(m_table.ClientFilePath));
        QCOMPARE(QFileInfo(m_table.ClientFilePath).size(), 0);
        QByteArray content;
        for (int i = 0; i < 5; ++i)
            content += recordBytes(QStringLiteral("Client %1").arg(i + 1));
        for (auto [bytes, clients] : {std::pair{3 * 184, 3},
                                      {2 * 184 + 92, 2},
                                      {3 * 184 + 92, 4},
                                      {3 * 184 + 50, 3},
                                      {3 * 184 + 150, 4},
                                      {60, 0}}) {
            WriteFile(m_table.ClientFilePath, content.left(bytes));
            QVERIFY(!m_table.LoadClients().error);
            QCOMPARE(m_table.NumClients, clients);
            QCOMPARE(m_table.CurClient, clients > 0 ? 1 : 0);
            if (clients >= 2)
                QCOMPARE(m_table.Clients[2].Name, ClientRecord::fit(QStringLiteral("Client 2"), 25));
            if (bytes % 184 > 92) // the partial last record reads what is there and blanks the rest
                QVERIFY(m_table.Clients[clients].Name.trimmed() == QStringLiteral("Client %1").arg(clients) &&
                        m_table.Clients[clients].NameDeleted == QStringLiteral(" "));
        }
    }

    void load_moreThanTableHolds_readsFirst51AndSavesNothingPastThem()
    {
        QByteArray content;
        for (int i = 1; i <= 55; ++i)
            content += recordBytes(QStringLiteral("Client %1").arg(i));
        WriteFile(m_table.ClientFilePath, content);
        const auto result = m_table.LoadClients();
        QVERIFY(!result.error && result.recordsInFile == 55 && result.notice.contains(QStringLiteral("55")));
        QVERIFY(m_table.NumClients == 51 && m_table.Clients[51].Name.trimmed() == QStringLiteral("Client 51"));
        QVERIFY(m_table.SaveClient(52).failed());
        m_table.Clients[51].Name = QStringLiteral("Changed");
        QVERIFY(!m_table.SaveClient(51));
        const QByteArray after = ReadBytes(m_table.ClientFilePath);
        QCOMPARE(after.size(), content.size());
        QCOMPARE(after.mid(51 * 184), content.mid(51 * 184)); // records 52..55 kept
        QVERIFY(after.mid(50 * 184, 25).startsWith("Changed"));
    }

    // A huge sparse file is read only as far as the table's records; a folder or a pipe is not a client file.
    void load_hugeOrOddFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("said"); // in the notice, or in the error
        QTest::newRow("100 GB, sparse") << "sparse" << "only 51 can be shown";
        QTest::newRow("a folder") << "folder" << "is a folder, a device or a pipe, not a client file";
        QTest::newRow("a pipe") << "fifo" << "is a folder, a device or a pipe, not a client file";
    }
    void load_hugeOrOddFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, said);
        const QByteArray path = QFile::encodeName(m_table.ClientFilePath);
        if (kind == u"sparse") {
            QFile f(m_table.ClientFilePath);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(recordBytes(QStringLiteral("First"))) == 184 &&
                    f.resize(100LL << 30));
        } else {
            QVERIFY(kind == u"folder" ? QDir().mkdir(m_table.ClientFilePath) : ::mkfifo(path.constData(), 0600) == 0);
        }
        const ClientTable::LoadResult r = m_table.LoadClients();
        QVERIFY2((r.error ? r.error.description : r.notice).contains(said), qPrintable(r.error.description + r.notice));
        QCOMPARE(m_table.NumClients, kind == u"sparse" ? 51 : 0);
    }

    void save_fieldWidths()
    {
        // Cut at 25, padded, and Windows-1252 on disk.
        for (auto [name, stored] :
             {std::pair{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcd", QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXY")},
              {"Smith", QByteArray("Smith                    ")},
              {"Mu\u00f1oz \u20ac", QByteArray("Mu\xf1oz \x80                  ")}}) {
            QVERIFY(!m_table.LoadClients().error);
            m_table.Clients[1] = ClientRecord::blank();
            m_table.Clients[1].Name = QString::fromUtf8(name);
            QVERIFY(!m_table.SaveClient(1));
            QCOMPARE(ReadBytes(m_table.ClientFilePath).size(), 184);
            QCOMPARE(ReadBytes(m_table.ClientFilePath).left(25), stored);
            QVERIFY(!m_table.LoadClients().error);
            QCOMPARE(m_table.Clients[1].Name, ClientRecord::fit(QString::fromUtf8(name), 25));
        }
    }

    void layout_everyFieldAtItsOffset()
    {
        const QByteArray bytes =
            "Lee, Ann                 201/02/199034512/06/202612N 0 9 99" + QByteArray(123, '2') + "10";
        const ClientRecord r = ClientRecord::fromBytes(bytes);
        QCOMPARE(
            (QStringList{r.Name.trimmed(), r.Gender, r.DOB, r.Race, r.Marital, r.Education, r.TestDate, r.DrugArrests,
                         r.AlcoholArrests, r.Assaults, r.DVArrests, r.Anger, r.EditCount, r.NameDeleted, r.Responses}),
            (QStringList{"Lee, Ann", "2", "01/02/1990", "3", "4", "5", "12/06/2026", "12", "N ", "0 ", "9 ", "99", "1",
                         "0", QString(123, u'2')}));
        QCOMPARE(r.toBytes(), bytes);
    }

    void clearClientLeavesTheFile_andAVanishedLocationIsSaid()
    {
        WriteFile(m_table.ClientFilePath, recordBytes("A") + recordBytes("B"));
        QVERIFY(!m_table.LoadClients().error);
        m_table.CurClient = 3;
        m_table.Clients[3] = ClientRecord::fromBytes(recordBytes("New"));
        m_table.ClearClient();
        QCOMPARE(m_table.Clients[3], ClientRecord::blank());
        QCOMPARE(ReadBytes(m_table.ClientFilePath), recordBytes("A") + recordBytes("B"));
        // The location gone: saving and loading say so.
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
