// Encrypts and decrypts a data location over and over, saving clients and trail entries between, until killed; the
// protection test kills it at random moments. Prints a line after each step.
//   protect_child FOLDER PASSPHRASE

#include "ClientTable.h"
#include "LocationProtection.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]), pass = QString::fromLocal8Bit(argv[2]);
    const LocationProtection::Cost cheap{10, 8, 1};
    ClientTable table;
    table.setDataPath(folder);
    if (!LocationProtection::FinishConversion(folder).isEmpty() ||
        (LocationProtection::IsEncrypted(folder) &&
         !LocationProtection::Unlock(LocationProtection::SlotFilePath(folder), pass, folder).ok()) ||
        table.LoadClients().error || table.audit.open(folder, true))
        return 3;
    for (int round = 0;; ++round) {
        for (int16_t n = 1; n <= table.NumClients; ++n) {
            table.Clients[n].Responses = QString(123, QChar('1' + (round + n) % 5));
            if (table.SaveClient(n) || table.audit.append(QStringLiteral("saved"), n))
                return 4;
        }
        table.audit.close(false);
        const QString e = LocationProtection::IsEncrypted(folder)
                              ? LocationProtection::RemoveEncryption(folder, pass)
                              : LocationProtection::Encrypt(folder, pass, QString(), cheap);
        if (!e.isEmpty() || table.audit.open(folder, true))
            return 5;
        std::printf("round %d\n", round);
        std::fflush(stdout);
    }
}
