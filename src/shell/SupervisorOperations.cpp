#include "SupervisorOperations.h"

#include "ClientTable.h"
#include "Cp1252.h"
#include "PrivateFile.h"

#include <QDir>

QString ScrambleName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c == QLatin1Char(' ')) {
            out.append(c);
            continue;
        }
        int code = cp1252Code(c);
        if (code < 0)
            code = '?';
        int shifted = code + (code % 2 == 0 ? 7 : 3);
        if (shifted > 255)
            shifted = shifted - 256 + 33;
        out.append(cp1252Char(static_cast<unsigned char>(shifted)));
    }
    return out;
}

QString ScrambleAllNames(ClientTable& table, const std::function<FileError(int16_t)>& save)
{
    for (int16_t n = 1; n <= table.NumClients; ++n) {
        table.CurClient = n;
        ClientRecord& r = table.Clients[n];
        if (r.NameDeleted != QLatin1String("0"))
            continue;
        const ClientRecord before = r;
        r.Name = ScrambleName(ClientRecord::fit(r.Name, 25));
        r.NameDeleted = QStringLiteral("1");
        r.EditCount = QStringLiteral("3");
        if (FileError e = save ? save(n) : table.SaveClient(n)) {
            // The file still holds the name, so the table must too: a later run then tries this client again.
            r = before;
            table.CurClient = 1;
            return QStringLiteral("The name of client %1 could not be deleted from the data disk: %2")
                .arg(n)
                .arg(e.description);
        }
    }
    table.CurClient = table.NumClients > 0 ? 1 : 0;

    // Success is what the file says, not what the table says.
    QByteArray bytes;
    if (const int err = PrivateFile::Read(table.ClientFilePath, bytes))
        return QStringLiteral("The client file %1 could not be read back: %2")
            .arg(QDir::toNativeSeparators(table.ClientFilePath), PrivateFile::ErrorText(err));
    int readable = 0;
    for (qsizetype at = 0; at < bytes.size(); at += ClientRecord::Size) {
        if (ClientRecord::fromBytes(bytes.mid(at, ClientRecord::Size)).NameDeleted == QLatin1String("0"))
            ++readable;
    }
    if (readable > 0)
        return QStringLiteral("%1 client name(s) in the client file %2 can still be read.")
            .arg(readable)
            .arg(QDir::toNativeSeparators(table.ClientFilePath));
    return {};
}
