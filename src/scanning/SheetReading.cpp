#include "SheetReading.h"

#include "MarkReader.h"
#include "ScanItem.h"
#include "TestDefinition.h"

#include <QDate>

namespace {

constexpr int kEarliestBirthYear = 1890;

} // namespace

int SheetReading::ListPosition(const QString& code)
{
    bool ok = false;
    const int v = code.trimmed().toInt(&ok);
    return ok && v >= 0 ? v : 0;
}

ClientRecord SheetReading::record(const QString& name) const
{
    ClientRecord r = ClientRecord::blank();
    r.Name = name;
    r.Gender = QString::number(ListPosition(Gender));
    r.DOB = DateBoxText;
    r.Race = QString::number(ListPosition(Race));
    r.Marital = QString::number(ListPosition(Marital));
    r.Education = QString::number(ListPosition(Education));
    r.DrugArrests = CourtCounts[0];
    r.AlcoholArrests = CourtCounts[1];
    r.Assaults = CourtCounts[2];
    r.DVArrests = CourtCounts[3];
    r.Anger = CourtCounts[4];
    r.Responses = Responses;
    r.EditCount = QStringLiteral("0");
    r.NameDeleted = QStringLiteral("0");
    r.fitFields();
    return r;
}

QStringList SheetReading::uncertainNames() const
{
    QStringList names;
    for (const LocationReading& l : Locations)
        if (l.state == MarkState::Uncertain)
            names << l.name;
    return names;
}

int CenturyOf(int twoDigitYear, const QDate& today)
{
    // A fixed cut-off would put a child born after it in the previous century.
    return twoDigitYear <= today.year() % 100 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

void ReadSheet(const ScanPage& page, QList<ScanItem>& items, const QDate& today, SheetReading& reading)
{
    reading.Locations.clear();
    MarkReader reader(page, reading.SheetAngle, reading.MultiMarks, &reading.Locations);
    QString unused;

    reader.ReadDemographic(1, items[0], reading.Gender);
    // Ethnicity, education and marital status are read twice, as rows as well; a multiply marked row is listed
    // twice (the warning shows it once).
    reader.ReadDemographic(3, items[1], reading.Race);
    reader.ReadChoiceRow(items[1], unused, 1);
    reader.ReadDemographic(4, items[2], reading.Education);
    reader.ReadChoiceRow(items[2], unused, 1);
    reader.ReadDemographic(5, items[3], reading.Marital);
    reader.ReadChoiceRow(items[3], unused, 1);

    for (int i = 0; i < 5; ++i) {
        reading.CourtCounts[i].clear();
        reader.ReadChoiceRow(items[FirstCourtItem - 1 + i], reading.CourtCounts[i], 0);
    }

    reading.Responses.clear();
    for (int n = 1; n <= NumItems; ++n)
        reader.ReadChoiceRow(items[FirstQuestionItem - 2 + n], reading.Responses, 1);

    QString digits;
    for (int i = 0; i < 6; ++i)
        reader.ReadDigitColumn(items[FirstDateItem - 1 + i], digits);
    const QString date = digits.mid(0, 2) + QLatin1Char('/') + digits.mid(2, 2) + QLatin1Char('/') + digits.mid(4, 2);
    const int unmarked = static_cast<int>(digits.count(QLatin1Char('N')));
    if (unmarked > 0) {
        reading.DateText = date.left(6) + QStringLiteral("NN") + date.right(2);
        // The date box takes a digit or "N" first and digits after it: a date read in part goes to it as not
        // available, and its blank columns are left to the supervisor, unless the client left it blank altogether.
        reading.DateBoxText = QStringLiteral("N_/__/____");
        if (unmarked < 6) {
            for (LocationReading& l : reading.Locations)
                if (l.id >= FirstDateItem && l.chosen < 0)
                    l.state = MarkState::Uncertain;
        }
    } else {
        const int year = CenturyOf(date.right(2).toInt(), today);
        reading.DateText = date.left(6) + QString::number(year / 100) + date.right(2);
        reading.DateBoxText = reading.DateText;
        // A date no client can have been born on is read as marked but left to the supervisor to confirm.
        const QDate born(year, date.left(2).toInt(), date.mid(3, 2).toInt());
        if (!born.isValid() || born > today || year < kEarliestBirthYear) {
            for (LocationReading& l : reading.Locations)
                if (l.id >= FirstDateItem)
                    l.state = MarkState::Uncertain;
        }
    }
}
