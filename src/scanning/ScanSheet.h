#pragma once
// One scan from the acquired page to the reading the review windows start from: prepares, cleans and registers the
// page, makes sure it holds the whole sheet, reads every location, and (for a scan) saves the acquired and cleaned pages
// and writes the positions back to the ScanItem table.

#include "ScanMessages.h"
#include "Scanner.h"
#include "SheetReading.h"

#include <QImage>

class DataWorkspace;
class QDate;

struct ScanOutcome {
    bool ok = false;
    ScanMessage failure; // when not ok: the box to show before the scan ends
    SheetReading reading;
    QImage cleaned;    // the cleaned page the marks were read from (null when refused before cleaning)
    QImage registered; // grey, upright, at 100 dpi: the sheet the review shows
    QPoint anchor;     // the anchor box's corner in `registered`
};

// File names in the program folder; every scan overwrites them.
constexpr const char* RawImageName = "Raw.bmp";
constexpr const char* ScanImageName = "Scan.bmp";

// Reads an acquired page against the layout `items` (whose x and y receive the positions found), without touching
// any file: a refused page gives the message that says why. `today` decides the century of the date of birth.
ScanOutcome ReadSheetImage(const AcquiredPage& page, QList<ScanItem>& items, const QDate& today);

// Runs the scan on an acquired page. An acquisition error gives the "Twain Error" message; a missing registration
// box, a page that is not a whole answer sheet, an image that cannot be saved or a question database that cannot be
// used gives a "Scan Error" message.
ScanOutcome ScanSheet(const AcquiredPage& page, DataWorkspace& workspace, const QDate& today);
