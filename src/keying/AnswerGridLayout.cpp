#include "AnswerGridLayout.h"

#include "AnswerType.h"
#include "TestDefinition.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

AnswerGridLayout AnswerGridLayout::build(const QList<QuestionRow>& rows)
{
    AnswerGridLayout layout;
    for (const QuestionRow& row : rows) {
        const int type = AnswerTypeOf(row.answer2);
        int g = 0;
        while (g < layout.grids.size() && layout.grids[g].type != type)
            ++g;
        if (g == layout.grids.size()) {
            GridPlan plan;
            plan.type = type;
            plan.width = GeometryOf(type).width;
            plan.left = g == 0 ? FirstLeft : layout.grids[g - 1].left + layout.grids[g - 1].width + Gap;
            layout.grids.append(plan);
        }
        layout.grids[g].items.append(row.id);
    }
    return layout;
}

int AnswerGridLayout::blockWidth() const
{
    if (grids.isEmpty())
        return 0;
    return grids.last().left + grids.last().width + Gap;
}

void AnswerGridLayout::centreIn(int frameWidth)
{
    const int shift = frameWidth / 2 - blockWidth() / 2;
    for (GridPlan& plan : grids)
        plan.left += shift;
}

int AnswerGridLayout::gridOfItem(int id) const
{
    for (int g = 0; g < grids.size(); ++g) {
        if (grids[g].items.contains(id))
            return g;
    }
    return -1;
}

QuestionRowsResult ReadQuestionRows(QSqlDatabase& db, const QString& databasePath)
{
    QuestionRowsResult result;
    const QString file = QDir::toNativeSeparators(databasePath);
    const QString table = QLatin1String(AnswerGridLayout::TableName);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ID, ANSWER2 FROM [%1]").arg(table))) {
        result.error =
            QStringLiteral("The question table %1 in %2 cannot be read: %3").arg(table, file, q.lastError().text());
        return result;
    }
    int rowNumber = 0;
    while (q.next()) {
        ++rowNumber;
        bool ok = false;
        const int id = q.value(0).toInt(&ok);
        if (!ok || !InRange(static_cast<int16_t>(qBound(-1, id, 1000)), 1, NumItems)) {
            result.error = QStringLiteral("The question table %1 in %2 is damaged: row %3 has the item number \"%4\", "
                                          "which is not between 1 and %5.")
                               .arg(table, file)
                               .arg(rowNumber)
                               .arg(q.value(0).toString())
                               .arg(NumItems);
            result.rows.clear();
            return result;
        }
        result.rows.append({id, q.value(1).toString()});
    }
    if (result.rows.isEmpty())
        result.error = QStringLiteral("The question table %1 in %2 holds no items.").arg(table, file);
    return result;
}
