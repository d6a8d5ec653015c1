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

private:
    QString m_path;
};
