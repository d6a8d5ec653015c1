#pragma once
// The date-of-birth rules of the client information form: the box's fixed texts, which entries it accepts, and
// how a stored or scanned date is shown in it and stored back.

#include <QDate>
#include <QString>

// What the date box shows when it is empty, and when the date is not available.
inline const QString EmptyDateText = QStringLiteral("__/__/____");
inline const QString NotAvailableDateText = QStringLiteral("N_/__/____");

// The earliest year of birth accepted.
constexpr int EarliestBirthYear = 1890;

// A real "mm/dd/yyyy" date from 1890 up to `today`, month in characters 1-2, day in 4-5, year in 7-10.
bool GoodDate(const QString& szDate, const QDate& today);

// The box holds the not-available form (any case).
bool IsNotAvailableDate(const QString& boxText);

enum class DateEntry { NotAvailable, Date, Refused };
// What Enter or Tab in the date box makes of its text.
DateEntry CheckDateEntry(const QString& boxText, const QDate& today);

// The box text for a stored or scanned date: the not-available form for a text beginning with "N"; otherwise each
// digit in its own position and the prompt "_" where the text has none, so the box never gets what it would refuse.
QString DateBoxText(const QString& date);

// The record's DOB for a box text: "N" for a text beginning with "N", otherwise the text itself.
QString StoredDob(const QString& boxText);

// The value the edit limit compares for the date field, or an empty string when the box holds nothing it accepts
// (an unfinished date is not a change).
QString DobEditValue(const QString& boxText, const QDate& today);
