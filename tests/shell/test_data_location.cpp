#include "AuditTrail.h"
#include "ClientTable.h"
#include "DataLocation.h"
#include "FakePrompts.h"
#include "LocationProtection.h"
#include "Profile.h"
#include "SelectDataDrive.h"
#include "SealedFiles.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QQueue>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <unistd.h>

namespace {

class FakeChooser final : public DriveChooser {
public:
    QQueue<QString> choices;
    int shown = 0;
    QString chooseDrive() override
    {
        ++shown;
        return choices.isEmpty() ? QString() : choices.dequeue();
    }
};

// A folder this process cannot write to, or empty when there is none (the test then skips).
QString writeProtectedFolder(QTemporaryDir& dir)
{
    if (::geteuid() != 0) {
        const QString path = dir.path() + "/ro";
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        return path;
    }
    // Root writes everywhere it can, but not into sysfs.
    return QFileInfo("/sys/kernel").isDir() ? QStringLiteral("/sys/kernel") : QString();
}

} // namespace

class TestDataLocation : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_ini = m_dir->path() + "/Quillan.ini";
        // Longer than 49 characters and outside Latin-1, as mount points of USB drives often are.
        m_data =
            m_dir->path() + QString::fromUtf8("/media/\u0414\u043c\u0438\u0442\u0440\u0438\u0439/KINGSTON 16GB DATA");
        QDir().mkpath(m_data);
        m_prompts.clear();
        m_prompts.onShow = {};
        m_table = ClientTable();
        m_chooser.choices.clear();
        m_chooser.shown = 0;
    }

    void numLockAndSecretCode()
    {
        // The settings line and whether Num Lock is on: a missing key or a value starting "True" as written.
        for (auto [line, on] : {std::pair{"", true},
                                {"NumLock=True", true},
                                {"NumLock=true", false},
                                {"NumLock=Trumpet", true},
                                {"NumLock=", false},
                                {"NumLock=False", false}}) {
            WriteFile(m_ini, "[Settings]\r\n" + QByteArray(line) + "\r\n");
            const Profile p(m_ini);
            QCOMPARE(LoadNumLockSetting(p), on);
            // The toggle stores the word the next start reads back.
            QCOMPARE(SaveNumLockSetting(p, !on), QString());
            QCOMPARE(LoadNumLockSetting(p), !on);
        }
        for (auto [entry, accepted] : {std::pair{"K", true}, {"k", true}, {"kk", false}, {"x", false}, {" k", false}})
            QCOMPARE(IsSecretCode(QLatin1String(entry)), accepted);
    }

    // Choosing the data location at start-up or from the menu: the settings file and the chooser's answers ("DATA"
    // is the data folder, "MISSING" one that does not exist), what the user is asked and answers, and the outcome.
    void selectDataDrive_data()
    {
        using A = Prompts::Answer;
        QTest::addColumn<bool>("atStartup");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QList<A>>("answers");
        QTest::addColumn<int>("records"); // written to the data folder's client file; -1: none
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("asked"); // a part of each box's text
        QTest::addColumn<QString>("saved");     // the location kept for the next start; empty: the file unchanged
        QTest::addColumn<int>("chooserShown");
        const auto opened = int(SelectResult::Opened);
        const QString path = QStringLiteral("[Settings]\r\nNumLock=True\r\n[Path]\r\nFilePath=%1\r\n");
        const QString another = QStringLiteral(", would you like to try another drive?");
        QTest::newRow("saved location: opened without asking")
            << true << path.arg("DATA") << QStringList{} << QList<A>{} << -1 << opened << QStringList{} << "DATA" << 0;
        QTest::newRow("no path section: A: tried, then another asked for")
            << true << "[Settings]\r\nNumLock=True\r\n"
            << QStringList{"DATA"} << QList<A>{} << -1 << opened
            << QStringList{"No test information found on drive a:" + another} << "DATA" << 1;
        QTest::newRow("client file too long: warned once, opened")
            << true << path.arg("DATA") << QStringList{} << QList<A>{} << 53 << opened << QStringList{"53"} << "DATA"
            << 0;
        for (bool atStartup : {true, false})
            QTest::addRow("no medium, answered No, %s", atStartup ? "at start-up" : "from the menu")
                << atStartup << path.arg("MISSING") << QStringList{"MISSING"} << QList<A>{A::No} << -1
                << int(SelectResult::EndProgram) << QStringList{"/missing" + another} << "" << (atStartup ? 0 : 1);
        QTest::newRow("menu: chooser closed") << false << path.arg("a:") << QStringList{} << QList<A>{A::No} << -1
                                              << int(SelectResult::Stopped) << QStringList{} << "" << 1;
        QTest::newRow("start-up: empty saved path, chooser closed")
            << true << path.arg("") << QStringList{} << QList<A>{A::No} << -1 << int(SelectResult::EndProgram)
            << QStringList{"No drive was chosen" + another} << "" << 1;
    }
    void selectDataDrive()
    {
        QFETCH(bool, atStartup);
        QFETCH(QString, ini);
        QFETCH(QStringList, choices);
        QFETCH(QList<Prompts::Answer>, answers);
        QFETCH(int, records);
        QFETCH(QStringList, asked);
        QFETCH(QString, saved);
        const auto place = [this](QString s) {
            return s.replace("MISSING", m_dir->path() + "/missing").replace("DATA", m_data);
        };
        const QByteArray before = place(ini).toLocal8Bit();
        WriteFile(m_ini, before);
        if (records >= 0)
            WriteFile(m_data + "/DATA401.QN", QByteArray(records * ClientRecord::Size, ' '));
        for (const QString& c : choices)
            m_chooser.choices << place(c);
        m_prompts.answers << answers;
        QTEST(int(SelectDataDrive(atStartup, m_table, Profile(m_ini), m_prompts, m_chooser)), "result");
        QCOMPARE(m_prompts.shown.size(), asked.size());
        for (qsizetype i = 0; i < asked.size(); ++i)
            QVERIFY2(m_prompts.shown[i].text.contains(asked[i]), qPrintable(m_prompts.shown[i].text));
        QTEST(m_chooser.shown, "chooserShown");
        if (saved.isEmpty()) {
            QCOMPARE(ReadBytes(m_ini), before);
            return;
        }
        QCOMPARE(m_table.DataPath, place(saved));
        QCOMPARE(Profile(m_ini).read("Path", "FilePath", "", 300), place(saved));
        QCOMPARE(Profile(m_ini).read("Settings", "NumLock", "", 10), QStringLiteral("True"));
        QVERIFY(!QFile::exists(m_data + "/checkWriteTest")); // the write test cleans up after itself
        if (records > ClientTable::MaxClients)
            QCOMPARE(int(m_table.NumClients), int(ClientTable::MaxClients));
    }

    void encryptedLocation_asksItsPassphrase_data()
    {
        QTest::addColumn<QList<std::optional<QString>>>("typed");
        QTest::addColumn<QString>("damaged");
        QTest::addColumn<QStringList>("asked");
        const QString pass = QStringLiteral("Harbor lights 48"), another = QStringLiteral("No drive was chosen");
        using Typed = QList<std::optional<QString>>;
        QTest::newRow("right") << Typed{pass} << QString() << QStringList{};
        QTest::newRow("wrong, then right") << Typed{QStringLiteral("harbor lights 48"), pass} << QString()
                                           << QStringList{"passphrase does not open"};
        QTest::newRow("cancelled: the chooser") << Typed{std::nullopt} << QString() << QStringList{another};
        QTest::newRow("damaged client file") << Typed{pass} << "DATA401.QN"
                                             << QStringList{"DATA401.QN is damaged", another};
        QTest::newRow("damaged key file") << Typed{pass} << "DATA401.VLK"
                                          << QStringList{"DATA401.VLK is damaged", another};
    }
    void encryptedLocation_asksItsPassphrase()
    {
        QFETCH(QList<std::optional<QString>>, typed);
        QFETCH(QString, damaged);
        QFETCH(QStringList, asked);
        WriteFile(m_data + "/DATA401.QN", QByteArray(ClientRecord::Size, ' '));
        QCOMPARE(LocationProtection::Encrypt(m_data, QStringLiteral("Harbor lights 48"), {}, {10, 8, 1}), QString());
        SealedFiles::LockAll();
        if (!damaged.isEmpty()) {
            QByteArray bytes = ReadBytes(m_data + "/" + damaged);
            bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
            WriteFile(m_data + "/" + damaged, bytes);
        }
        QMap<QString, QByteArray> before;
        for (const QFileInfo& f : QDir(m_data).entryInfoList(QDir::Files))
            before[f.fileName()] = ReadBytes(f.filePath());
        WriteFile(m_ini, "[Path]\r\nFilePath=" + m_data.toUtf8() + "\r\n");
        m_prompts.secrets << typed;
        m_prompts.answers << Prompts::Answer::Ok << Prompts::Answer::No;
        const bool opens = asked.isEmpty() || (asked.size() == 1 && asked[0].contains("does not open"));
        QCOMPARE(SelectDataDrive(true, m_table, Profile(m_ini), m_prompts, m_chooser),
                 opens ? SelectResult::Opened : SelectResult::EndProgram);
        QCOMPARE(m_prompts.texts().size(), asked.size());
        for (qsizetype i = 0; i < asked.size(); ++i)
            QVERIFY2(m_prompts.texts()[i].contains(asked[i]), qPrintable(m_prompts.texts()[i]));
        QCOMPARE(SealedFiles::IsUnlocked(m_data), opens);
        if (!opens) {
            for (auto [name, bytes] : before.asKeyValueRange()) // nothing written over
                QCOMPARE(ReadBytes(m_data + "/" + name), bytes);
            return;
        }
        // Another location chosen: the key goes, and so do the workstation's copies of the clients.
        const QString plain = m_dir->path() + "/plain", site = m_dir->path() + "/site";
        QDir().mkpath(plain);
        QDir().mkpath(site);
        for (const char* copy : {"report.prn", "temp1", "Scan.bmp", "Raw.bmp"})
            WriteFile(site + "/" + copy, "Sample, Avery");
        WriteFile(site + "/QNB.TXT", "kept");
        m_chooser.choices << plain;
        QCOMPARE(SelectDataDrive(false, m_table, Profile(m_ini), m_prompts, m_chooser, site), SelectResult::Opened);
        QVERIFY(!SealedFiles::IsUnlocked(m_data));
        QCOMPARE(QDir(site).entryList(QDir::Files), QStringList{"QNB.TXT"});
    }

    void writeProtected_okRetriesAndCancelStops()
    {
        const QString ro = writeProtectedFolder(*m_dir);
        if (ro.isEmpty() || OpenDataLocation(m_table, ro).error.number != FileError::PermissionDenied)
            QSKIP("no write-protected folder on this machine");
        WriteFile(m_ini, "[Path]\r\nFilePath=" + ro.toLocal8Bit() + "\r\n");
        m_prompts.answers << Prompts::Answer::Ok << Prompts::Answer::Cancel;
        QCOMPARE(SelectDataDrive(true, m_table, Profile(m_ini), m_prompts, m_chooser), SelectResult::Stopped);
        QCOMPARE(m_prompts.shown.size(), 2); // OK retried the whole opening once
        QCOMPARE(m_prompts.shown[0].text,
                 QStringLiteral("Data disk write protected!\r\rSet the data disk to writable and replace in drive."));
        QCOMPARE(m_prompts.shown[0].buttons, Prompts::Buttons::OkCancel);
        QCOMPARE(Profile(m_ini).read("Path", "FilePath", "", 300), ro); // unchanged
        QCOMPARE(m_chooser.shown, 0);
    }

    void errorPrompts()
    {
        const QString noInfo = "No test information found on drive e:\\data, would you like to try another drive?";
        for (int n : {52, 53, 57, 71, 76, 3024, 3044, 3051})
            QCOMPARE(DataLocationErrorPrompt(FileError{n, "desc"}, "e:\\data").text, noInfo);
        QCOMPARE(DataLocationErrorPrompt(FileError{1028, "desc"}, "e:\\data").text, "Error 1028:desc");
    }

    void save_diskTakenOut_asksForItAndCreatesNothing()
    {
        for (bool putBack : {true, false}) {
            init();
            QVERIFY(!OpenDataLocation(m_table, m_data).error);
            // Unmounting leaves the bare mount folder behind; the disk comes back with its files as new inodes.
            const QString disk = m_dir->path() + "/disk";
            QVERIFY(QDir().rename(m_data, disk) && QDir().mkpath(m_data));
            m_table.Clients[1] = ClientRecord::blank();
            m_table.Clients[1].Name = "Edited";
            m_prompts.answers << (putBack ? Prompts::Answer::Ok : Prompts::Answer::Cancel);
            m_prompts.onShow = [&](const FakePrompts::Shown&) {
                QCOMPARE(QDir(m_data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
                if (putBack)
                    for (const QString& name : QDir(disk).entryList(QDir::Files))
                        QFile::copy(disk + "/" + name, m_data + "/" + name);
            };
            QCOMPARE(bool(SaveClientAsking(m_table, 1, m_prompts)), !putBack);
            QCOMPARE(m_prompts.texts(),
                     QStringList{"Data disk not found!\r\rInsert data disk in drive A to continue."});
            QCOMPARE(m_prompts.shown[0].buttons, Prompts::Buttons::OkCancel);
            QCOMPARE(m_table.Clients[1].Name, "Edited"); // kept in memory either way
            ClientTable other;
            if (putBack) {
                // Saved, and the disk is this program's again: another program is kept out.
                QCOMPARE(OpenDataLocation(other, m_data).error.number, int(FileError::LocationInUse));
                other.setDataPath(m_data);
                QVERIFY(!other.LoadClients().error);
                QCOMPARE(other.Clients[1].Name.trimmed(), "Edited");
            } else {
                QCOMPARE(QDir(m_data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
            }
        }
    }

    void open_leftoversOfAKilledSave_removed()
    {
        for (const char* name : {"/.DATA401.QN.saving", "/.DATA401.QN.a1B2c3.saving"})
            WriteFile(m_data + name, "half a save");
        QVERIFY(!OpenDataLocation(m_table, m_data).error);
        QCOMPARE(QDir(m_data).entryList(QDir::Files | QDir::Hidden), QStringList({"DATA401.AUD", "DATA401.KEY", "DATA401.LCK", "DATA401.QN"}));
    }

    void open_locationHeldByAnotherTable_refusedUntilLetGo()
    {
        QVERIFY(!OpenDataLocation(m_table, m_data).error);
        QVERIFY(!OpenDataLocation(m_table, m_data + "/.").error); // Drive select on the location already open
        ClientTable other;
        QCOMPARE(OpenDataLocation(other, m_data).error.number, int(FileError::LocationInUse));
        QVERIFY(other.DataPath.isEmpty()); // refused before anything was read
        const QString elsewhere = m_dir->path() + "/elsewhere";
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(!OpenDataLocation(m_table, elsewhere).error); // another location chosen: the first is let go
        QVERIFY(!OpenDataLocation(other, m_data).error);
    }

    // A USB drive's FAT through FUSE keeps no modes or owners (chmod fails with ENOSYS): used as it is.
    void fatLocation_opensSavesAndReloads()
    {
        const QString fat = qEnvironmentVariable("VELTRANE_FAT_DIR");
        if (fat.isEmpty() || !QFileInfo(fat).isDir())
            QSKIP("no FUSE FAT mount (scripts/start-fat.sh)");
        const QString data = fat + QStringLiteral("/T%1").arg(QCoreApplication::applicationPid());
        QVERIFY(QDir().mkpath(data));
        const auto cleanup = qScopeGuard([&] { QDir(data).removeRecursively(); });
        QVERIFY(!OpenDataLocation(m_table, data).error);
        m_table.Clients[1] = ClientRecord::blank();
        m_table.Clients[1].Name = "On the stick";
        m_table.NumClients = 1;
        QCOMPARE(SaveClientAsking(m_table, 1, m_prompts).description, QString());
        m_table.Clients[1].Name = "Changed again";
        QCOMPARE(SaveClientAsking(m_table, 1, m_prompts).description, QString()); // replaces the file made above
        m_table = ClientTable();
        const OpenResult reopened = OpenDataLocation(m_table, data);
        QCOMPARE(reopened.error.description, QString());
        QCOMPARE(m_table.NumClients, 1);
        QCOMPARE(m_table.Clients[1].Name.trimmed(), QStringLiteral("Changed again"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    // From the menu: a location that fails to open, then the chooser closed, leaves the open one as it was.
    void failedOpenThenChooserClosed_keepsTheOpenLocation()
    {
        WriteFile(m_data + "/DATA401.QN", QByteArray(3 * ClientRecord::Size, ' '));
        WriteFile(m_ini, "[Path]\r\nFilePath=" + m_data.toLocal8Bit() + "\r\n");
        QVERIFY(!OpenDataLocation(m_table, m_data).error);
        const QString clientFile = m_table.ClientFilePath;
        m_chooser.choices << m_dir->path() + "/missing";
        m_prompts.answers << Prompts::Answer::Yes; // try another drive: then the chooser is closed
        QCOMPARE(SelectDataDrive(false, m_table, Profile(m_ini), m_prompts, m_chooser), SelectResult::Stopped);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_table.DataPath, m_data);
        QCOMPARE(m_table.ClientFilePath, clientFile);
        QCOMPARE(m_table.NumClients, 3);
        QVERIFY(m_table.locationLock.holds(m_data));
        QProcess second;
        second.start(QCoreApplication::applicationDirPath() + "/location_holder", {m_ini});
        QVERIFY(second.waitForFinished(10000));
        QVERIFY(second.readAllStandardOutput().contains(" is in use by user "));
        QCOMPARE(second.exitCode(), 1);
    }

    void secondProgram_refusedWhileFirstHoldsTheLocation()
    {
        for (bool killed : {false, true}) {
            init();
            WriteFile(m_ini, "[Path]\r\nFilePath=" + m_data.toLocal8Bit() + "\r\n");
            const QString holder = QCoreApplication::applicationDirPath() + "/location_holder";
            auto start = [&](QProcess& p, const QString& folder) {
                p.setWorkingDirectory(folder);
                p.start(holder, {m_ini});
                return p.waitForStarted() && p.waitForReadyRead(10000);
            };
            QProcess first, second, third;
            QVERIFY(start(first, m_dir->path()));
            QCOMPARE(first.readLine(), "opened\n");
            QVERIFY(start(second, QDir::tempPath()));
            QVERIFY(second.waitForFinished(10000));
            const passwd* pw = ::getpwuid(::geteuid());
            QCOMPARE(
                QString::fromLocal8Bit(second.readAllStandardOutput()),
                QStringLiteral("The data disk in drive %1 is in use by user %2 on computer %3, would you like to try "
                               "another drive?\n")
                    .arg(m_data, QString::fromLocal8Bit(pw->pw_name), QSysInfo::machineHostName()));
            QCOMPARE(second.exitCode(), 1); // answered No: the program ends

            if (killed)
                first.kill();
            else
                first.closeWriteChannel();
            QVERIFY(first.waitForFinished(10000));
            QVERIFY(start(third, QDir::tempPath()));
            QCOMPARE(third.readLine(), "opened\n");
            third.closeWriteChannel();
            QVERIFY(third.waitForFinished(10000));
            QCOMPARE(QDir(m_data).entryList(QDir::Files | QDir::Hidden),
                     QStringList({"DATA401.AUD", "DATA401.KEY", "DATA401.QN"}));
            // The third took the lock over from a program that died, and the trail says so; never after a close.
            QByteArray trail;
            QVERIFY(AuditTrail::verifyFolder(m_data, std::nullopt, &trail).holds());
            QList<AuditEntry> entries = AuditTrail::parse(trail);
            entries.removeIf([](const AuditEntry& e) { return e.event != QLatin1String("location-opened"); });
            QCOMPARE(entries.last().detail(QStringLiteral("lock-taken-over-from")).isEmpty(), !killed);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_ini;
    QString m_data;
    FakePrompts m_prompts;
    FakeChooser m_chooser;
    ClientTable m_table;
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "test_data_location.moc"
