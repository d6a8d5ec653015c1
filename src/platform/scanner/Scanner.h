#pragma once
// Acquires pages from a scanner or stand-in: the scan window's only view of the device.

#include <QImage>
#include <QString>
#include <functional>

// The outcome of one acquisition: a page, or an error number (see ScannerErrors.h) with a detail line that names
// the device or file and what went wrong.
struct AcquiredPage {
    QImage image;
    int errorNumber = 0;
    QString detail;
    // The resolution the page was scanned at, or 0 when nothing says (then the image's own tag is all there is).
    double dpi = 0;

    bool ok() const { return errorNumber == 0 && !image.isNull(); }
    static AcquiredPage failure(int number, QString detail) { return {QImage(), number, std::move(detail), 0}; }
};

class Scanner {
public:
    virtual ~Scanner() = default;
    // Acquires one page as 8-bit grey (where the device allows) at the resolution it was scanned at, which the
    // image states (dots per metre).
    virtual AcquiredPage acquire() = 0;
    // Acquires every page of the document feeder until it is empty, handing each to `take`, which returns false
    // to stop early. An empty feeder at the start is a failed page; at the end it is no error. A failure ends the
    // run after it is handed over. A device without a feeder gives one page.
    virtual void acquireAll(const std::function<bool(const AcquiredPage&)>& take) { take(acquire()); }
};
