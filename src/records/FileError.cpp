#include "FileError.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

FileError FileError::fromErrno(int err, const QString& path)
{
    const QString what = QString::fromLocal8Bit(std::strerror(err)) + QStringLiteral(" (") + QDir::toNativeSeparators(path) + QLatin1Char(')');
    switch (err) {
    case 0:
        return {};
    case ENOENT:
        // A missing folder is "path not found"; a missing file in an existing folder is "file not found".
        return {QFileInfo(QFileInfo(path).absolutePath()).isDir() ? FileNotFound : PathNotFound, what};
    case ENOTDIR:
        return {PathNotFound, what};
    case ENAMETOOLONG:
    case EINVAL:
        return {BadFileName, what};
    case EIO:
        return {DeviceIO, what};
    case EBADMSG:
        return {FileDamaged, QStringLiteral("The file %1 is damaged: its contents fail the check that proves them "
                                            "whole")
                                 .arg(QDir::toNativeSeparators(path))};
    case ENOKEY:
        return {LocationLocked, QDir::toNativeSeparators(path)};
    case EACCES:
    case EPERM:
    case EROFS:
        return {PermissionDenied, what};
    case ENXIO:
    case ENODEV:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return {DiskNotReady, what};
    default:
        return {1000 + err, what};
    }
}
