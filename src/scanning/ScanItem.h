#pragma once
// One location of the answer sheet as the ScanItem table of the question database describes it, and reading and
// writing that table.

#include <QList>
#include <QString>

class QSqlDatabase;
struct TableRows;

struct ScanItem {
    int ID = 0;
    QString LocationName;
    float r = 0;     // first bubble's distance from the anchor box, pixels
    float theta = 0; // its angle on a straight sheet, degrees
    int dimx = 1;    // bubbles along a row
    int dx = 0;      // pixels between them
    int DimY = 1;    // bubbles down a digit column
    int dy = 0;
    int x = 0; // first bubble relative to the anchor, as the last scan found it
    int y = 0;
};

// Locations in reading order: four demographic rows, five court counts, the items, six date-of-birth columns.
constexpr int NumScanItems = 138;
constexpr int FirstCourtItem = 5;
constexpr int FirstQuestionItem = 10;
constexpr int FirstDateItem = 133;

// Reads every row in ID order into `items`. Returns "" or a message naming `shownPath` and the fault (a missing
// table, a row count other than 138, a row whose bubble counts the reader cannot use).
QString LoadScanItems(QSqlDatabase& db, const QString& shownPath, QList<ScanItem>& items);
// The checks of LoadScanItems on the table's rows as fetched.
QString ScanItemsFromRows(const TableRows& rows, const QString& shownPath, QList<ScanItem>& items);

// Writes each item's x and y back to its row.
QString WriteScanPositions(QSqlDatabase& db, const QString& shownPath, const QList<ScanItem>& items);
