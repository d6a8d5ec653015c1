// Every file the program writes, against what a hostile medium or a shared folder may hold at its name: a link
// planted there is never followed, and files of client data are the owner's alone and keep the mode they were given.

#include "../scoring/ScoringTestData.h"
#include "ClientTable.h"
#include "DataLocation.h"
#include "DataWorkspace.h"
#include "FilledSheet.h"
#include "Profile.h"
#include "ScanSheet.h"
#include "ScoreAndReport.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Folders {
    QTemporaryDir dir;
    QString program = dir.path() + QStringLiteral("/program");
    QString data = dir.path() + QStringLiteral("/data");
    ClientTable table;
};

// Writes the file named in the row the way the program does; false when the program refused.
bool write(Folders& f, const QString& name)
{
    if (name == QLatin1String("DATA401.QN") || name.startsWith(QLatin1String(".DATA401.QN"))) {
        if (OpenDataLocation(f.table, f.data).error)
            return false;
        f.table.Clients[1] = TestClient(1);
        return !f.table.SaveClient(1);
    }
    if (name == QLatin1String("checkWriteTest") || name == QLatin1String("DATA401.LCK")) {
        f.table = ClientTable();
        return !OpenDataLocation(f.table, f.data).error;
    }
    if (name == QLatin1String("report.prn") || name == QLatin1String("temp1")) {
        f.table.Clients[1] = TestClient(1);
        f.table.NumClients = f.table.CurClient = 1;
        return !ScoreAndReport(f.program, f.table, PublisherBrandCode) && !SaveNumberedCopy(f.program, 1);
    }
    Profile settings(f.program + QStringLiteral("/Quillan.ini"));
    if (name == QLatin1String("Quillan.ini"))
        return settings.write(QStringLiteral("Path"), QStringLiteral("FilePath"), f.data).isEmpty();
    DataWorkspace workspace(f.program, settings);
    FilledSheet sheet(DemoScanItems());
    sheet.markAll(SheetAnswers::random(1));
    QFile::copy(ProgramDirForTests() + QStringLiteral("/qn.mdb"), f.program + QStringLiteral("/qn.mdb"));
    ScanSheet({sheet.scan({}), 0, {}}, workspace, QDate(2026, 1, 2));
    return QFileInfo::exists(f.program + QLatin1Char('/') + name);
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ::umask(022); } // the usual umask, which alone would make new files readable by all

    void write_plantedLinkOrRestrictedMode_targetUntouchedAndModeKept_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("clientData");
        // Name, folder, and whether it holds client data.
        for (auto [name, folder, clientData] : {std::tuple{"DATA401.QN", "data", true},
                                                {".DATA401.QN.saving", "data", false},
                                                {"checkWriteTest", "data", false},
                                                {"DATA401.LCK", "data", false},
                                                {"report.prn", "program", true},
                                                {"temp1", "program", true},
                                                {"Raw.bmp", "program", true},
                                                {"Scan.bmp", "program", true},
                                                {"Quillan.ini", "program", false}})
            QTest::newRow(name) << QString(name) << QString(folder) << clientData;
    }
    void write_plantedLinkOrRestrictedMode_targetUntouchedAndModeKept()
    {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(bool, clientData);
        Folders f;
        QVERIFY(QDir().mkpath(f.data) && CopyTestProgram(f.program));
        const QString path = (folder == "data" ? f.data : f.program) + QLatin1Char('/') + name;

        const QString victim = f.dir.path() + QStringLiteral("/victim");
        WriteFile(victim, "precious");
        QVERIFY(QFile::link(victim, path));
        write(f, name);
        QCOMPARE(ReadBytes(victim), QByteArray("precious"));
        QCOMPARE(modeOf(victim) & 0777, mode_t(0644));

        if (!clientData)
            return;
        QFile::remove(path);
        f.table = ClientTable();
        QVERIFY(write(f, name));
        QVERIFY(S_ISREG(modeOf(path)));
        QCOMPARE(modeOf(path) & 0777, mode_t(0600));
        // A mode an administrator chose survives the next save, and so does the owner given by root.
        const QByteArray native = QFile::encodeName(path);
        QVERIFY(::chmod(native.constData(), 0640) == 0);
        const bool root = ::geteuid() == 0;
        if (root)
            QVERIFY(::chown(native.constData(), 65534, 65534) == 0);
        QVERIFY(write(f, name));
        QCOMPARE(modeOf(path) & 0777, mode_t(0640));
        struct stat st {};
        QVERIFY(::stat(native.constData(), &st) == 0);
        if (root)
            QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(QDir(QFileInfo(path).path()).entryList({QStringLiteral(".*.saving")}, QDir::Files | QDir::Hidden),
                 QStringList());
    }
};

QTEST_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"
