#pragma once
// "Scanning" from an image file that a scanner's own software saved: PNG, BMP, JPEG, and TIFF or PDF where this
// Qt build has a reader for them; the page is made grey and keeps the resolution the file states.

#include "Scanner.h"

#include <QByteArray>

class FileScanner final : public Scanner {
public:
    explicit FileScanner(QString path) : m_path(std::move(path)) {}
    AcquiredPage acquire() override;

    // The page in an image file's bytes; `shownName` names the file in messages. An image larger than
    // `mostPixels` is refused before it is decoded, and no pixel is left unwritten when a file ends early.
    static AcquiredPage decode(const QByteArray& bytes, const QString& shownName);

    static constexpr qint64 MostPixels = 48'000'000; // a legal page at 600 dpi has 43 million
    // The sides of a page 10 by 15 inches at 600 dpi, either way round: no sheet is scanned on more.
    static constexpr int MostNarrowSide = 6000;
    static constexpr int MostLongSide = 9000;
    static constexpr int LeastSide = 300; // narrower than this is no page to measure by its sides

private:
    QString m_path;
};
