#pragma once
// How often an existing client's information may be changed: each change of a field counts once, and at the
// third the fields lock for good.

#include <QString>
#include <array>

enum class IntakeField { Name, Gender, DOB, Race, Marital, Education };

class EditLimit {
public:
    static constexpr int Limit = 3;
    static constexpr int FieldCount = 6;

    enum class Outcome { Same, Counted, LimitReached };

    // `count` is the record's EditCount when the window opened; the opening values are indexed by IntakeField.
    EditLimit(int count = 0, std::array<QString, FieldCount> opening = {});

    // A field was left holding `current`. A value that differs from the field's opening value counts, and becomes
    // the new opening value while the limit is not reached, so changing a field back counts again.
    Outcome fieldLeft(IntakeField field, const QString& current);
    // The date of birth was left holding `value` (DobEditValue: a date GoodDate accepts, or the not-available form).
    // Only a change to a real date counts: the not-available form neither counts nor replaces the date compared
    // with, and a date given where the client had "not available" is compared with from then on, uncounted.
    Outcome dateLeft(const QString& value);

    int count() const { return m_count; }
    bool reached() const { return m_count >= Limit; }
    const QString& opening(IntakeField field) const { return m_opening[static_cast<int>(field)]; }
    // The count as the record's one-digit EditCount.
    QString countDigit() const;

private:
    int m_count;
    std::array<QString, FieldCount> m_opening;
};
