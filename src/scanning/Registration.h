#pragma once
// Finding the printed anchor and reference boxes, and the polar arithmetic that places every location from them.

#include <QPoint>
#include <cstdint>

class ScanPage;

// A registration point: x and y of the box's top-left dark pixel, with r and theta (degrees) filled from them.
struct PolarPoint {
    int16_t x = 0;
    int16_t y = 0;
    float r = 0;
    float theta = 0;
};

// The scan frame's width in pixels (8.5 inches at 100 dpi); it bounds the reference box search.
constexpr int ScanPageWidth = 850;

// Fills r and theta of `point` from its x and y. The angle is arctangent(y / x), so it is right only for x > 0.
void PointToPolar(PolarPoint& point);

// The pixel at distance r and angle theta (degrees) from the origin, each coordinate rounded half to even.
QPoint PolarToPoint(float r, float theta);

// Searches rows 0..125, columns 5..45 of the page (image coordinates) for the anchor box.
bool FindAnchorBox(const ScanPage& page, PolarPoint& anchor);

// Searches, relative to the anchor (the page's origin must be at the anchor), columns 772..min(802, 850 - anchor x)
// and rows max(-anchor y, -100)..100 for the reference box.
bool FindReferenceBox(const ScanPage& page, const PolarPoint& anchor, PolarPoint& reference);
