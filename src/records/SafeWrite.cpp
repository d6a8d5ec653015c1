#include "SafeWrite.h"

#include "PrivateFile.h"
#include "SealedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString ReadWholeFile(const QString& path, QByteArray& bytes)
{
    QFile f(path);
    if (!QFileInfo(path).isFile())
        return QStringLiteral("There is no file %1.").arg(shown(path));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("The file %1 cannot be read: %2.").arg(shown(path), f.errorString());
    // Far more than any client file; a huge or sparse file must not take the machine's memory.
    constexpr qint64 MostBytes = 64 * 1024 * 1024;
    if (f.size() > MostBytes)
        return QStringLiteral("The file %1 is %2 bytes long, far more than any client file or backup of one; it was "
                              "not read.")
            .arg(shown(path))
            .arg(f.size());
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return QStringLiteral("The file %1 cannot be read: %2.").arg(shown(path), f.errorString());
    if (const int err = SealedFiles::FromReading(path, bytes))
        return QStringLiteral("The file %1 cannot be read: %2.").arg(shown(path), PrivateFile::ErrorText(err));
    return {};
}

QString WriteFileSafely(const QString& path, const QByteArray& bytes, ExistingFile existing)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (!QFileInfo(dir).isDir())
        return QStringLiteral("The folder %1 does not exist.").arg(shown(dir));
    const bool keep = existing == ExistingFile::Refuse;
    const int err = PrivateFile::Replace(path, bytes, PrivateFile::OwnerOnly, PrivateFile::Sync::Durable,
                                         keep ? PrivateFile::Existing::Keep : PrivateFile::Existing::Replace);
    if (err == EEXIST && keep)
        return QStringLiteral("The file %1 already exists and is left as it is.").arg(shown(path));
    if (err)
        return QStringLiteral("The file %1 cannot be written: %2.").arg(shown(path), PrivateFile::ErrorText(err));

    QByteArray back;
    if (const QString e = ReadWholeFile(path, back); !e.isEmpty())
        return QStringLiteral("The file %1 was written but cannot be read back: %2").arg(shown(path), e);
    if (back != bytes)
        return QStringLiteral("The file %1 was written but reads back different; the medium may be failing.")
            .arg(shown(path));
    return {};
}

QString WriteOutputSafely(const QString& path, const QByteArray& bytes, ExistingFile existing,
                          const QStringList& ownFolders)
{
    if (QString refused = PrivateFile::OutputRefusal(path, ownFolders); !refused.isEmpty())
        return refused;
    return WriteFileSafely(path, bytes, existing);
}

QString WriteOutputSafely(const PrivateFile::CheckedOutput& target, const QByteArray& bytes)
{
    if (target.refused())
        return target.refusal();
    return WriteFileSafely(target.path(), bytes, target.wasFree() ? ExistingFile::Refuse : ExistingFile::Replace);
}
