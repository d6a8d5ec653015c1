#include "RecordDamage.h"

#include "TestDefinition.h"

#include <QDate>
#include <QRegularExpression>

namespace {

bool matches(const QString& value, const char* form)
{
    const QRegularExpression re(QStringLiteral("\\A(?:%1) *\\z").arg(QLatin1String(form)));
    return re.match(value).hasMatch();
}

// A real calendar date in the record's "mm/dd/yyyy" form.
bool realDate(const QString& value)
{
    if (!matches(value, "\\d\\d/\\d\\d/\\d{4}"))
        return false;
    return QDate(value.mid(6, 4).toInt(), value.left(2).toInt(), value.mid(3, 2).toInt()).isValid();
}

// Below the blank: NUL and the control characters. Anything else may be in a name, since a scrambled name holds
// codes such as 127 and 129 that no keyboard gives.
bool control(QChar c)
{
    return c.unicode() < 0x20;
}

bool blank(const QString& value)
{
    return value.trimmed().isEmpty() && !value.contains(QChar(0));
}

QString quoted(const QString& value)
{
    QString shown = ClientRecord::unpadded(value);
    for (QChar& c : shown)
        if (control(c))
            c = QLatin1Char('?');
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

} // namespace

QString RecordDamage(const ClientRecord& r, bool whole)
{
    if (!whole)
        return QStringLiteral("record is cut short: the client file ends inside it");
    for (QChar c : r.Name)
        if (control(c))
            return QStringLiteral("name holds a control character");

    // Codes may be blank (not yet given); anything else must be a position of its list.
    const struct {
        const QString& value;
        const char* what;
        char last;
    } codes[] = {{r.Gender, "gender code", '2'},
                 {r.Race, "ethnicity code", '6'},
                 {r.Marital, "marital status code", '5'},
                 {r.Education, "education code", '8'},
                 {r.EditCount, "edit count", '3'},
                 {r.NameDeleted, "name-deleted mark", '1'}};
    for (const auto& code : codes) {
        const QChar c = code.value.isEmpty() ? QChar() : code.value.at(0);
        if (!blank(code.value) && (code.value.size() != 1 || c < QLatin1Char('0') || c > QLatin1Char(code.last)))
            return QStringLiteral("%1 %2 is not in its list, which runs from 0 to %3")
                .arg(QLatin1String(code.what), quoted(code.value), QChar(QLatin1Char(code.last)));
    }

    // The date itself is never quoted: with the name it identifies the client.
    const bool dobAvailable = !r.DOB.startsWith(QLatin1Char('N'), Qt::CaseInsensitive);
    if (!blank(r.DOB) && (dobAvailable ? !realDate(r.DOB) : r.DOB.contains(QRegularExpression(QStringLiteral("[\\x00-\\x1f]")))))
        return QStringLiteral("date of birth is not a real date of the form mm/dd/yyyy, nor \"N\"");
    if (!blank(r.TestDate) && !realDate(r.TestDate))
        return QStringLiteral("test date reads %1, which is not a real date of the form mm/dd/yyyy").arg(quoted(r.TestDate));

    // "-1" is how older versions stored a count that was not available.
    const struct {
        const QString& value;
        const char* what;
    } counts[] = {{r.DrugArrests, "number of drug-related arrests"},
                  {r.AlcoholArrests, "number of alcohol-related arrests"},
                  {r.Assaults, "number of assault arrests"},
                  {r.DVArrests, "number of domestic violence arrests"},
                  {r.Anger, "number of anger management programs"}};
    for (const auto& count : counts)
        if (!blank(count.value) && !matches(count.value, " ?\\d\\d?|N|-1"))
            return QStringLiteral("%1 reads %2; it must be a number of one or two digits, or \"N\"")
                .arg(QLatin1String(count.what), quoted(count.value));

    for (int i = 1; i <= NumItems; ++i) {
        const QChar c = i <= r.Responses.size() ? r.Responses.at(i - 1) : QLatin1Char(' ');
        const int choices = ChoicesOfItem(i);
        // A blank, as older versions left an unanswered item, is no answer.
        if (c != QLatin1Char(' ') && (c < QLatin1Char('0') || c.unicode() > '0' + choices)) {
            const int s = SectionOfItem(i);
            return QStringLiteral("answer to item %1 reads %2; items %3 to %4 take 0 to %5")
                .arg(i)
                .arg(quoted(QString(c)))
                .arg(SectionBounds[s - 1] + 1)
                .arg(SectionBounds[s])
                .arg(choices);
        }
    }
    return {};
}

QString ClientLabel(const ClientRecord& record, int n, bool withName)
{
    if (!withName)
        return QStringLiteral("Client %1").arg(n);
    QString name = record.Name.trimmed();
    for (QChar& c : name)
        if (control(c))
            c = QLatin1Char('?');
    return QStringLiteral("Client %1 (%2)").arg(n).arg(name);
}
