#include "Settings.h"

#include "Profile.h"

namespace {
// Paths are kept whole, up to the longest path the system allows: mount points of removable drives are often longer
// than the 49 characters the old fixed buffer kept.
constexpr int PathBuffer = 4096;
} // namespace

QString GetINIFilePath(const Profile& p)
{
    return p.read(QStringLiteral("Path"), QStringLiteral("FilePath"), QStringLiteral("a:"), PathBuffer);
}

QString GetINISndPath(const Profile& p)
{
    return p.read(QStringLiteral("Path"), QStringLiteral("SndPath"), QStringLiteral("c:"), PathBuffer);
}

QString SaveDataDrivePath(const Profile& p, const QString& path)
{
    return p.write(QStringLiteral("Path"), QStringLiteral("FilePath"), path);
}

bool LoadNumLockSetting(const Profile& p)
{
    // Only the first three characters count, and they are case-sensitive.
    return p.read(QStringLiteral("Settings"), QStringLiteral("NumLock"), QStringLiteral("True"), 10)
        .startsWith(QLatin1String("Tru"));
}

QString SaveNumLockSetting(const Profile& p, bool on)
{
    return p.write(QStringLiteral("Settings"), QStringLiteral("NumLock"),
                   on ? QStringLiteral("True") : QStringLiteral("False"));
}

QString GetINIBrandCode(const Profile& p)
{
    const QString code = p.read(QStringLiteral("Settings"), QStringLiteral("Brand"), QStringLiteral("N"), 2);
    return code.isEmpty() ? QStringLiteral("N") : code;
}

int GetINIResumeHours(const Profile& p)
{
    bool ok = false;
    const int hours = p.read(QStringLiteral("Options"), QStringLiteral("ResumeHours"), QStringLiteral("24"), 10)
                          .trimmed()
                          .toInt(&ok);
    return ok && hours > 0 ? hours : 24;
}
