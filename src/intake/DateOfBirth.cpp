#include "DateOfBirth.h"

namespace {

bool isDigitAt(const QString& s, int i)
{
    return s.at(i) >= QLatin1Char('0') && s.at(i) <= QLatin1Char('9');
}

int numberAt(const QString& s, int from, int length)
{
    return QStringView(s).mid(from, length).toInt();
}

} // namespace

bool GoodDate(const QString& szDate, const QDate& today)
{
    if (szDate.size() != 10 || szDate.at(2) != QLatin1Char('/') || szDate.at(5) != QLatin1Char('/'))
        return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (!isDigitAt(szDate, i))
            return false;
    }
    const QDate date(numberAt(szDate, 6, 4), numberAt(szDate, 0, 2), numberAt(szDate, 3, 2));
    // QDate refuses month 13, day 32 and 02/30 alike; the year runs from 1890 to today, never into the future.
    return date.isValid() && date.year() >= EarliestBirthYear && date <= today;
}

bool IsNotAvailableDate(const QString& boxText)
{
    return boxText.trimmed().toUpper() == NotAvailableDateText;
}

DateEntry CheckDateEntry(const QString& boxText, const QDate& today)
{
    const QString text = boxText.trimmed();
    if (IsNotAvailableDate(text))
        return DateEntry::NotAvailable;
    if (!text.contains(QLatin1Char('_')) && GoodDate(text, today))
        return DateEntry::Date;
    return DateEntry::Refused;
}

QString DateBoxText(const QString& date)
{
    if (date.startsWith(QLatin1Char('N'), Qt::CaseInsensitive))
        return NotAvailableDateText;
    QString box = EmptyDateText;
    for (int i = 0; i < box.size() && i < date.size(); ++i) {
        if (box.at(i) != QLatin1Char('/') && isDigitAt(date, i))
            box[i] = date.at(i);
    }
    return box;
}

QString StoredDob(const QString& boxText)
{
    const QString text = boxText.trimmed();
    if (text.startsWith(QLatin1Char('N'), Qt::CaseInsensitive))
        return QStringLiteral("N");
    return text;
}

QString DobEditValue(const QString& boxText, const QDate& today)
{
    switch (CheckDateEntry(boxText, today)) {
    case DateEntry::NotAvailable:
        return NotAvailableDateText;
    case DateEntry::Date:
        return boxText.trimmed();
    case DateEntry::Refused:
        break;
    }
    return {};
}
