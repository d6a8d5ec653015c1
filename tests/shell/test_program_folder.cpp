#include "Profile.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

int mode(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

} // namespace

// An installation laid out as the package lays it (<prefix>/bin beside <prefix>/share/veltrane, read-only), and a
// home folder for the user who runs it.
class TestProgramFolder : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_installed;
    ProgramFolderPlaces m_places;

    void setReadOnly(bool readOnly)
    {
        const QFile::Permissions file = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        for (const QString& name : QDir(m_installed).entryList(QDir::Files))
            QFile::setPermissions(m_installed + '/' + name, readOnly ? file : file | QFile::WriteOwner);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/pf-XXXXXX");
        const QString prefix = m_dir->path() + "/usr";
        m_installed = prefix + "/share/veltrane";
        WriteFile(m_installed + "/qn.mdb", "questions v1");
        WriteFile(m_installed + "/QNB.TXT", "scoring v1");
        WriteFile(m_installed + "/Quillan.ini", "[Settings]\r\nNumLock=True\r\n");
        WriteFile(m_installed + "/demo-data/DATA401.QN", "demo clients");
        QDir().mkpath(prefix + "/bin");
        setReadOnly(true);
        m_places.executableDir = prefix + "/bin";
        m_places.home = m_dir->path() + "/home";
        m_places.machineSettings = m_dir->path() + "/etc/Quillan.ini";
    }
    void cleanup() { setReadOnly(false); }

    void resolve_ownFolderOrSite_data()
    {
        QTest::addColumn<bool>("builtHere");
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QByteArray>("machineSettings");
        QTest::addColumn<QString>("expected");     // relative to the temporary folder
        QTest::addColumn<QString>("dataLocation"); // the new settings' FilePath, relative likewise
        const QString local = "home/.local/share/veltrane", demo = "home/veltrane-demo-data";
        const auto row = [](const char* name, bool here, QString xdg, QByteArray ini, QString site, QString data) {
            QTest::newRow(name) << here << xdg << ini << site << data;
        };
        row("build folder", true, "", {}, "usr/bin", "");
        row("installed", false, "", {}, local, demo);
        row("XDG_DATA_HOME", false, "xdg", {}, "xdg/veltrane", demo);
        row("relative XDG_DATA_HOME ignored", false, "relative", {}, local, demo);
        row("administrator's settings", false, "", "[Path]\nFilePath=/media/office\n[Settings]\nBrand=D\n", local,
            "/media/office");
    }
    void resolve_ownFolderOrSite()
    {
        QFETCH(bool, builtHere);
        QFETCH(QString, dataHome);
        QFETCH(QByteArray, machineSettings);
        QFETCH(QString, expected);
        QFETCH(QString, dataLocation);
        const QString tmp = m_dir->path() + '/';
        if (builtHere)
            WriteFile(m_places.executableDir + "/qn.mdb", "questions here");
        if (!machineSettings.isEmpty())
            WriteFile(m_places.machineSettings, machineSettings);
        m_places.dataHome = dataHome == "relative" ? dataHome : dataHome.isEmpty() ? QString() : tmp + dataHome;

        const ProgramFolder folder = ResolveProgramFolder(m_places);
        QCOMPARE(folder.error, QString());
        QCOMPARE(folder.path, tmp + expected);
        if (builtHere) {
            QVERIFY(folder.installedDir.isEmpty());
            QVERIFY(!QFileInfo::exists(tmp + "home"));
            return;
        }
        QCOMPARE(folder.installedDir, m_installed);
        const QString site = folder.path;
        QCOMPARE(mode(site), 0700);
        QCOMPARE(QFileInfo(site + "/QNB.TXT").symLinkTarget(), m_installed + "/QNB.TXT");
        QCOMPARE(ReadBytes(site + "/qn.mdb"), QByteArray("questions v1"));
        QCOMPARE(mode(site + "/qn.mdb"), 0600);
        QCOMPARE(mode(site + "/Quillan.ini"), 0600);
        const Profile settings(site + "/Quillan.ini");
        QCOMPARE(GetINISndPath(settings), m_installed);
        const QString location = dataLocation.startsWith('/') ? dataLocation : tmp + dataLocation;
        QCOMPARE(GetINIFilePath(settings), location);
        const bool demo = dataLocation.startsWith("home/");
        QCOMPARE(ReadBytes(tmp + "home/veltrane-demo-data/DATA401.QN"),
                 demo ? QByteArray("demo clients") : QByteArray());
        if (demo)
            QCOMPARE(mode(location + "/DATA401.QN"), 0600);
        QCOMPARE(GetINIBrandCode(settings), machineSettings.isEmpty() ? QString("N") : QString("D"));
    }

    // What the user changed stays; what a newer installation brings is taken up at the next start.
    void resolve_again_keepsUserFilesAndFollowsInstallation()
    {
        const QString site = ResolveProgramFolder(m_places).path;
        QVERIFY(!site.isEmpty());
        QVERIFY(SaveNumLockSetting(Profile(site + "/Quillan.ini"), false).isEmpty());
        WriteFile(site + "/qn.mdb", "questions v1 after a scan");
        WriteFile(m_places.home + "/veltrane-demo-data/DATA401.QN", "the user's clients");
        QVERIFY(QFile::remove(site + "/QNB.TXT"));
        WriteFile(site + "/QNB.TXT", "the office's own scoring");

        QTest::qWait(10); // a new modification time for the upgraded file
        setReadOnly(false);
        WriteFile(m_installed + "/qn.mdb", "questions v2");
        WriteFile(m_installed + "/QN_AL.TXT", "new paragraph file");
        setReadOnly(true);
        QCOMPARE(ResolveProgramFolder(m_places).path, site);
        QVERIFY(!LoadNumLockSetting(Profile(site + "/Quillan.ini")));
        QCOMPARE(ReadBytes(site + "/qn.mdb"), QByteArray("questions v2"));
        QCOMPARE(ReadBytes(site + "/qn.mdb.old"), QByteArray("questions v1 after a scan"));
        QCOMPARE(ReadBytes(site + "/QNB.TXT"), QByteArray("the office's own scoring"));
        QCOMPARE(ReadBytes(site + "/QN_AL.TXT"), QByteArray("new paragraph file"));
        QCOMPARE(ReadBytes(m_places.home + "/veltrane-demo-data/DATA401.QN"), QByteArray("the user's clients"));
        QCOMPARE(ReadBytes(m_installed + "/qn.mdb"), QByteArray("questions v2"));
    }

    void resolve_unusableHome_namesSiteFolder()
    {
        WriteFile(m_places.home, "a file, not a folder");
        const ProgramFolder folder = ResolveProgramFolder(m_places);
        QVERIFY(folder.path.isEmpty());
        QVERIFY2(folder.error.contains(m_places.home + "/.local/share/veltrane"), qPrintable(folder.error));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "test_program_folder.moc"
