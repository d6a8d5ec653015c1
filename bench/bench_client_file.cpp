// Loading a full 51-client file and saving one record.

#include "BenchClients.h"
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
    FillClients(table);
    const int runs = 200;
    Report("LoadClients, 51 clients", MedianMicros(runs, [&] { table.LoadClients(); }), runs);
    Report("SaveClient, one record of 51 (with fsync)", MedianMicros(runs, [&] { table.SaveClient(25); }), runs);
    return 0;
}
