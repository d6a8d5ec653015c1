// An encrypted data location: unlocking it at the real key-derivation cost (right passphrase, recovery passphrase in
// the second slot, wrong passphrase), and opening it, saving a client and appending a trail entry beside the same
// on a plain location.

#include "BenchClients.h"
#include "BenchUtil.h"
#include "ClientTable.h"
#include "DataLocation.h"
#include "LocationProtection.h"
#include "SealedFiles.h"

#include <QTemporaryDir>

namespace {

const QString Pass = QStringLiteral("Harbor lights 48"), Recovery = QStringLiteral("Agency vault 2026!");

void fill(const QString& folder, int entries)
{
    ClientTable table;
    table.setDataPath(folder);
    table.LoadClients();
    FillClients(table);
    table.audit.open(folder, true);
    for (int i = 0; i < entries; ++i)
        table.audit.append(QStringLiteral("client-changed"), 7, {{QStringLiteral("field"), QStringLiteral("Marital")}});
}

void measure(const char* kind, const QString& folder)
{
    const int runs = 50;
    Report((QByteArray("open the location, ") + kind).constData(), MedianMicros(runs, [&] {
               ClientTable table;
               OpenDataLocation(table, folder);
               table.audit.close(false);
           }),
           runs);
    ClientTable table;
    OpenDataLocation(table, folder);
    Report((QByteArray("save one client, ") + kind).constData(), MedianMicros(runs, [&] { table.SaveClient(7); }), runs);
    Report((QByteArray("append a trail entry (1,000 held), ") + kind).constData(),
           MedianMicros(runs, [&] { table.audit.append(QStringLiteral("client-changed"), 7); }), runs);
    table.audit.close(false);
}

} // namespace

int main()
{
    QTemporaryDir plain, sealed;
    fill(plain.path(), 1000);
    fill(sealed.path(), 1000);
    LocationProtection::Encrypt(sealed.path(), Pass, Recovery);
    const QString slotFile = LocationProtection::SlotFilePath(sealed.path());
    const int runs = 9;
    Report("unlock, passphrase (first slot)",
           MedianMicros(runs, [&] { LocationProtection::Unlock(slotFile, Pass, sealed.path()); }), runs);
    Report("unlock, recovery passphrase (second slot)",
           MedianMicros(runs, [&] { LocationProtection::Unlock(slotFile, Recovery, sealed.path()); }), runs);
    Report("unlock refused, wrong passphrase (both slots)",
           MedianMicros(runs, [&] { LocationProtection::Unlock(slotFile, QStringLiteral("wrong one 123"), sealed.path()); }),
           runs);
    LocationProtection::Unlock(slotFile, Pass, sealed.path());
    measure("plain", plain.path());
    measure("encrypted", sealed.path());
    SealedFiles::LockAll();
    return 0;
}
