#include "ClientEntry.h"

#include "ClientTable.h"
#include "DataLocation.h"
#include "EditLimit.h"
#include "Prompts.h"

bool TakeNewClientSlot(ClientTable& table, Prompts& prompts, const QString& title)
{
    if (table.isFull()) {
        prompts.message(QStringLiteral("The client file on this data location already holds %1 clients, the most it "
                                       "can hold. Choose another data location for new clients.")
                            .arg(ClientTable::MaxClients),
                        title, Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
        return false;
    }
    table.CurClient = static_cast<int16_t>(table.NumClients + 1);
    return true;
}

bool ClientInfoWritten(bool editing, bool entriesChanged, int clientCount, int countAtOpen)
{
    return !(editing && entriesChanged && clientCount != 0 && countAtOpen >= EditLimit::Limit);
}

bool ApplyToCurrentClient(ClientTable& table, bool editing, Prompts& prompts,
                          const std::function<void(ClientRecord&)>& fill)
{
    const ClientRecord before = table.current();
    fill(table.current());
    if (!editing)
        return true;
    if (SaveClientAsking(table, table.CurClient, prompts)) {
        table.current() = before;
        return false;
    }
    return true;
}
