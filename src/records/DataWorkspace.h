#pragma once
// The program's one database workspace: sets up the engine settings and opens the question database, one caller at a
// time.

#include <QSqlDatabase>
#include <QString>
#include <memory>

class Profile;

class DataWorkspace {
public:
    static constexpr const char* DBFileName = "qn.mdb";

    // The set-up steps: default user and password, the settings path, and "SystemDB" written to the settings file.
    // `error` receives a message when the settings file cannot be written.
    DataWorkspace(const QString& programDir, const Profile& settings, QString* error = nullptr);
    ~DataWorkspace();
    DataWorkspace(const DataWorkspace&) = delete;
    DataWorkspace& operator=(const DataWorkspace&) = delete;

    QString DefaultUser;
    QString DefaultPassword;
    QString IniPath;
    QString UserName = QStringLiteral("admin");

    // An open question database, held for exclusive use until destroyed.
    class Database {
    public:
        ~Database();
        QSqlDatabase& db() { return m_db; }
        const QString& path() const { return m_path; }

    private:
        friend class DataWorkspace;
        Database(DataWorkspace& owner, QSqlDatabase db, QString path, QString connection, int lockFd);
        DataWorkspace& m_owner;
        QSqlDatabase m_db;
        QString m_path;
        QString m_connection;
        int m_lockFd = -1;
    };

    // Opens `path` for exclusive use; on failure returns null and a message naming the file.
    std::unique_ptr<Database> OpenDatabase(const QString& path, QString* error);
    // Opens the question database of the program folder.
    std::unique_ptr<Database> OpenQuestionDatabase(QString* error);

    QString questionDatabasePath() const;
    const QString& programDir() const { return m_programDir; }

private:
    QString m_programDir;
    bool m_inUse = false;
    int m_serial = 0;
};
