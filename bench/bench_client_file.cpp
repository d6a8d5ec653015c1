// Loading a full 51-client file and saving one record.

#include "BenchUtil.h"
#include "ClientTable.h"
#include "TestDefinition.h"

#include <QTemporaryDir>
#include <cstdint>

int main()
{
    QTemporaryDir dir;
    ClientTable table;
    table.setDataPath(dir.path());
    table.LoadClients();
    for (int16_t n = 1; n <= ClientTable::MaxClients; ++n) {
        table.Clients[n] = ClientRecord::blank();
        table.Clients[n].Name = QStringLiteral("Bench Client %1").arg(n);
        table.Clients[n].Responses = QString(NumItems, QLatin1Char('1'));
        table.SaveClient(n);
    }
    const int runs = 200;
    Report("LoadClients, 51 clients", MedianMicros(runs, [&] { table.LoadClients(); }), runs);
    Report("SaveClient, one record of 51 (with fsync)", MedianMicros(runs, [&] { table.SaveClient(25); }), runs);
    return 0;
}
