#pragma once
// The rows of one query, fetched before they are checked, so the readers of the question tables and the answer-sheet
// layout work the same on rows from the question database and on rows a test or a fuzzer makes up.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlDatabase;

struct TableRows {
    QStringList columns;
    QList<QVariantList> rows;
    bool more = false; // the table holds more rows than were fetched

    // The index of the column named `name` without regard to case, or -1.
    int column(const QString& name) const;
};

// Runs `sql` on `db` and fetches up to `limit` rows into `out`. Returns "" or the database's error text.
QString FetchRows(QSqlDatabase& db, const QString& sql, qsizetype limit, TableRows& out);
