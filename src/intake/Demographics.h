#pragma once
// The four demographic lists of the client information form, whose list positions are the stored codes, and how
// a typed character acts on each list.

#include <QString>
#include <QStringList>

enum class DemographicList { Gender, Race, Marital, Education };

// The entries of a list in code order; position 0 is "N/A".
const QStringList& DemographicEntries(DemographicList list);
// The highest code of a list (its last position).
int HighestCode(DemographicList list);

// The numeric value of a stored text, read from its leading digits after blanks and an optional sign; 0 when it
// starts with none ("N", blank).
int CodeValue(const QString& text);

// The list position for a stored or scanned code: its numeric value, or -1 (nothing selected) past the list's end.
int CodePosition(DemographicList list, const QString& code);

// A list position as the one-character code stored in the record.
QString PositionCode(int position);

struct ComboKey {
    enum class Action { Select, OpenList, Refuse };
    Action action = Action::Refuse;
    int position = -1; // for Select
};

// What one typed character does in a list's box: a code digit selects that position, "N" selects "N/A" (the race
// list opens instead, because "N" cannot tell "N/A" from "Native American"), anything else is refused.
ComboKey ComboTyped(DemographicList list, QChar c);
