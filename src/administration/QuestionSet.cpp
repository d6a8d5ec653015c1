#include "QuestionSet.h"

#include "DataWorkspace.h"
#include "TableRows.h"
#include "TestDefinition.h"

#include <QDir>
#include <QSqlDatabase>

namespace {

const char* const kColumns[] = {"ID",           "TestQuestion", "QuestionAudio", "ANSWER1",      "ANSWER2",
                                "ANSWER3",      "ANSWER4",      "ANSWER5",       "ChoiceAudio1", "ChoiceAudio2",
                                "ChoiceAudio3", "ChoiceAudio4", "ChoiceAudio5"};

std::optional<QuestionSet> failed(QString* error, const QString& table, const QString& shownPath,
                                  const QString& problem)
{
    if (error)
        *error = QStringLiteral("The question table \"%1\" in the question database %2 %3 Reinstall the program's "
                                "files.")
                     .arg(table, shownPath, problem);
    return std::nullopt;
}

} // namespace

std::optional<QuestionSet> QuestionSet::Load(DataWorkspace& workspace, const QString& table, QString* error)
{
    auto database = workspace.OpenQuestionDatabase(error);
    if (!database)
        return std::nullopt;
    return Read(database->db(), table, QDir::toNativeSeparators(database->path()), error);
}

std::optional<QuestionSet> QuestionSet::Read(QSqlDatabase& db, const QString& table, const QString& shownPath,
                                             QString* error)
{
    auto fail = [&](const QString& problem) { return failed(error, table, shownPath, problem); };
    if (table.isEmpty() || table.contains(QLatin1Char(']')))
        return fail(QStringLiteral("has a name that is not a table name."));
    if (!db.tables(QSql::Tables).contains(table, Qt::CaseInsensitive)) {
        if (error)
            *error = QStringLiteral("The question database %1 has no question table \"%2\". Reinstall the program's "
                                    "files.")
                         .arg(shownPath, table);
        return std::nullopt;
    }

    TableRows rows;
    if (const QString problem = FetchRows(db, QStringLiteral("Select * from [%1]").arg(table), NumItems + 1, rows);
        !problem.isEmpty())
        return fail(QStringLiteral("cannot be read: %1.").arg(problem));
    return FromRows(rows, table, shownPath, error);
}

std::optional<QuestionSet> QuestionSet::FromRows(const TableRows& rows, const QString& table, const QString& shownPath,
                                                 QString* error)
{
    auto fail = [&](const QString& problem) { return failed(error, table, shownPath, problem); };
    int column[std::size(kColumns)];
    for (size_t c = 0; c < std::size(kColumns); ++c) {
        column[c] = rows.column(QLatin1String(kColumns[c]));
        if (column[c] < 0)
            return fail(QStringLiteral("has no column %1.").arg(QLatin1String(kColumns[c])));
    }

    QuestionSet set;
    set.Table = table;
    // The presentation steps back by row and ends sections by item number, so the rows must be exactly items
    // 1 to 123 in order.
    for (const QVariantList& values : rows.rows) {
        const int row = static_cast<int>(set.Items.size()) + 1;
        bool isNumber = false;
        const QVariant rawId = values.value(column[0]);
        const qlonglong id = rawId.toLongLong(&isNumber);
        if (rawId.isNull() || rawId.toString().isEmpty())
            return fail(QStringLiteral("has an item without a number in row %1.").arg(row));
        if (!isNumber || id < 1 || id > NumItems)
            return fail(QStringLiteral("has an item numbered \"%1\" in row %2; items must be numbered 1 to %3.")
                            .arg(rawId.toString())
                            .arg(row)
                            .arg(NumItems));
        if (id != row)
            return fail(QStringLiteral("has item %1 in row %2, where item %2 belongs; the items must run from 1 to %3 "
                                       "in order, none missing.")
                            .arg(id)
                            .arg(row)
                            .arg(NumItems));
        QuestionItem item;
        item.ID = static_cast<int16_t>(id);
        item.TestQuestion = values.value(column[1]).toString();
        item.QuestionAudio = values.value(column[2]).toString();
        for (int slot = 0; slot < QuestionItem::MaxAnswers; ++slot) {
            item.Answers[slot] = values.value(column[3 + slot]).toString();
            item.ChoiceAudio[slot] = values.value(column[8 + slot]).toString();
        }
        for (int slot = 0; slot < 2; ++slot) {
            if (item.Answers[slot].isEmpty())
                return fail(QStringLiteral("has no text for answer %1 of item %2.").arg(slot + 1).arg(id));
        }
        set.Items.append(item);
    }
    if (set.Items.size() < NumItems)
        return fail(QStringLiteral("has %1 items; it needs items 1 to %2.").arg(set.Items.size()).arg(NumItems));
    return set;
}
