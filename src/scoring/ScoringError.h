#pragma once
// A scoring or report failure as a value: the file at fault and a sentence a supervisor can act on.

#include <QString>

struct ScoringError {
    QString file;    // path or name of the broken or unwritable file; empty when no file is at fault
    QString message; // empty when nothing failed

    bool failed() const { return !message.isEmpty(); }
    explicit operator bool() const { return failed(); }
};
