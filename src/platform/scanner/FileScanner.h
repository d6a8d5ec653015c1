#pragma once
// "Scanning" from an image file that a scanner's own software saved: PNG, BMP, JPEG, and TIFF or PDF where this
// Qt build has a reader for them; the page is made grey and brought to 100 dots per inch.

#include "Scanner.h"

class FileScanner final : public Scanner {
public:
    explicit FileScanner(QString path) : m_path(std::move(path)) {}
    AcquiredPage acquire() override;

    // The page's resolution as the file states it, or, when it states none (Qt's default), as a
    // legal- or letter-width page (8.5 inches) would have it.
    static double pageDpi(const QImage& image);
    // `image` as 8-bit grey at 100 dots per inch.
    static QImage toHundredDpiGrey(const QImage& image);

private:
    QString m_path;
};
