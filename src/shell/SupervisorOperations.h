#pragma once
// The supervisor's batch operations on every client of the data location: scrambling names and printing all
// reports.

#include "FileError.h"

#include <QString>
#include <cstdint>
#include <functional>

class ClientTable;

// Shifts every non-blank character's Windows-1252 code by 7 (even codes) or 3 (odd codes); the length is kept.
// A code that would pass 255 wraps to the printable characters from 33 on, so no character is left readable.
QString ScrambleName(const QString& name);

// Scrambles the name of every client whose name is still present, marks it deleted and locks its editing, saving
// each record at once. A record that cannot be saved is restored in the table and the run stops there. Returns a
// message for the supervisor, or an empty string only when the client file, read back, holds no readable name.
// `save` writes one record (by default SaveClient).
QString ScrambleAllNames(ClientTable& table, const std::function<FileError(int16_t)>& save = {});

struct PrintAllSteps {
    // Scores the current client and writes report.prn; returns an error message or an empty string.
    std::function<QString()> scoreAndReport;
    // Prints report.prn; returns an error message or an empty string.
    std::function<QString()> printReport;
    // Told before each step (phase 0 scoring, 1 printing; n of count); returns false to stop.
    std::function<bool(int phase, int n, int count)> progress;
};

// Scores every client into temp<n> copies in the program folder, then prints them in order; CurClient ends at 1.
// Returns an error message naming the client, or an empty string when every report printed.
QString PrintAllReports(ClientTable& table, const QString& programDir, const PrintAllSteps& steps);
