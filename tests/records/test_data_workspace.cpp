// The data workspace: its settings line, and opening the question database once at a time.

#include "DataWorkspace.h"
#include "Profile.h"

#include <QFile>
#include <QProcess>
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
        QFile f(m_ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Path]\r\nFilePath=a:\r\n");
    }

    void create_writesSystemDbAndKeepsOtherLines()
    {
        Profile p(m_ini);
        QString error;
        DataWorkspace ws(m_dir->path(), p, &error);
        QVERIFY(error.isEmpty());
        QCOMPARE(p.read("Options", "SystemDB", "", 300), m_dir->path() + "/norwick.mda");
        QCOMPARE(p.read("Path", "FilePath", "", 50), QStringLiteral("a:"));
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
            QFile f(ws.questionDatabasePath());
            if (create) {
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(content);
                f.close();
            }
            QString error;
            QVERIFY(!ws.OpenQuestionDatabase(&error));
            QVERIFY2(error.contains(QLatin1String(expected)) && error.contains("qn.mdb"), qPrintable(error));
        }
    }

    void open_secondOpener_getsClearErrorUntilFirstCloses()
    {
        Profile p(m_ini);
        DataWorkspace ws(m_dir->path(), p);
        makeDatabase(ws.questionDatabasePath());
        QString error;
        auto first = ws.OpenQuestionDatabase(&error);
        QVERIFY2(first, qPrintable(error));
        QVERIFY(!ws.OpenQuestionDatabase(&error));
        QVERIFY(error.contains("already open"));
        QSqlQuery q(first->db());
        QVERIFY(q.exec("SELECT Value FROM T"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 7);
        q = QSqlQuery();
        first.reset();
        QVERIFY(ws.OpenQuestionDatabase(&error));
    }

    void open_heldByAnotherWorkspace_failsAtOnce()
    {
        Profile p(m_ini);
        DataWorkspace a(m_dir->path(), p);
        DataWorkspace b(m_dir->path(), p);
        makeDatabase(a.questionDatabasePath());
        QString error;
        auto held = a.OpenQuestionDatabase(&error);
        QVERIFY(held);
        QVERIFY(!b.OpenQuestionDatabase(&error));
        QVERIFY2(error.contains("in use by another program"), qPrintable(error));
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
