#include "EditLimit.h"

#include "DateOfBirth.h"

#include <algorithm>

EditLimit::EditLimit(int count, std::array<QString, FieldCount> opening)
    : m_count(std::clamp(count, 0, Limit)), m_opening(std::move(opening))
{
}

EditLimit::Outcome EditLimit::fieldLeft(IntakeField field, const QString& current)
{
    QString& opening = m_opening[static_cast<int>(field)];
    if (current == opening)
        return Outcome::Same;
    m_count = std::min(m_count + 1, Limit);
    if (m_count < Limit) {
        opening = current;
        return Outcome::Counted;
    }
    return Outcome::LimitReached;
}

EditLimit::Outcome EditLimit::dateLeft(const QString& value)
{
    if (value.isEmpty() || IsNotAvailableDate(value))
        return Outcome::Same;
    QString& opening = m_opening[static_cast<int>(IntakeField::DOB)];
    if (IsNotAvailableDate(opening)) {
        opening = value;
        return Outcome::Same;
    }
    return fieldLeft(IntakeField::DOB, value);
}

QString EditLimit::countDigit() const
{
    return QString::number(m_count);
}
