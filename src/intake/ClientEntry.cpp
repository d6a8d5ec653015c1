#include "ClientEntry.h"

#include "EditLimit.h"

bool ClientInfoWritten(bool editing, bool entriesChanged, int clientCount, int countAtOpen)
{
    return !(editing && entriesChanged && clientCount != 0 && countAtOpen >= EditLimit::Limit);
}
