#include "LanguageTables.h"

#include "DataWorkspace.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

bool LanguageTables::IsLanguageTable(const QString& name)
{
    return name == QLatin1String("English") || name == QLatin1String("Spanish");
}

QStringList LanguageTables::Find(DataWorkspace& workspace, QString* error)
{
    auto database = workspace.OpenQuestionDatabase(error);
    if (!database)
        return {};
    return InDatabase(database->db(), QDir::toNativeSeparators(database->path()), error);
}

QStringList LanguageTables::InDatabase(QSqlDatabase& db, const QString& shownPath, QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // The schema table in row order is the order the tables were made in.
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"))) {
        if (error)
            *error =
                QStringLiteral("The question database %1 cannot be read: %2").arg(shownPath, query.lastError().text());
        return {};
    }
    QStringList names;
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (IsLanguageTable(name))
            names << name;
    }
    if (names.isEmpty() && error)
        *error = QStringLiteral("The question database %1 has no question table: it needs a table named \"English\" "
                                "or \"Spanish\". Reinstall the program's files.")
                     .arg(shownPath);
    return names;
}
