#pragma once
// Reads the bubbles of one location at a time from a registered page, turning each location's polar position by
// the sheet's angle, and notes every location with more than one mark.

#include "MultiMarkList.h"
#include "ScanItem.h"

#include <QList>
#include <QPoint>

class ScanPage;

class MarkReader {
public:
    // `page` has its origin at the anchor box; `list` collects multiply marked locations.
    MarkReader(const ScanPage& page, float sheetAngle, MultiMarkList& list);

    // The demographic code of the chosen bubble for field type 1 (gender), 3 (ethnicity), 4 (education) or
    // 5 (marital status), into `text`; "N" when the row is unmarked.
    void ReadDemographic(int type, ScanItem& item, QString& text);
    // Appends the chosen bubble's index plus `firstValue`; an unmarked row appends "0" when firstValue is 1,
    // otherwise "N".
    void ReadChoiceRow(ScanItem& item, QString& text, int firstValue);
    // Appends the chosen digit of a column, or "N".
    void ReadDigitColumn(ScanItem& item, QString& text);

    // The page positions (relative to the anchor) of a location's bubbles at this sheet's angle.
    QList<QPoint> bubblePositions(const ScanItem& item) const;

    // The last location's chosen bubble (-1: none) and the dark-pixel count of every bubble.
    int lastChoice() const { return m_lastChoice; }
    const QList<int>& lastCounts() const { return m_lastCounts; }

private:
    int readLocation(ScanItem& item, bool column);

    const ScanPage& m_page;
    float m_angle;
    MultiMarkList& m_list;
    int m_lastChoice = -1;
    QList<int> m_lastCounts;
};

// The demographic code for a 1-based bubble position of field `type`; "N" for position 0 (no mark).
QString DemographicCode(int type, int position);
