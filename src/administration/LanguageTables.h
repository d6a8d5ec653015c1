#pragma once
// Which languages the question database offers: its tables named exactly "English" or "Spanish".

#include <QStringList>

class DataWorkspace;
class QSqlDatabase;

class LanguageTables {
public:
    // The question table names in the order the database lists its tables (creation order). An empty list always
    // comes with a message in `error` for the supervisor: the database cannot be opened or has no question table.
    static QStringList Find(DataWorkspace& workspace, QString* error);
    // The same on a database already open; `shownPath` names the database in messages.
    static QStringList InDatabase(QSqlDatabase& db, const QString& shownPath, QString* error);

    // Whether `name` names a question table: exactly "English" or "Spanish", case included.
    static bool IsLanguageTable(const QString& name);
};
