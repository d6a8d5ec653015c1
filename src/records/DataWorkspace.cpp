#include "DataWorkspace.h"

#include "Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

DataWorkspace::DataWorkspace(const QString& programDir, const Profile& settings, QString* error)
    : m_programDir(programDir)
{
    DefaultUser = QStringLiteral("NWKTest");
    DefaultPassword = QStringLiteral("kqtmavo");
    IniPath = programDir + QStringLiteral("/Quillan.ini");
    const QString message = settings.write(QStringLiteral("Options"), QStringLiteral("SystemDB"),
                                           QDir::toNativeSeparators(programDir + QStringLiteral("/norwick.mda")));
    if (error)
        *error = message;
}

DataWorkspace::~DataWorkspace() = default;

QString DataWorkspace::questionDatabasePath() const
{
    return m_programDir + QLatin1Char('/') + QLatin1String(DBFileName);
}

std::unique_ptr<DataWorkspace::Database> DataWorkspace::OpenQuestionDatabase(QString* error)
{
    return OpenDatabase(questionDatabasePath(), error);
}

std::unique_ptr<DataWorkspace::Database> DataWorkspace::OpenDatabase(const QString& path, QString* error)
{
    const QString shown = QDir::toNativeSeparators(path);
    auto fail = [&](const QString& message) -> std::unique_ptr<Database> {
        if (error)
            *error = message;
        return nullptr;
    };
    if (m_inUse)
        return fail(QStringLiteral("The question database %1 is already open in another window. Close that window "
                                   "and try again.").arg(shown));
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("The question database %1 is missing. Reinstall the program's files.").arg(shown));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The question database %1 cannot be read: %2").arg(shown, file.errorString()));
    if (file.read(16) != QByteArray("SQLite format 3\0", 16))
        return fail(QStringLiteral("The question database %1 is damaged or is not a question database.").arg(shown));
    file.close();

    // An advisory lock on the file keeps other programs (and other workspaces) out while a caller has it open; it
    // is refused at once rather than waited for.
    const int lockFd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (lockFd < 0)
        return fail(QStringLiteral("The question database %1 cannot be read.").arg(shown));
    if (::flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(lockFd);
        return fail(QStringLiteral("The question database %1 is in use by another program. Close it and try again.")
                        .arg(shown));
    }

    const QString connection = QStringLiteral("veltrane-qdb-%1").arg(++m_serial);
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open()) {
            problem = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
                problem = q.lastError().text();
        }
        if (problem.isEmpty()) {
            m_inUse = true;
            return std::unique_ptr<Database>(new Database(*this, db, path, connection, lockFd));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    ::close(lockFd);
    return fail(QStringLiteral("The question database %1 cannot be opened: %2").arg(shown, problem));
}

DataWorkspace::Database::Database(DataWorkspace& owner, QSqlDatabase db, QString path, QString connection,
                                  int lockFd)
    : m_owner(owner), m_db(std::move(db)), m_path(std::move(path)), m_connection(std::move(connection)),
      m_lockFd(lockFd)
{
}

DataWorkspace::Database::~Database()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
    ::close(m_lockFd);
    m_owner.m_inUse = false;
}
