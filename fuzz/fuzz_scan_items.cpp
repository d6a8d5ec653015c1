// Checks rows decoded from arbitrary bytes as the answer-sheet layout (table ScanItem); for a layout that passes, the
// reader then places every location's bubbles at a turned sheet's angle, as a scan does before it counts pixels.

#include "FuzzRows.h"
#include "ScanItem.h"
#include "MarkReader.h"
#include "ScanPage.h"
#include "TestDefinition.h"

#include <QFile>
#include <QRegularExpression>
#include <cstdint>

namespace {

// The rows of the demo installation's layout, the usual values the decoded rows start from.
TableRows demoLayout()
{
    TableRows t;
    t.columns = QStringList{"ID", "LocationName", "r", "theta", "dimx", "dx", "DimY", "dy", "x", "y"};
    QList<QVariantList>& rows = t.rows;
    QFile f(QStringLiteral(VELTRANE_SOURCE_DIR "/installation/qn/300-scanitem.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return t;
    static const QRegularExpression insert(QStringLiteral(
        R"(VALUES \((\d+), '([^']*)', ([-\d.]+), ([-\d.]+), (\d+), (\d+), (\d+), (\d+), (\d+), (\d+)\))"));
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QRegularExpressionMatch m = insert.match(QString::fromUtf8(line));
        if (!m.hasMatch())
            continue;
        QVariantList row;
        row << m.captured(1).toLongLong() << m.captured(2) << m.captured(3).toDouble() << m.captured(4).toDouble();
        for (int i = 5; i <= 10; ++i)
            row << m.captured(i).toLongLong();
        rows.append(row);
    }
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const TableRows demo = demoLayout();
    if (demo.rows.size() != NumScanItems)
        __builtin_trap(); // the demo layout itself must be there

    FuzzRows input(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const TableRows rows = input.decode(demo);
    QList<ScanItem> items;
    if (!ScanItemsFromRows(rows, QStringLiteral("qn.mdb"), items).isEmpty())
        return 0;
    if (items.size() != NumScanItems)
        __builtin_trap();
    static const ScanPage page;
    MultiMarkList marks;
    const MarkReader reader(page, -7.5f, marks); // about the steepest angle registration can find
    for (qsizetype i = 0; i < items.size(); ++i) {
        ScanItem placed = items[i];
        const bool column = i + 1 >= FirstDateItem;
        (column ? placed.dimx : placed.DimY) = 1;
        if (reader.bubblePositions(placed).size() != (column ? placed.DimY : placed.dimx))
            __builtin_trap();
    }
    return 0;
}
