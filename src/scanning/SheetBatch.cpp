#include "SheetBatch.h"

#include <QDir>
#include <QImageReader>
#include <QRegularExpression>

const BatchSheet& SheetBatch::add(const QString& source, const AcquiredPage& page)
{
    BatchSheet sheet;
    sheet.source = source;
    if (page.ok()) {
        sheet.imageHash = SavedSheets::hashOf(page.image);
        if ((sheet.client = m_saved.clientOf(sheet.imageHash)) > 0) {
            sheet.state = BatchState::AlreadySaved;
            m_sheets.append(sheet);
            return m_sheets.last();
        }
    }
    QList<ScanItem> layout = m_layout;
    sheet.outcome = ReadSheetImage(page, layout, m_today);
    const SheetReading& r = sheet.outcome.reading;
    if (!sheet.outcome.ok) {
        sheet.state = BatchState::Rejected;
        sheet.reason = RefusalReason(sheet.outcome.failure);
    } else {
        QStringList several;
        for (const QString& name : r.MultiMarks.entries())
            if (!several.contains(name))
                several << name;
        const QStringList unclear = r.uncertainNames();
        QStringList parts;
        if (!several.isEmpty())
            parts << QStringLiteral("several marks: %1").arg(several.join(QStringLiteral(", ")));
        if (!unclear.isEmpty())
            parts << QStringLiteral("too light or too close to call: %1").arg(unclear.join(QStringLiteral(", ")));
        sheet.state = parts.isEmpty() ? BatchState::Ready : BatchState::NeedsReview;
        sheet.reason = parts.join(QStringLiteral("; "));
    }
    // Only what the review shows is kept: a batch can hold as many sheets as a data location has clients.
    sheet.outcome.cleaned = QImage();
    m_sheets.append(sheet);
    return m_sheets.last();
}

int SheetBatch::count(BatchState state) const
{
    return static_cast<int>(
        std::count_if(m_sheets.begin(), m_sheets.end(), [state](const BatchSheet& s) { return s.state == state; }));
}

int SheetBatch::nextToReview(int from) const
{
    for (int i = std::max(0, from); i < size(); ++i)
        if (m_sheets[i].state != BatchState::Saved && m_sheets[i].state != BatchState::SetAside &&
            m_sheets[i].state != BatchState::AlreadySaved)
            return i;
    return -1;
}

QString SheetBatch::markSaved(int index, int client)
{
    m_sheets[index].state = BatchState::Saved;
    m_sheets[index].client = client;
    const QByteArray hash = m_sheets[index].imageHash;
    if (hash.isEmpty())
        return {};
    for (BatchSheet& later : m_sheets)
        if (later.imageHash == hash && later.state != BatchState::Saved) {
            later.state = BatchState::AlreadySaved;
            later.client = client;
        }
    return m_saved.record(hash, client);
}

void SheetBatch::setAside(int index)
{
    m_sheets[index].state = BatchState::SetAside;
}

QString SheetBatch::stateText(BatchState state)
{
    switch (state) {
    case BatchState::Ready:
        return QStringLiteral("Ready");
    case BatchState::NeedsReview:
        return QStringLiteral("Needs review");
    case BatchState::Rejected:
        return QStringLiteral("Rejected");
    case BatchState::Saved:
        return QStringLiteral("Saved");
    case BatchState::SetAside:
        return QStringLiteral("Set aside");
    case BatchState::AlreadySaved:
        return QStringLiteral("Already saved");
    }
    return {};
}

QString SheetBatch::stateText(const BatchSheet& sheet)
{
    if (sheet.state == BatchState::AlreadySaved)
        return QStringLiteral("Already saved as client %1").arg(sheet.client);
    return stateText(sheet.state);
}

QString SheetBatch::details(const BatchSheet& sheet)
{
    if (sheet.state == BatchState::Saved)
        return QStringLiteral("client %1").arg(sheet.client);
    return sheet.reason;
}

QString SheetBatch::summary() const
{
    QStringList parts;
    const auto part = [&](BatchState state, const char* one, const char* many) {
        const int n = count(state);
        if (n > 0)
            parts << QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    part(BatchState::Ready, "ready", "ready");
    part(BatchState::NeedsReview, "needs review", "need review");
    part(BatchState::Rejected, "rejected", "rejected");
    part(BatchState::Saved, "saved", "saved");
    part(BatchState::SetAside, "set aside", "set aside");
    part(BatchState::AlreadySaved, "already saved", "already saved");
    const QString read = size() == 1 ? QStringLiteral("1 sheet read") : QStringLiteral("%1 sheets read").arg(size());
    return parts.isEmpty() ? read + QLatin1Char('.')
                           : read + QStringLiteral(": ") + parts.join(QStringLiteral(", ")) + QLatin1Char('.');
}

QStringList SheetFilesIn(const QString& folder, int limit, int* more)
{
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList patterns;
    for (const char* kind : {"png", "bmp", "jpg", "jpeg", "tif", "tiff", "pgm", "ppm", "pbm", "pnm"}) {
        // PNM files are read by the PGM/PPM reader.
        const QByteArray reader = qstrcmp(kind, "pnm") == 0 ? QByteArray("pgm") : QByteArray(kind);
        if (readable.contains(reader))
            patterns << QStringLiteral("*.") + QLatin1String(kind);
    }
    QStringList names = QDir(folder).entryList(patterns, QDir::Files | QDir::Readable, QDir::NoSort);
    // Scanners number their files: "scan 2" comes before "scan 10", whatever the locale.
    static const QRegularExpression parts(QStringLiteral("(\\d+)|(\\D+)"));
    const auto key = [](const QString& name) {
        QStringList out;
        for (auto it = parts.globalMatch(name.toLower()); it.hasNext();) {
            const QString part = it.next().captured(0);
            out << (part.front().isDigit() ? part.rightJustified(12, QLatin1Char('0')) : part);
        }
        return out;
    };
    std::sort(names.begin(), names.end(), [&key](const QString& a, const QString& b) { return key(a) < key(b); });
    if (more)
        *more = std::max(0, static_cast<int>(names.size()) - limit);
    QStringList paths;
    for (qsizetype i = 0; i < names.size() && i < limit; ++i)
        paths << QDir(folder).filePath(names[i]);
    return paths;
}

QString RefusalReason(const ScanMessage& failure)
{
    QStringList parts;
    for (QString line : failure.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line = line.trimmed();
        if (line.isEmpty() || line == QLatin1String("Aborting scan."))
            continue;
        if (!line.endsWith(QLatin1Char('.')) && !line.endsWith(QLatin1Char('?')))
            line += QLatin1Char('.');
        parts << line;
    }
    return parts.join(QLatin1Char(' '));
}
