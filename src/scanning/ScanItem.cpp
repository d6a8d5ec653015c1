#include "ScanItem.h"

#include "TableRows.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Pixels any position or spacing may reach from the anchor box: the length of a page and then some.
constexpr float MaxReach = 2000;

// The most bubbles a location can have and still give a one-character answer.
int maxBubbles(int id)
{
    if (id < FirstCourtItem)
        return 9; // demographic positions 1..9
    if (id < FirstQuestionItem)
        return 10; // court counts 0..9
    if (id < FirstDateItem)
        return 9; // items 1..9
    return 10;    // digits 0..9
}

} // namespace

QString LoadScanItems(QSqlDatabase& db, const QString& shownPath, QList<ScanItem>& items)
{
    items.clear();
    TableRows rows;
    if (const QString problem =
            FetchRows(db, QStringLiteral("SELECT * FROM ScanItem order by id "), NumScanItems + 1, rows);
        !problem.isEmpty())
        return QStringLiteral("The answer-sheet layout (table ScanItem) of the question database %1 cannot be read: %2")
            .arg(shownPath, problem);
    return ScanItemsFromRows(rows, shownPath, items);
}

QString ScanItemsFromRows(const TableRows& rows, const QString& shownPath, QList<ScanItem>& items)
{
    items.clear();
    const char* columns[] = {"ID", "LocationName", "r", "theta", "dimx", "dx", "DimY", "dy", "x", "y"};
    int index[10];
    for (int i = 0; i < 10; ++i) {
        index[i] = rows.column(QLatin1String(columns[i]));
        if (index[i] < 0)
            return QStringLiteral("The table ScanItem of the question database %1 has no column %2.")
                .arg(shownPath, QLatin1String(columns[i]));
    }
    for (const QVariantList& values : rows.rows) {
        ScanItem item;
        item.ID = values.value(index[0]).toInt();
        item.LocationName = values.value(index[1]).toString();
        item.r = values.value(index[2]).toFloat();
        item.theta = values.value(index[3]).toFloat();
        item.dimx = values.value(index[4]).toInt();
        item.dx = values.value(index[5]).toInt();
        item.DimY = values.value(index[6]).toInt();
        item.dy = values.value(index[7]).toInt();
        item.x = values.value(index[8]).toInt();
        item.y = values.value(index[9]).toInt();
        items.append(item);
    }
    if (rows.more)
        return QStringLiteral("The table ScanItem of the question database %1 has more than %2 rows; an answer sheet "
                              "has %2.")
            .arg(shownPath)
            .arg(NumScanItems);
    if (items.size() != NumScanItems)
        return QStringLiteral("The table ScanItem of the question database %1 has %2 rows; an answer sheet has %3.")
            .arg(shownPath)
            .arg(items.size())
            .arg(NumScanItems);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const ScanItem& item = items[i];
        const int position = static_cast<int>(i) + 1;
        const bool column = position >= FirstDateItem;
        const int bubbles = column ? item.DimY : item.dimx;
        if (bubbles < 1 || bubbles > maxBubbles(position))
            return QStringLiteral("Row %1 (%2) of the table ScanItem in the question database %3 has %4 bubbles; it "
                                  "may have 1 to %5.")
                .arg(item.ID)
                .arg(item.LocationName, shownPath)
                .arg(bubbles)
                .arg(maxBubbles(position));
        // Positions far outside the page would overflow the pixel arithmetic of the reader.
        const auto within = [](double v, double limit) { return v >= -limit && v <= limit; }; // false for NaN
        if (!within(item.r, MaxReach) || !within(item.theta, 360) || !within(item.dx, MaxReach) ||
            !within(item.dy, MaxReach))
            return QStringLiteral("Row %1 (%2) of the table ScanItem in the question database %3 places its bubbles "
                                  "off the answer sheet (r %4, theta %5, spacing %6 and %7).")
                .arg(item.ID)
                .arg(item.LocationName, shownPath)
                .arg(item.r)
                .arg(item.theta)
                .arg(item.dx)
                .arg(item.dy);
    }
    return {};
}

QString WriteScanPositions(QSqlDatabase& db, const QString& shownPath, const QList<ScanItem>& items)
{
    if (!db.transaction())
        return QStringLiteral("The question database %1 cannot be updated: %2").arg(shownPath, db.lastError().text());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE ScanItem SET x = ?, y = ? WHERE ID = ?"));
    for (const ScanItem& item : items) {
        q.addBindValue(item.x);
        q.addBindValue(item.y);
        q.addBindValue(item.ID);
        if (!q.exec()) {
            const QString problem = q.lastError().text();
            db.rollback();
            return QStringLiteral("The question database %1 cannot be updated: %2").arg(shownPath, problem);
        }
    }
    if (!db.commit())
        return QStringLiteral("The question database %1 cannot be updated: %2").arg(shownPath, db.lastError().text());
    return {};
}
