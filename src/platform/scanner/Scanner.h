#pragma once
// Acquires one page from a scanner or stand-in: the scan window's only view of the device.

#include <QImage>
#include <QString>

// The outcome of one acquisition: a page, or an error number (see ScannerErrors.h) with a detail line that names
// the device or file and what went wrong.
struct AcquiredPage {
    QImage image;
    int errorNumber = 0;
    QString detail;

    bool ok() const { return errorNumber == 0 && !image.isNull(); }
    static AcquiredPage failure(int number, QString detail) { return {QImage(), number, std::move(detail)}; }
};

class Scanner {
public:
    virtual ~Scanner() = default;
    // Acquires one page as a 100 dots-per-inch image (greyscale where the device allows).
    virtual AcquiredPage acquire() = 0;
};
