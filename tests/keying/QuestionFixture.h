#pragma once
// A question database for the answer-keying tests and bench: the English table's item numbers and second answers,
// which file each item into its answer grid.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

// Section 1 true/false, section 2 frequency ratings, section 3 items with their own answers; item n is at n - 1.
inline QStringList StandardSheet()
{
    QStringList answer2;
    for (int id = 1; id <= 123; ++id)
        answer2 << (id <= 86 ? "False" : id <= 110 ? "Sometimes" : id % 2 ? "One or two" : "Once a month");
    return answer2;
}

// The standard sheet with some section 3 items in the five-answer and yes/no forms.
inline QStringList SheetWithOtherForms()
{
    QStringList answer2 = StandardSheet();
    answer2[112] = answer2[113] = "Mostly True";
    answer2[116] = answer2[117] = "Often";
    answer2[119] = "No";
    return answer2;
}

// Writes the English table into a new SQLite file; returns an error text or an empty string.
inline QString WriteQuestionDatabase(const QString& path, const QStringList& answer2)
{
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
        db.setDatabaseName(path);
        if (!db.open())
            return db.lastError().text();
        QSqlQuery q(db);
        if (!q.exec("CREATE TABLE English (ID INTEGER, ANSWER2 TEXT)"))
            error = q.lastError().text();
        db.transaction();
        for (int id = 1; id <= answer2.size() && error.isEmpty(); ++id) {
            if (!q.exec(QStringLiteral("INSERT INTO English VALUES (%1, '%2')").arg(id).arg(answer2[id - 1])))
                error = q.lastError().text();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
    return error;
}
