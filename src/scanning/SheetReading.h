#pragma once
// Everything read from one answer sheet, in the form the review windows take it.

#include "ClientRecord.h"
#include "MarkReader.h"
#include "MultiMarkList.h"
#include "Registration.h"
#include "ScanMessages.h"

#include <QList>
#include <QString>
#include <array>

class QDate;
class ScanPage;
struct ScanItem;

struct SheetReading {
    // Demographic codes as read: a digit, "0" (education and marital status past their lists), "N" (unmarked) or
    // "" (gender or ethnicity past its list).
    QString Gender;
    QString Race;
    QString Education;
    QString Marital;
    // Drug, alcohol, assault and domestic-violence arrests and anger programs: "0".."9", or "N" when unmarked.
    std::array<QString, 5> CourtCounts;
    QString Responses; // 123 characters, "0" for an unmarked item
    // "mm/dd/yyyy"; with an unmarked column its digit is "N" and the century "NN".
    QString DateText;
    // What the date-of-birth box is given: DateText, or "N_/__/____" when any column was unmarked.
    QString DateBoxText;
    MultiMarkList MultiMarks;
    // Every location once, in reading order: its state, bubbles and their darkness.
    QList<LocationReading> Locations;

    PolarPoint AnchorPoint;
    PolarPoint ReferencePoint;
    float SheetAngle = 0;

    // A list position of the client information window for a code: its numeric value, 0 for "N" or "".
    static int ListPosition(const QString& code);

    // The client record the review starts from: name, list positions of the codes, date box text, court counts,
    // responses.
    ClientRecord record(const QString& name) const;

    // The names of the locations whose marks are too light or too close to call, of the blank columns of a date of
    // birth read in part, and of every date column when the date read is impossible or in the future.
    QStringList uncertainNames() const;

    // The warning to show before the review (multiple marks, then uncertain ones), or a null message.
    ScanMessage reviewMessage() const { return ScanMessages::MultipleMarks(MultiMarks, uncertainNames()); }
};

// The year of a two-digit year: up to this year's last two digits it is 20xx, otherwise 19xx.
int CenturyOf(int twoDigitYear, const QDate& today);

// Reads every location of a registered page (origin at the anchor) in ID order into `reading`, writing each
// location's first-bubble position into its item.
void ReadSheet(const ScanPage& page, QList<ScanItem>& items, const QDate& today, SheetReading& reading);
