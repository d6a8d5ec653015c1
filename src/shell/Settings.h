#pragma once
// The settings file's values: paths are kept whole, the NumLock word is read through its old 9-character buffer.

#include <QString>

class Profile;

QString GetINIFilePath(const Profile& p);
QString GetINISndPath(const Profile& p);
// Returns an empty string on success, else a message naming the settings file.
QString SaveDataDrivePath(const Profile& p, const QString& path);
bool LoadNumLockSetting(const Profile& p);
QString SaveNumLockSetting(const Profile& p, bool on);
// The brand code provisioned with the installation ("Settings"/"Brand", publisher when missing).
QString GetINIBrandCode(const Profile& p);
// How many hours an interrupted test may be continued after it began ("Options"/"ResumeHours", 24 when missing or
// not a positive number).
int GetINIResumeHours(const Profile& p);
