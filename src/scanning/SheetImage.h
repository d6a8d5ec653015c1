#pragma once
// Brings an acquired page to what the reader expects: 8-bit grey at 100 dots per inch, upright. The image's size and
// shape are checked before anything is scaled; the resolution is the image's own, or else measured by the distance
// between the registration boxes; a sheet scanned upside down is turned.

#include "ScanMessages.h"

#include <QImage>

// Pages larger than this are refused before anything else is done with them (a legal page at 600 dpi has 43
// million pixels).
constexpr qint64 MostPagePixels = 48'000'000;

// The resolution an image states, or 0 when it states none (Qt's default for a file without one) or an unlikely
// one.
double StatedDpi(const QImage& image);

struct PreparedPage {
    QImage page; // Format_Grayscale8 at 100 dpi
    double statedDpi = 0;
    bool turned = false; // the sheet lay upside down and was turned
    ScanMessage failure; // not null: the page is refused
};

// `dpi` is the resolution the page is known to have, 0 when unknown (the image's tag is then taken, if it has one).
PreparedPage PreparePage(const QImage& acquired, double dpi = 0);

// The page turned half round.
QImage TurnedHalfRound(const QImage& page);
