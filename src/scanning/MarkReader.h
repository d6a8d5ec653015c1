#pragma once
// Reads the bubbles of one location at a time from a registered page, turning each location's polar position by
// the sheet's angle, and notes every location with more than one mark, and every mark too light or too close to
// call.

#include "MultiMarkList.h"
#include "ScanItem.h"

#include <QList>
#include <QPoint>
#include <QString>

class ScanPage;

// What a location's marks allow: one answer (or none) read, several marks of which the darkest was taken, or
// marks too light or too close to call, which the supervisor must check against the sheet.
enum class MarkState { Read, Multiple, Uncertain };

struct LocationReading {
    int id = 0;
    QString name;
    MarkState state = MarkState::Read;
    int chosen = -1;       // the bubble read, -1 for none
    QList<QPoint> bubbles; // each bubble's read box, relative to the anchor box
    QList<float> darkness; // each bubble's darkness, 0 (blank paper) to 1 (solid black)
};

class MarkReader {
public:
    // `page` has its origin at the anchor box; `list` collects multiply marked locations, `locations` (when given)
    // what was read at each location, once per location.
    MarkReader(const ScanPage& page, float sheetAngle, MultiMarkList& list,
               QList<LocationReading>* locations = nullptr);

    // The demographic code of the chosen bubble for field type 1 (gender), 3 (ethnicity), 4 (education) or
    // 5 (marital status), into `text`; "N" when the row is unmarked.
    void ReadDemographic(int type, ScanItem& item, QString& text);
    // Appends the chosen bubble's index plus `firstValue`; an unmarked row appends "0" when firstValue is 1,
    // otherwise "N".
    void ReadChoiceRow(ScanItem& item, QString& text, int firstValue);
    // Appends the chosen digit of a column, or "N".
    void ReadDigitColumn(ScanItem& item, QString& text);

    // The page positions (relative to the anchor) of a location's bubbles at this sheet's angle. A row keeps its
    // first bubble's y and a digit column its x, turning only the offset along it, as long as that strays at most
    // 2 pixels from the bubble turned in full; further out (a long row on a sheet turned a few degrees) the bubble
    // is turned in full.
    QList<QPoint> bubblePositions(const ScanItem& item) const;

    // The last location's chosen bubble (-1: none) and the dark-pixel count of every bubble.
    int lastChoice() const { return m_lastChoice; }
    const QList<int>& lastCounts() const { return m_lastCounts; }

private:
    int readLocation(ScanItem& item, bool column);

    const ScanPage& m_page;
    float m_angle;
    MultiMarkList& m_list;
    QList<LocationReading>* m_locations;
    int m_lastChoice = -1;
    QList<int> m_lastCounts;
};

// The demographic code for a 1-based bubble position of field `type`; "N" for position 0 (no mark).
QString DemographicCode(int type, int position);
