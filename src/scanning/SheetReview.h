#pragma once
// What the review shows on a read sheet's image: where each field of the review windows lies on the sheet, and
// how each bubble read is to be marked (read, one of several marks, or too light or too close to call).

#include "ScanSheet.h"

#include <QList>
#include <QRect>
#include <QString>

struct BubbleMark {
    QRect box; // the bubble's read box, in the registered image
    MarkState state = MarkState::Read;
    bool chosen = false; // the bubble whose answer was read
};

// The bubbles to mark on the image: the one read at every location, every marked bubble of a location with
// several, and every bubble of a location too light or too close to call.
QList<BubbleMark> SheetMarks(const ScanOutcome& outcome);

// The ScanItem IDs behind a review field: a control of the review windows by its name ("cmbGender",
// "mebDateOfBirth", "txtAssaults"), or "Item <n>" of the answer grid; none for any other.
QList<int> LocationsOfField(const QString& field);

// The region of the registered image that shows `field` (its locations' bubbles, with a margin); the name line
// for "txtName"; null for a field the sheet does not hold.
QRect FieldRegion(const ScanOutcome& outcome, const QString& field);
