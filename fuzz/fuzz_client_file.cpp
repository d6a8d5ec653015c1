// Loads arbitrary bytes as a client file. Every whole record must come back byte for byte when written again, and
// the table must stay within its 51 slots.

#include "ClientTable.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static ClientTable table; // loading replaces every slot
    const ClientTable::LoadResult result = table.LoadFromBytes(bytes);
    if (table.NumClients < 0 || table.NumClients > ClientTable::MaxClients || result.recordsInFile < table.NumClients)
        __builtin_trap();
    if ((table.NumClients > 0) != (table.CurClient == 1))
        __builtin_trap();
    for (int n = 1; n <= table.NumClients; ++n) {
        const qsizetype offset = static_cast<qsizetype>(n - 1) * ClientRecord::Size;
        const QByteArray stored = table.Clients[n].toBytes();
        if (stored.size() != ClientRecord::Size)
            __builtin_trap();
        if (offset + ClientRecord::Size <= bytes.size() && stored != bytes.sliced(offset, ClientRecord::Size))
            __builtin_trap(); // a save would change a record nobody edited
        // A sound record's line keeps the name's padding; a damaged one ends with its mark instead.
        const QString line = table.listLine(n);
        if (table.damage(n).isEmpty() ? line.size() < 27 : !line.endsWith(QStringLiteral(" (damaged record)")))
            __builtin_trap();
    }
    return 0;
}
