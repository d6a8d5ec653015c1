#pragma once
// The cleaned page that every pixel test reads: white is exactly 255, anything else is a mark, and a pixel off the
// page is not white. Coordinates are relative to a movable origin (the anchor box once it is found). Beside it the
// grey page it was cleaned from, on which a bubble's darkness is measured against the paper's own grey.

#include <QImage>
#include <QPoint>

class ScanPage {
public:
    ScanPage() = default;
    explicit ScanPage(const QImage& cleaned);
    // `grey` is the page `cleaned` was made from, `paper` the grey of its blank paper.
    ScanPage(const QImage& cleaned, const QImage& grey, int paper);

    bool isWhite(int x, int y) const
    {
        const int px = x + m_origin.x();
        const int py = y + m_origin.y();
        if (px < 0 || py < 0 || px >= m_width || py >= m_height)
            return false;
        return m_bits[static_cast<qsizetype>(py) * m_stride + px] == 255;
    }

    // True when the box x..x+s, y..y+s lies wholly on the page.
    bool contains(int x, int y, int s) const
    {
        const int px = x + m_origin.x();
        const int py = y + m_origin.y();
        return px >= 0 && py >= 0 && px + s < m_width && py + s < m_height;
    }

    // How much of the box x..x+s, y..y+s pencil covers, each pixel weighted by how much darker than the paper it
    // is: 0 for blank paper, 1 for solid black. Pixels no darker than the printed outlines (and an eraser's stain)
    // count nothing. Needs the grey page; without one it is measured on the cleaned page.
    float darkness(int x, int y, int s) const;

    // Moves the origin to `origin` in image coordinates.
    void setOrigin(QPoint origin) { m_origin = origin; }
    QPoint origin() const { return m_origin; }
    const QImage& image() const { return m_image; }
    const QImage& grey() const { return m_grey; }
    int paper() const { return m_paper; }

private:
    QImage m_image; // Format_Grayscale8
    QImage m_grey;  // Format_Grayscale8, the same size, or null
    int m_paper = 255;
    QPoint m_origin;
    const uchar* m_bits = nullptr;
    qsizetype m_stride = 0;
    int m_width = 0;
    int m_height = 0;
};

// The number of pixels that are not white in the box at (x, y) of size s: columns x..x+s and rows y..y+s, except
// that size 8 covers x..x+7 and y..y+7.
int BoxDarkCount(const ScanPage& page, int x, int y, int s);

// True when that count exceeds s² × 0.3 (size 8) or s² × 0.05 (any other size); `count` receives the count.
bool IsBoxDark(const ScanPage& page, int x, int y, int s, int* count = nullptr);

// The grey of a page's blank paper: the median of its pixels (paper covers most of an answer sheet), at least 160.
int PaperGrey(const QImage& grey);

// The acquired page as a clean two-level image: marks and printed boxes 0, blank paper and the light printed
// bubble outlines 255, specks of scanner noise removed. `paper`, when given, receives the paper's grey.
QImage CleanScanImage(const QImage& raw, int* paper = nullptr);
