#pragma once
// Question tables for tests: an in-memory set of items 1 to 123, SQL that builds one, and copies of the demo database.

#include "QuestionSet.h"
#include "TestDefinition.h"
#include "TestEnv.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

// The number of answers item `id` offers in the test set: the section's, except item 120 with three and item 121
// with five, so that every slot count is seen.
inline int FixtureAnswerCount(int id)
{
    if (id == 120)
        return 3;
    if (id == 121)
        return 5;
    return ChoicesOfItem(id);
}

// Items 1 to 123 with names that tell every item and answer apart: "Statement n", "A<slot> of n", "Q00n",
// "Q00nA<slot>".
inline QuestionSet FixtureQuestionSet(const QString& table = QStringLiteral("English"))
{
    QuestionSet set;
    set.Table = table;
    for (int id = 1; id <= NumItems; ++id) {
        QuestionItem item;
        item.ID = static_cast<int16_t>(id);
        item.TestQuestion = QStringLiteral("Statement %1").arg(id);
        item.QuestionAudio = QStringLiteral("Q%1").arg(id, 3, 10, QLatin1Char('0'));
        for (int slot = 0; slot < FixtureAnswerCount(id); ++slot) {
            item.Answers[slot] = QStringLiteral("A%1 of %2").arg(slot + 1).arg(id);
            item.ChoiceAudio[slot] = item.QuestionAudio + QStringLiteral("A%1").arg(slot + 1);
        }
        set.Items.append(item);
    }
    return set;
}

// CREATE and INSERT statements for a question table holding the fixture set.
inline QStringList FixtureTableSql(const QString& table)
{
    QStringList sql{QStringLiteral("CREATE TABLE %1 (ID INTEGER, TestQuestion TEXT, QuestionAudio TEXT, ANSWER1 TEXT, "
                                   "ANSWER2 TEXT, ANSWER3 TEXT, ANSWER4 TEXT, ANSWER5 TEXT, ChoiceAudio1 TEXT, "
                                   "ChoiceAudio2 TEXT, ChoiceAudio3 TEXT, ChoiceAudio4 TEXT, ChoiceAudio5 TEXT)")
                        .arg(table)};
    for (const QuestionItem& item : FixtureQuestionSet(table).Items) {
        QStringList values{QString::number(item.ID), item.TestQuestion, item.QuestionAudio};
        values << QStringList(item.Answers.begin(), item.Answers.end())
               << QStringList(item.ChoiceAudio.begin(), item.ChoiceAudio.end());
        for (QString& v : values)
            v = v.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + v + QLatin1Char('\'');
        sql << QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table, values.join(QStringLiteral(", ")));
    }
    return sql;
}

// Makes an SQLite database at `path` from `statements`; returns an error message, empty on success.
inline QString MakeDatabase(const QString& path, const QStringList& statements)
{
    QFile::remove(path);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(path);
        error = db.open() ? QString() : db.lastError().text();
        QSqlQuery q(db);
        db.transaction();
        for (int i = 0; i < statements.size() && error.isEmpty(); ++i)
            error = q.exec(statements[i]) ? QString() : q.lastError().text() + QStringLiteral(" in: ") + statements[i];
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    return error;
}

// Copies the built demo question database into `dir`, so tests running side by side do not share the file.
inline bool CopyDemoDatabase(const QString& dir)
{
    return QFile::copy(ProgramDirForTests() + QStringLiteral("/qn.mdb"), dir + QStringLiteral("/qn.mdb"));
}
