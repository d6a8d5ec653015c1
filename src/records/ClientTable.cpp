#include "ClientTable.h"

#include "PrivateFile.h"
#include "RecordDamage.h"

#include <QDir>
#include <cerrno>
#include <climits>
#include <cmath>

namespace {

FileError fileError(int err, const QString& path)
{
    if (err == ELOOP)
        return {FileError::BadFileName,
                QStringLiteral("%1 is a link; a client file is never read or written through one.")
                    .arg(QDir::toNativeSeparators(path))};
    if (err == EINVAL || err == EISDIR)
        return {FileError::BadFileName,
                QStringLiteral("%1 is a folder, a device or a pipe, not a client file.")
                    .arg(QDir::toNativeSeparators(path))};
    return FileError::fromErrno(err, path);
}

} // namespace

void ClientTable::setDataPath(const QString& path)
{
    DataPath = path;
    ClientFilePath =
        path + (path.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + QLatin1String(FileName);
}

ClientTable::LoadResult ClientTable::LoadClients(MissingFile missing, QByteArray* read)
{
    QByteArray bytes;
    qint64 size = 0;
    // Past the table's records and one partial record nothing is shown, so a huge file is never read whole.
    const qint64 limit = (MaxClients + 1) * qint64(ClientRecord::Size);
    int err = PrivateFile::Read(ClientFilePath, bytes, limit, &size);
    if (err == ENOENT && missing == MissingFile::Create) {
        // The one place a client file is created: a data location opened without one.
        err = PrivateFile::Create(ClientFilePath, {});
        if (err == EEXIST)
            err = PrivateFile::Read(ClientFilePath, bytes, limit, &size);
    }
    if (err) {
        LoadResult failed;
        failed.error = fileError(err, ClientFilePath);
        return failed;
    }
    LoadResult result = LoadFromBytes(bytes, size);
    if (read)
        *read = bytes;
    return result;
}

ClientTable::LoadResult ClientTable::LoadFromBytes(QByteArrayView bytes, qint64 fileSize)
{
    LoadResult result;

    // The count is the length over 184 rounded half to even, as the random-access reader counts it.
    const qint64 length = std::max<qint64>(fileSize, bytes.size());
    const double exact = static_cast<double>(length) / ClientRecord::Size;
    const long long count = std::llround(std::nearbyint(exact));
    result.recordsInFile = static_cast<int>(std::min<long long>(count, INT_MAX));
    const int shown = static_cast<int>(std::min<long long>(count, MaxClients));
    if (count > MaxClients) {
        result.notice = QStringLiteral("The client file %1 holds %2 clients, but only %3 can be shown. The first %3 "
                                       "are shown; the others are kept in the file unchanged.")
                            .arg(QDir::toNativeSeparators(ClientFilePath))
                            .arg(count)
                            .arg(MaxClients);
    }

    const ClientRecord blank = ClientRecord::blank();
    for (ClientRecord& r : Clients)
        r = blank;
    for (int n = 1; n <= shown; ++n) {
        const qsizetype offset = static_cast<qsizetype>(n - 1) * ClientRecord::Size;
        const qsizetype available =
            std::max<qsizetype>(0, std::min<qsizetype>(ClientRecord::Size, bytes.size() - offset));
        Clients[n] = ClientRecord::fromBytes(available > 0 ? bytes.sliced(offset, available) : QByteArrayView());
    }
    NumClients = static_cast<int16_t>(shown);
    // A last record of fewer than 184 bytes reads padded with blanks; it is shown, but never scored as if whole.
    PartialRecord = 0;
    if (shown > 0 && length < static_cast<qint64>(shown) * ClientRecord::Size)
        PartialRecord = static_cast<int16_t>(shown);
    CurClient = NumClients > 0 ? 1 : 0;
    return result;
}

FileError ClientTable::SaveClient(int16_t index)
{
    if (index < 1 || index > MaxClients)
        return {FileError::BadFileName,
                QStringLiteral("Client slot %1 is outside 1 to %2.").arg(index).arg(MaxClients)};
    // A missing file is never created here: it means the medium is gone (an unmounted drive leaves its bare mount
    // folder behind), and the record must wait in memory until it is back.
    QByteArray bytes;
    if (int err = PrivateFile::Read(ClientFilePath, bytes))
        return fileError(err, ClientFilePath);
    const qsizetype offset = static_cast<qsizetype>(index - 1) * ClientRecord::Size;
    if (bytes.size() < offset + ClientRecord::Size)
        bytes.append(QByteArray(offset + ClientRecord::Size - bytes.size(), ' '));
    const QByteArray record = Clients[index].toBytes();
    std::copy(record.begin(), record.end(), bytes.begin() + offset);
    if (int err = PrivateFile::Replace(ClientFilePath, bytes))
        return fileError(err, ClientFilePath);
    if (index == PartialRecord)
        PartialRecord = 0;
    return {};
}

void ClientTable::ClearClient()
{
    if (CurClient >= 0 && CurClient <= MaxClients)
        Clients[CurClient] = ClientRecord::blank();
}

void ClientTable::CountNewClient()
{
    if (NumClients < MaxClients)
        ++NumClients;
}

QString ClientTable::damage(int n) const
{
    if (n < 1 || n > MaxClients)
        return {};
    return RecordDamage(Clients.at(n), n != PartialRecord);
}

QString ClientTable::listLine(int n) const
{
    QString line = QString::number(n) + QLatin1Char('-') + ClientRecord::fit(Clients.at(n).Name, 25);
    for (QChar& c : line)
        if (c.unicode() < 0x20)
            c = QLatin1Char('?');
    // Without the name's padding, so the mark shows in a list no wider than a name.
    if (!damage(n).isEmpty())
        line = ClientRecord::unpadded(line) + QStringLiteral(" (damaged record)");
    return line;
}
