#pragma once
// A data location filled to its 51 clients, each saved as the program saves it.

#include "ClientTable.h"
#include "TestDefinition.h"

#include <cstdint>

inline void FillClients(ClientTable& table)
{
    for (int16_t n = 1; n <= ClientTable::MaxClients; ++n) {
        table.Clients[n] = ClientRecord::blank();
        table.Clients[n].Name = QStringLiteral("Bench Client %1").arg(n);
        table.Clients[n].Responses = QString(NumItems, QLatin1Char('1'));
        table.SaveClient(n);
    }
}
