#include "ProgramFolder.h"

#include "DataWorkspace.h"
#include "Profile.h"
#include "Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

const QString kSettingsName = QStringLiteral("Quillan.ini");
const QString kDatabaseName = QLatin1String(DataWorkspace::DBFileName);
// The installed question database's size and time when it was last copied, so an upgrade's new one is noticed.
const QString kDatabaseStamp = QStringLiteral(".qn.mdb.installed");
const QString kDemoDataFolder = QStringLiteral("demo-data");
const QString kClientFileName = QStringLiteral("DATA401.QN");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool makeFolder(const QString& path, QString& error)
{
    if (QFileInfo(path).isDir())
        return true;
    if (!QDir().mkpath(path) || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        error = QStringLiteral("The folder %1 cannot be created: %2").arg(shown(path), systemError());
        return false;
    }
    return true;
}

// Gives the file `from` the name `to` as well, unless `to` exists already (then left as it is). A file system
// without hard links gets a rename, which may replace a `to` that appeared a moment ago.
bool placeWithoutReplacing(const QString& from, const QString& to, QString& error)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::link(source.constData(), target.constData()) == 0 || errno == EEXIST)
        return true;
    if (errno == EPERM || errno == EOPNOTSUPP) {
        if (QFileInfo::exists(to) || ::rename(source.constData(), target.constData()) == 0)
            return true;
    }
    error = QStringLiteral("The file %1 cannot be written: %2").arg(shown(to), systemError());
    return false;
}

// Copies `from` to `to` readable by the owner only. A temporary file beside the target takes the bytes, so the
// target is never seen half written; `replace` false leaves a target that appeared meanwhile as it is.
bool copyPrivate(const QString& from, const QString& to, bool replace, QString& error)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The file %1 cannot be read: %2").arg(shown(from), in.errorString());
        return false;
    }
    QTemporaryFile out(to + QStringLiteral(".XXXXXX"));
    if (!out.open() || out.write(in.readAll()) < 0 || !out.flush()) {
        error = QStringLiteral("The file %1 cannot be written: %2").arg(shown(to), out.errorString());
        return false;
    }
    if (!replace)
        return placeWithoutReplacing(out.fileName(), to, error);
    if (::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(to).constData()) != 0) {
        error = QStringLiteral("The file %1 cannot be written: %2").arg(shown(to), systemError());
        return false;
    }
    out.setAutoRemove(false);
    return true;
}

QString fileIdentity(const QFileInfo& f)
{
    return QString::number(f.size()) + QLatin1Char(' ') + QString::number(f.lastModified().toMSecsSinceEpoch());
}

bool keepDatabaseCurrent(const QString& installed, const QString& site, QString& error)
{
    const QString identity = fileIdentity(QFileInfo(installed));
    QFile stamp(site + QLatin1Char('/') + kDatabaseStamp);
    const QString database = site + QLatin1Char('/') + kDatabaseName;
    if (QFileInfo::exists(database) && stamp.open(QIODevice::ReadOnly) &&
        QString::fromLatin1(stamp.readAll()).trimmed() == identity)
        return true;
    stamp.close();
    // The copy being replaced is kept once, in case it was the office's own.
    if (QFileInfo::exists(database)) {
        QFile::remove(database + QStringLiteral(".old"));
        QFile::rename(database, database + QStringLiteral(".old"));
    }
    if (!copyPrivate(installed, database, true, error))
        return false;
    if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate) || stamp.write(identity.toLatin1() + '\n') < 0) {
        error = QStringLiteral("The file %1 cannot be written: %2").arg(shown(stamp.fileName()), stamp.errorString());
        return false;
    }
    return true;
}

// A data file the program only reads is linked, so the site follows the installation; a file the user put in its
// place stays. A link whose installed file is gone is made again (the installation may have moved).
bool linkDataFile(const QString& installed, const QString& site, QString& error)
{
    const QFileInfo existing(site);
    if (existing.isSymLink() && !existing.exists())
        QFile::remove(site);
    else if (existing.isSymLink() || existing.exists())
        return true;
    if (::symlink(QFile::encodeName(installed).constData(), QFile::encodeName(site).constData()) != 0 &&
        errno != EEXIST) {
        error = QStringLiteral("The file %1 cannot be made: %2").arg(shown(site), systemError());
        return false;
    }
    return true;
}

// A new settings file: the sound folder is the installation's, and with no data location named, the demo one.
bool completeNewSettings(const ProgramFolderPlaces& places, const QString& installedDir, const QString& settingsPath,
                         QString& error)
{
    const Profile settings(settingsPath);
    if (settings.read(QStringLiteral("Path"), QStringLiteral("SndPath"), QString(), 2).isEmpty())
        error = settings.write(QStringLiteral("Path"), QStringLiteral("SndPath"), installedDir);
    const QString demoClients = installedDir + QLatin1Char('/') + kDemoDataFolder + QLatin1Char('/') + kClientFileName;
    const QString demo = DemoDataLocationPath(places);
    const bool namesLocation =
        !settings.read(QStringLiteral("Path"), QStringLiteral("FilePath"), QString(), 2).isEmpty();
    if (!error.isEmpty() || namesLocation || !QFileInfo::exists(demoClients))
        return error.isEmpty();
    // An existing demo copy is the user's data: it is used as it is.
    const QString clients = demo + QLatin1Char('/') + kClientFileName;
    if (!QFileInfo::exists(clients) && (!makeFolder(demo, error) || !copyPrivate(demoClients, clients, false, error)))
        return false;
    error = SaveDataDrivePath(settings, demo);
    return error.isEmpty();
}

bool prepareSiteFolder(const ProgramFolderPlaces& places, const QString& installedDir, const QString& site,
                       QString& error)
{
    if (!makeFolder(site, error))
        return false;
    const QDir installed(installedDir);
    for (const QFileInfo& f : installed.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
        const QString name = f.fileName();
        const QString target = site + QLatin1Char('/') + name;
        if (name == kDatabaseName) {
            if (!keepDatabaseCurrent(f.absoluteFilePath(), site, error))
                return false;
        } else if (name == kSettingsName) {
            if (QFileInfo::exists(target))
                continue;
            const QString from =
                QFileInfo(places.machineSettings).isFile() ? places.machineSettings : f.absoluteFilePath();
            // Completed under a name of its own, so a start that fails half way leaves no settings file behind and
            // two first starts at once do not mix their work.
            const QString fresh = target + QStringLiteral(".new-") + QString::number(::getpid());
            const bool placed = copyPrivate(from, fresh, true, error) &&
                                completeNewSettings(places, installedDir, fresh, error) &&
                                placeWithoutReplacing(fresh, target, error);
            QFile::remove(fresh);
            if (!placed)
                return false;
        } else if (!linkDataFile(f.absoluteFilePath(), target, error)) {
            return false;
        }
    }
    return true;
}

} // namespace

ProgramFolderPlaces ProgramFolderPlaces::fromEnvironment(const QString& executableDir)
{
    ProgramFolderPlaces p;
    p.executableDir = executableDir;
    p.dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    p.home = qEnvironmentVariable("HOME", QDir::homePath());
    p.machineSettings = QStringLiteral("/etc/veltrane/Quillan.ini");
    return p;
}

QString InstalledDataFolder(const QString& executableDir)
{
    if (QFileInfo::exists(executableDir + QLatin1Char('/') + kDatabaseName))
        return {};
    const QString shared = QDir::cleanPath(executableDir + QStringLiteral("/../share/veltrane"));
    return QFileInfo::exists(shared + QLatin1Char('/') + kDatabaseName) ? shared : QString();
}

QString SiteFolderPath(const ProgramFolderPlaces& places)
{
    const QString base = !places.dataHome.isEmpty() && QDir::isAbsolutePath(places.dataHome)
                             ? places.dataHome
                             : places.home + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/veltrane"));
}

QString DemoDataLocationPath(const ProgramFolderPlaces& places)
{
    return QDir::cleanPath(places.home + QStringLiteral("/veltrane-demo-data"));
}

ProgramFolder ResolveProgramFolder(const ProgramFolderPlaces& places)
{
    ProgramFolder folder;
    folder.installedDir = InstalledDataFolder(places.executableDir);
    if (folder.installedDir.isEmpty()) {
        folder.path = places.executableDir;
        return folder;
    }
    const QString site = SiteFolderPath(places);
    QString problem;
    if (!prepareSiteFolder(places, folder.installedDir, site, problem)) {
        folder.error = QStringLiteral("The program's site folder %1 cannot be prepared. %2").arg(shown(site), problem);
        return folder;
    }
    folder.path = site;
    return folder;
}
