#pragma once
// A language's question table read whole from the question database, checked to be usable for a presentation.

#include "QuestionItem.h"

#include <QList>
#include <QString>
#include <optional>

class DataWorkspace;
class QSqlDatabase;
struct TableRows;

class QuestionSet {
public:
    // The rows of the table in stored order; for a set that was read successfully, item n is at index n - 1.
    QList<QuestionItem> Items;
    // The table name as asked for.
    QString Table;

    const QuestionItem& item(int id) const { return Items.at(id - 1); }

    // Opens the question database through the workspace, reads the table named `table` (matched without regard to
    // case) and closes the database again. Null with a message in `error` when the database cannot be opened or the
    // table is missing, unreadable, or not items 1 to 123 in order with answers 1 and 2 filled in.
    static std::optional<QuestionSet> Load(DataWorkspace& workspace, const QString& table, QString* error);
    // The same on a database already open; `shownPath` names the database in messages.
    static std::optional<QuestionSet> Read(QSqlDatabase& db, const QString& table, const QString& shownPath,
                                           QString* error);
    // The checks of Read on the table's rows as fetched.
    static std::optional<QuestionSet> FromRows(const TableRows& rows, const QString& table, const QString& shownPath,
                                               QString* error);
};
