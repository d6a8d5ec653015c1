#pragma once
// The supervisor's batch operation on every client of the data location: scrambling names.

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
