#include "ScanItem.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

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
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT * FROM ScanItem order by id ")))
        return QStringLiteral("The answer-sheet layout (table ScanItem) of the question database %1 cannot be read: %2")
            .arg(shownPath, q.lastError().text());
    const QSqlRecord rec = q.record();
    const char* columns[] = {"ID", "LocationName", "r", "theta", "dimx", "dx", "DimY", "dy", "x", "y"};
    int index[10];
    for (int i = 0; i < 10; ++i) {
        index[i] = rec.indexOf(QLatin1String(columns[i]));
        if (index[i] < 0)
            return QStringLiteral("The table ScanItem of the question database %1 has no column %2.")
                .arg(shownPath, QLatin1String(columns[i]));
    }
    while (q.next()) {
        ScanItem item;
        item.ID = q.value(index[0]).toInt();
        item.LocationName = q.value(index[1]).toString();
        item.r = q.value(index[2]).toFloat();
        item.theta = q.value(index[3]).toFloat();
        item.dimx = q.value(index[4]).toInt();
        item.dx = q.value(index[5]).toInt();
        item.DimY = q.value(index[6]).toInt();
        item.dy = q.value(index[7]).toInt();
        item.x = q.value(index[8]).toInt();
        item.y = q.value(index[9]).toInt();
        items.append(item);
    }
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
