#pragma once
// A question database with an English table shaped like the installation's, for the answer-keying tests and bench.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

struct FixtureItem {
    int id;
    QStringList answers; // ANSWER1..ANSWER5; missing ones are Null
};

// Section 1 true/false, section 2 frequency ratings, section 3 items with their own four answers.
inline QList<FixtureItem> StandardSheet()
{
    QList<FixtureItem> items;
    for (int id = 1; id <= 86; ++id)
        items.append({id, {"True", "False"}});
    for (int id = 87; id <= 110; ++id)
        items.append({id, {"Rare or Never", "Sometimes", "Often", "Very Often or Always"}});
    const QStringList own[] = {{"None", "One or two", "Three to five", "Six or more"},
                               {"Never", "Once a month", "Once a week", "Every day"},
                               {"Under 18", "18 to 25", "26 to 40", "Over 40"}};
    for (int id = 111; id <= 123; ++id)
        items.append({id, own[id % 3]});
    return items;
}

// The standard sheet with some section 3 items in the five-answer and yes/no forms.
inline QList<FixtureItem> SheetWithOtherForms()
{
    QList<FixtureItem> items = StandardSheet();
    const QStringList mostly{"True", "Mostly True", "Can't Decide", "Mostly False", "False"};
    const QStringList often{"Very Often", "Often", "Can't Decide", "Often", "Very Often"};
    for (FixtureItem& item : items) {
        if (item.id == 113 || item.id == 114)
            item.answers = mostly;
        else if (item.id == 117 || item.id == 118)
            item.answers = often;
        else if (item.id == 120)
            item.answers = {"Yes", "No"};
    }
    return items;
}

// Writes the English table into a new SQLite file; returns an error text or an empty string.
inline QString WriteQuestionDatabase(const QString& path, const QList<FixtureItem>& items)
{
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
        db.setDatabaseName(path);
        if (!db.open())
            return db.lastError().text();
        QSqlQuery q(db);
        if (!q.exec("CREATE TABLE English (ID INTEGER, TestQuestion TEXT, QuestionAudio TEXT, ANSWER1 TEXT, "
                    "ANSWER2 TEXT, ANSWER3 TEXT, ANSWER4 TEXT, ANSWER5 TEXT, ChoiceAudio1 TEXT, ChoiceAudio2 TEXT, "
                    "ChoiceAudio3 TEXT, ChoiceAudio4 TEXT, ChoiceAudio5 TEXT)"))
            error = q.lastError().text();
        db.transaction();
        q.prepare("INSERT INTO English VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const FixtureItem& item : items) {
            if (!error.isEmpty())
                break;
            q.addBindValue(item.id);
            q.addBindValue(QString("Statement %1").arg(item.id));
            q.addBindValue(QString("Q%1").arg(item.id));
            for (int a = 0; a < 5; ++a)
                q.addBindValue(a < item.answers.size() ? QVariant(item.answers[a]) : QVariant());
            for (int a = 0; a < 5; ++a)
                q.addBindValue(QString("C%1_%2").arg(item.id).arg(a + 1));
            if (!q.exec())
                error = q.lastError().text();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
    return error;
}
