#include "SavedSheets.h"

#include "PrivateFile.h"

#include <QCryptographicHash>
#include <QDir>

QByteArray SavedSheets::hashOf(const QImage& page)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QByteArray shape = QByteArray::number(page.width()) + 'x' + QByteArray::number(page.height()) + ':' +
                             QByteArray::number(int(page.format()));
    hash.addData(shape);
    // Line by line: the padding at the end of each line is not part of the image.
    const qsizetype lineBytes = (qsizetype(page.width()) * page.depth() + 7) / 8;
    for (int y = 0; y < page.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(page.constScanLine(y)), lineBytes));
    return hash.result().toHex();
}

SavedSheets SavedSheets::read(const QString& dataPath)
{
    SavedSheets saved;
    saved.m_path = QDir(dataPath).filePath(QLatin1String(FileName));
    QByteArray bytes;
    // A location holds at most 51 clients; a list far longer than that is not ours.
    if (PrivateFile::Read(saved.m_path, bytes, 1024 * 1024) != 0)
        return saved;
    for (const QByteArray& line : bytes.split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        bool ok = false;
        const int client = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
        if (ok && client > 0 && parts[0].size() == 64)
            saved.m_clients.insert(parts[0], client);
    }
    return saved;
}

QString SavedSheets::record(const QByteArray& hash, int client)
{
    m_clients.insert(hash, client);
    if (m_path.isEmpty())
        return {};
    QByteArray bytes;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it)
        bytes += it.key() + ' ' + QByteArray::number(it.value()) + "\r\n";
    if (const int err = PrivateFile::Replace(m_path, bytes))
        return QStringLiteral("The list of saved sheet images %1 could not be written: %2. Reading this sheet again "
                              "would add it as a new client.")
            .arg(QDir::toNativeSeparators(m_path), PrivateFile::ErrorText(err));
    return {};
}
