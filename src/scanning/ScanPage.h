#pragma once
// The cleaned page that every pixel test reads: white is exactly 255, anything else is a mark, and a pixel off the
// page is not white. Coordinates are relative to a movable origin (the anchor box once it is found).

#include <QImage>
#include <QPoint>

class ScanPage {
public:
    ScanPage() = default;
    explicit ScanPage(const QImage& cleaned);

    bool isWhite(int x, int y) const
    {
        const int px = x + m_origin.x();
        const int py = y + m_origin.y();
        if (px < 0 || py < 0 || px >= m_image.width() || py >= m_image.height())
            return false;
        return m_image.constScanLine(py)[px] == 255;
    }

    // Moves the origin to `origin` in image coordinates.
    void setOrigin(QPoint origin) { m_origin = origin; }
    QPoint origin() const { return m_origin; }
    const QImage& image() const { return m_image; }

private:
    QImage m_image; // Format_Grayscale8
    QPoint m_origin;
};

// The number of pixels that are not white in the box at (x, y) of size s: columns x..x+s and rows y..y+s, except
// that size 8 covers x..x+7 and y..y+7.
int BoxDarkCount(const ScanPage& page, int x, int y, int s);

// True when that count exceeds s² × 0.3 (size 8) or s² × 0.05 (any other size); `count` receives the count.
bool IsBoxDark(const ScanPage& page, int x, int y, int s, int* count = nullptr);

// The acquired page as a clean two-level image: marks and printed boxes 0, blank paper and the light printed
// bubble outlines 255, specks of scanner noise removed.
QImage CleanScanImage(const QImage& raw);
