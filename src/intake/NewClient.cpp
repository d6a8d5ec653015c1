#include "NewClient.h"

#include "TestDefinition.h"

QString RecordDate(const QDate& date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

ClientRecord NewClientRecord(const QDate& today)
{
    // Start from blanks: a slot left behind by an abandoned entry must not lend its court history to this client.
    ClientRecord r = ClientRecord::blank();
    r.Responses = EmptyResponses();
    r.EditCount = QStringLiteral("0");
    r.NameDeleted = QStringLiteral("0");
    r.TestDate = RecordDate(today);
    return r;
}
