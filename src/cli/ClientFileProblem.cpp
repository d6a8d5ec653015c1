#include "Commands.h"
#include "ClientTable.h"

#include <QDir>

QString ClientFileProblem(const ClientTable& table, const FileError& error)
{
    const QString file = QDir::toNativeSeparators(table.ClientFilePath);
    if (error.number == FileError::FileNotFound || error.number == FileError::PathNotFound)
        return QStringLiteral("There is no file %1.").arg(file);
    // The table's own sentence for a link, a folder, a device or a pipe at the client file's name.
    if (error.number == FileError::BadFileName)
        return error.description;
    return QStringLiteral("The client file %1 cannot be read: %2.").arg(file, error.description);
}
