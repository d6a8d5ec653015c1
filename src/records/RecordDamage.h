#pragma once
// Whether a client record read from a file can be scored and reported as it stands: each field of the form the
// program writes. Every road that scores, prints, exports or lists a client asks this one rule.

#include "ClientRecord.h"

#include <QString>

// What is wrong with `record`, as a clause that follows "its" ("answer to item 5 reads \"7\"; items 1 to 86 take 0
// to 2"), or an empty string when the record is sound. `whole` is false for a last record the file cut short.
// A name is never quoted, so the clause may be shown where names must not be.
QString RecordDamage(const ClientRecord& record, bool whole = true);

// The client label for messages, "Client 3 (Ann Lee)", or "Client 3" when the name must not be shown. Control
// characters are shown as "?".
QString ClientLabel(const ClientRecord& record, int n, bool withName = true);
