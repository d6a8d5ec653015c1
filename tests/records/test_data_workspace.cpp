// The data workspace: its settings line, and opening the question database once at a time.

#include "DataWorkspace.h"
#include "Profile.h"
#include "TestFiles.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestDataWorkspace : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_ini = m_dir->path() + "/Quillan.ini";
        WriteFile(m_ini, "[Path]\r\nFilePath=a:\r\n");
    }

    void open_badFiles()
    {
        // No file, a file that is not SQLite, an empty file.
        for (auto [content, create, expected] : {std::tuple{QByteArray(), false, "is missing"},
                                                 {QByteArray("Standard Jet DB\0\0\0\0\0\0", 21), true, "is damaged"},
                                                 {QByteArray(), true, "is damaged"}}) {
            Profile p(m_ini);
            DataWorkspace ws(m_dir->path(), p);
            QFile::remove(ws.questionDatabasePath());
            if (create)
                WriteFile(ws.questionDatabasePath(), content);
            QString error;
            QVERIFY(!ws.OpenQuestionDatabase(&error));
            QVERIFY2(error.contains(QLatin1String(expected)) && error.contains("qn.mdb"), qPrintable(error));
        }
    }

    // A second opener, in this workspace or another, gets a clear error at once until the first closes.
    void settingsLine_andSecondOpenerRefusedUntilFirstCloses()
    {
        Profile p(m_ini);
        QString error;
        DataWorkspace ws(m_dir->path(), p, &error), other(m_dir->path(), p);
        // The workspace's settings line is written beside the others.
        QVERIFY(error.isEmpty() && p.read("Path", "FilePath", "", 50) == QStringLiteral("a:"));
        QCOMPARE(p.read("Options", "SystemDB", "", 300), m_dir->path() + "/norwick.mda");
        makeDatabase(ws.questionDatabasePath());
        auto first = ws.OpenQuestionDatabase(&error);
        QVERIFY2(first && QSqlQuery(first->db()).exec("SELECT Value FROM T"), qPrintable(error));
        QVERIFY(!ws.OpenQuestionDatabase(&error));
        QVERIFY(error.contains("already open"));
        QVERIFY(!other.OpenQuestionDatabase(&error));
        QVERIFY2(error.contains("in use by another program"), qPrintable(error));
        first.reset();
        QVERIFY(ws.OpenQuestionDatabase(&error));
    }

private:
    static void makeDatabase(const QString& path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("CREATE TABLE T (Value INTEGER)"));
        QVERIFY(q.exec("INSERT INTO T VALUES (7)"));
        q = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("make");
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_ini;
};

QTEST_GUILESS_MAIN(TestDataWorkspace)
#include "test_data_workspace.moc"
