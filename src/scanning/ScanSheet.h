#pragma once
// One scan from the acquired page to the reading the review windows start from: saves the raw and cleaned pages,
// registers the sheet, reads every location and writes their positions back to the ScanItem table.

#include "ScanMessages.h"
#include "Scanner.h"
#include "SheetReading.h"

class DataWorkspace;
class QDate;

struct ScanOutcome {
    bool ok = false;
    ScanMessage failure; // when not ok: the box to show before the scan ends
    SheetReading reading;
};

// File names in the program folder; every scan overwrites them.
constexpr const char* RawImageName = "Raw.bmp";
constexpr const char* ScanImageName = "Scan.bmp";

// Runs the scan on an acquired page. An acquisition error gives the "Twain Error" message; a missing registration
// box, an image that cannot be saved or a question database that cannot be used gives a "Scan Error" message.
// `today` decides the century of the date of birth.
ScanOutcome ScanSheet(const AcquiredPage& page, DataWorkspace& workspace, const QDate& today);
