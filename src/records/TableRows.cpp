#include "TableRows.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

int TableRows::column(const QString& name) const
{
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString FetchRows(QSqlDatabase& db, const QString& sql, qsizetype limit, TableRows& out)
{
    out = {};
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return query.lastError().text();
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        out.columns.append(record.fieldName(i));
    while (query.next()) {
        if (out.rows.size() == limit) {
            out.more = true;
            break;
        }
        QVariantList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.append(query.value(i));
        out.rows.append(std::move(row));
    }
    if (query.lastError().isValid())
        return query.lastError().text();
    return {};
}
