#pragma once
// Makes sure the registration points are the printed boxes: solid black squares of the printed size with white
// paper around them, the printed distance apart. The finder works on a page of any resolution and orientation, so
// that a page without a resolution can be measured and a page turned upside down recognised.

#include <QImage>
#include <QPointF>
#include <QRect>
#include <optional>

class ScanPage;

// The printed boxes at 100 dpi: 12 pixels square, their corners 786 pixels apart.
constexpr int PrintedBoxSide = 12;
constexpr double PrintedBoxDistance = 786.0;

struct SolidBox {
    QRect bounds;   // page coordinates
    QPointF centre; // the centre of its pixels
    int pixels = 0;
};

// The solid box of printed size (at 100 dpi, turned up to a few degrees) among the dark pixels of the size-8 test
// box at `corner` (page coordinates) on a cleaned page, when there is one with white paper around it.
std::optional<SolidBox> SolidBoxAt(const ScanPage& page, QPoint corner);

// The two registration boxes as found on a grey page of any resolution.
struct BoxPair {
    QPointF anchor;      // centre of the box printed at the sheet's top left, image pixels
    QPointF reference;   // centre of the box printed at its top right
    double side = 0;     // side of a box, image pixels
    bool turned = false; // the sheet lies upside down: the anchor is the right and lower box

    double distance() const;
};

// Looks for a pair of solid squares of equal size, as far apart as the printed boxes are for their size, lying
// within a few degrees of level, in the top or bottom half of the page.
std::optional<BoxPair> FindBoxPair(const QImage& grey);

// The share of a grey page's pixels that are dark (as cleaning would count them); a blank page has almost none.
double DarkShare(const QImage& grey);
