// The audit trail: one entry appended and flushed, a 100,000-entry trail verified, and a data location opened with
// such a trail beside one whose trail has just begun.

#include "AuditTrail.h"
#include "BenchClients.h"
#include "BenchUtil.h"
#include "ClientTable.h"
#include "DataLocation.h"
#include "PrivateFile.h"
#include "TestDefinition.h"

#include <QTemporaryDir>

namespace {

void fill(const QString& folder)
{
    ClientTable table;
    table.setDataPath(folder);
    table.LoadClients();
    FillClients(table);
}

double openMedian(const QString& folder, int runs)
{
    return MedianMicros(runs, [&] {
        ClientTable table;
        OpenDataLocation(table, folder);
        table.audit.close(false);
    });
}

} // namespace

int main()
{
    QTemporaryDir big, small;
    fill(big.path());
    fill(small.path());
    AuditTrail trail;
    trail.open(big.path(), true);
    const AuditDetails details = {{QStringLiteral("field"), QStringLiteral("Marital")},
                                  {QStringLiteral("old"), QStringLiteral("1")},
                                  {QStringLiteral("new"), QStringLiteral("3")}};
    const int runs = 200;
    Report("append one entry (with fdatasync)", MedianMicros(runs, [&] { trail.append("client-changed", 7, details); }),
           runs);
    // The rest of the 100,000 without waiting for the disk each time: only the file's length matters below.
    QByteArray bytes;
    PrivateFile::Read(trail.path(), bytes);
    QByteArray key;
    PrivateFile::Read(big.path() + QStringLiteral("/DATA401.KEY"), key);
    key = QByteArray::fromHex(key.split('\n').value(0));
    const QList<AuditEntry> written = AuditTrail::parse(bytes);
    AuditEntry e = written.last();
    QByteArray prev = e.tag;
    for (qint64 n = written.size() + 1; n <= 100000; ++n) {
        e.seq = n;
        const QByteArray content = AuditTrail::encode(e);
        const QByteArray tag = AuditTrail::tagOf(key, prev, content);
        bytes += content + '\t' + prev + '\t' + tag + '\n';
        prev = tag;
    }
    trail.close(false);
    PrivateFile::Replace(big.path() + QStringLiteral("/DATA401.AUD"), bytes);
    const AuditVerification check = AuditTrail::verify(bytes, key);
    std::printf("trail of %lld entries, %lld bytes, holds: %s\n", static_cast<long long>(check.head.count),
                static_cast<long long>(bytes.size()), check.holds() ? "yes" : "no");
    Report("verify 100,000 entries", MedianMicros(9, [&] { AuditTrail::verify(bytes, key); }), 9);
    openMedian(small.path(), 3); // begins the small one's trail
    Report("open a location, trail just begun", openMedian(small.path(), 51), 51);
    Report("open a location, trail of 100,000 entries", openMedian(big.path(), 51), 51);
    return 0;
}
