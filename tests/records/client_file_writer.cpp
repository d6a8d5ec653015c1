// Saves records over and over so a test can kill it mid-save: record n alternates between two known versions, and
// each save is recorded in the location's audit trail.
//   client_file_writer DATA_DIR

#include "ClientTable.h"
#include "TestDefinition.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    ClientTable table;
    table.setDataPath(QString::fromLocal8Bit(argv[1]));
    if (table.LoadClients().error || table.audit.open(table.DataPath, true))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    for (long round = 0;; ++round) {
        for (int16_t n = 1; n <= table.NumClients; ++n) {
            ClientRecord& r = table.Clients[n];
            const QChar fill = round % 2 ? QLatin1Char('2') : QLatin1Char('1');
            r.Name = QStringLiteral("Writer %1 v%2").arg(n).arg(fill);
            r.Responses = QString(NumItems, fill);
            if (table.SaveClient(n) || table.audit.append(QStringLiteral("answers-changed"), n))
                return 1;
        }
    }
}
