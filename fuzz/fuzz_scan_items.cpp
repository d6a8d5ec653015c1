// Checks rows decoded from arbitrary bytes as the answer-sheet layout (table ScanItem); a layout that passes is then
// used to read a blank sheet, as a scan would, which must give an answer character for every item.

#include "FuzzRows.h"
#include "ScanItem.h"
#include "ScanPage.h"
#include "SheetReading.h"
#include "TestDefinition.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <cstdint>

namespace {

// The rows of the demo installation's layout, the usual values the decoded rows start from.
QList<QVariantList> demoLayout()
{
    QList<QVariantList> rows;
    QFile f(QStringLiteral(VELTRANE_SOURCE_DIR "/installation/qn/300-scanitem.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return rows;
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
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QList<QVariantList> demo = demoLayout();
    static const QStringList columns = {"ID", "LocationName", "r", "theta", "dimx", "dx", "DimY", "dy", "x", "y"};
    static const ScanPage page = [] {
        QImage blank(850, 1400, QImage::Format_Grayscale8);
        blank.fill(255);
        ScanPage p(blank);
        p.setOrigin(QPoint(25, 45));
        return p;
    }();
    if (demo.size() != NumScanItems)
        __builtin_trap(); // the demo layout itself must be there

    FuzzRows input(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const TableRows rows = input.decode(columns, NumScanItems, [](int row, int column) {
        return row <= demo.size() ? demo[row - 1].value(column) : QVariant(row);
    });
    QList<ScanItem> items;
    if (!ScanItemsFromRows(rows, QStringLiteral("qn.mdb"), items).isEmpty())
        return 0;
    if (items.size() != NumScanItems)
        __builtin_trap();
    SheetReading reading;
    reading.SheetAngle = 0.5f;
    ReadSheet(page, items, QDate(2026, 1, 2), reading);
    if (reading.Responses.size() != NumItems)
        __builtin_trap();
    return 0;
}
