// Reads arbitrary bytes as a scanned answer sheet: decoding, the page's size and resolution checks, scaling,
// cleaning, registration and the reading of every location of the demo layout. Every page must be read whole or
// refused with a message. With VELTRANE_FUZZ_SEEDS=<folder> it first writes seed sheets there (a marked sheet in
// the formats a scanner saves).

#include "AnswerSheet.h"
#include "FileScanner.h"
#include "ScanItem.h"
#include "ScanSheet.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <cstdint>

namespace {

QList<ScanItem> g_items;

// The demo layout from its SQL source, so that the fuzzer needs no database.
QList<ScanItem> demoLayout()
{
    QFile f(QStringLiteral(VELTRANE_SCANITEM_SQL));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression row(QStringLiteral(
        R"(INSERT INTO ScanItem VALUES \((\d+), '([^']*)', ([\d.]+), ([\d.]+), (\d+), (\d+), (\d+), (\d+), (-?\d+), (-?\d+)\);)"));
    QList<ScanItem> items;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            continue;
        ScanItem item;
        item.ID = m.captured(1).toInt();
        item.LocationName = m.captured(2);
        item.r = m.captured(3).toFloat();
        item.theta = m.captured(4).toFloat();
        item.dimx = m.captured(5).toInt();
        item.dx = m.captured(6).toInt();
        item.DimY = m.captured(7).toInt();
        item.dy = m.captured(8).toInt();
        items.append(item);
    }
    return items;
}

void writeSeeds(const QString& folder)
{
    const AnswerSheet sheet(g_items);
    QImage page = sheet.render().convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&page);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int id = 1; id <= g_items.size(); ++id) {
            // One mark a location, a light one now and then, and a second on every seventh.
            const int grey = id % 11 == 0 ? 185 : 70;
            p.setBrush(QColor(grey, grey, grey));
            p.drawEllipse(QPointF(sheet.bubbleOnPage(id, 0)) + QPointF(7.5, 7.5), 6.2, 6.2);
            if (id % 7 == 0)
                p.drawEllipse(QPointF(sheet.bubbleOnPage(id, 1)) + QPointF(7.5, 7.5), 6.2, 6.2);
        }
    }
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    QDir().mkpath(folder);
    grey.save(folder + QStringLiteral("/sheet.png"), "PNG");
    grey.save(folder + QStringLiteral("/sheet.bmp"), "BMP");
    grey.save(folder + QStringLiteral("/sheet.pgm"), "PGM");
    grey.save(folder + QStringLiteral("/sheet.jpg"), "JPG", 80);
    grey.mirrored(true, true).save(folder + QStringLiteral("/turned.png"), "PNG");
    grey.scaled(425, 700).save(folder + QStringLiteral("/small.pgm"), "PGM");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Fonts for the seed sheet's text; images decode without any application object.
    static QGuiApplication app(*argc, *argv);
    g_items = demoLayout();
    if (g_items.size() != NumScanItems)
        __builtin_trap(); // the demo layout itself must load
    const QByteArray seeds = qgetenv("VELTRANE_FUZZ_SEEDS");
    if (!seeds.isEmpty())
        writeSeeds(QString::fromLocal8Bit(seeds));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<ScanItem> items = g_items;
    const ScanOutcome o = ReadSheetImage(FileScanner::decode(bytes, QStringLiteral("fuzz")), items, QDate(2026, 1, 1));
    if (!o.ok) {
        if (o.failure.text.isEmpty())
            __builtin_trap(); // a refusal must say why
        return 0;
    }
    const SheetReading& r = o.reading;
    if (r.Responses.size() != 123 || r.DateText.size() != 10 || r.Locations.size() != NumScanItems)
        __builtin_trap();
    for (const LocationReading& l : r.Locations) {
        if (l.darkness.size() != l.bubbles.size() || l.chosen >= l.bubbles.size())
            __builtin_trap();
        for (float d : l.darkness)
            if (!(d >= 0 && d <= 1))
                __builtin_trap();
        // Every bubble read lies on the page.
        for (const QPoint& b : l.bubbles)
            if (!QRect(QPoint(), o.registered.size()).contains(QRect(b + o.anchor, QSize(15, 15))))
                __builtin_trap();
    }
    return 0;
}
