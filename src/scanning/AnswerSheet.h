#pragma once
// The blank legal-size answer sheet, drawn from the ScanItem table so that the printed bubbles are where the reader
// looks for them: registration boxes, every bubble with its label, item numbers, the demographic, court-history and
// date-of-birth fields.

#include "PrivateFile.h"
#include "ScanItem.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

class AnswerSheet {
public:
    // Page geometry in pixels at 100 dots per inch.
    static constexpr QSize PageSize{850, 1400};
    static constexpr QRect AnchorBox{25, 50, 12, 12};
    static constexpr QRect ReferenceBox{811, 50, 12, 12};
    // Grey of the bubble outlines and their labels: visible to the client, read as white once cleaned.
    static constexpr int DropOutGrey = 210;

    explicit AnswerSheet(QList<ScanItem> items) : m_items(std::move(items)) {}

    // Draws the sheet in page pixels; the caller scales the painter to its device.
    void draw(QPainter& painter) const;
    // The sheet as an 850 x 1400 grey image at 100 dpi.
    QImage render() const;
    // One legal-size page at actual size on a PDF writer or printer (give a QPrinter setFullPage(true) first, so
    // that the printer's margins do not shift the page). Returns "" or what went wrong; `shownName` names the
    // device in the message.
    QString paint(QPagedPaintDevice& device, const QString& shownName) const;
    // A one-page legal-size PDF, never over one of the files in `ownFolders` (see PrivateFile::OutputRefusal);
    // returns "" or a message naming the file.
    QString writePdf(const QString& path, const QStringList& ownFolders) const;
    // The same for a target checked before other work (the question database, say) was begun.
    QString writePdf(const PrivateFile::CheckedOutput& target) const;

    // The top-left corner, on the page of a straight sheet, of bubble `index` of the location with ID `id`.
    QPoint bubbleOnPage(int id, int index) const;
    // Its label as printed ("T", "F", "1", "M", ...).
    static QString bubbleLabel(int id, int index, int count);

    const QList<ScanItem>& items() const { return m_items; }

private:
    QList<ScanItem> m_items;
};
