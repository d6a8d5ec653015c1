#pragma once
// The supervisor's batch operation on every client of the data location: scrambling names.

#include "FileError.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class ClientTable;
struct ClientRecord;

// Shifts every non-blank character's Windows-1252 code by 7 (even codes) or 3 (odd codes); the length is kept.
// A code that would pass 255 wraps to the printable characters from 33 on, so no character is left readable.
QString ScrambleName(const QString& name);

// Deletes the name of a record whose name is still present: scrambled, marked deleted, editing locked. False when
// the name was deleted before.
bool ScrambleRecordName(ClientRecord& r);

// Scrambles the name of every client whose name is still present, marks it deleted and locks its editing, saving
// each record at once. A record that cannot be saved is restored in the table and the run stops there. Returns a
// message for the supervisor, or an empty string only when the records of the table, read back from the client file,
// hold no readable name.
// `save` writes one record (by default SaveClient).
QString ScrambleAllNames(ClientTable& table, const std::function<FileError(int16_t)>& save = {});

// How many records the client file holds past the table's 51: never shown, and never changed by Delete Names.
int RecordsPastTable(const ClientTable& table);

// Scrambles every name still present in a copy of a client file (all its records) or of a journal, keeping its mode.
QString ScrambleNamesInFile(const QString& path);
// Removes the names from what the program itself keeps: the client files a restore replaced on the data location
// are scrambled, and report.prn and the numbered report copies in the program folder are removed. What failed, or
// an empty string.
QString ScrambleProgramCopies(const QString& programDir, const QString& dataPath);
// The backups on the data location, client files and the journals copied with them, that still hold a name.
QStringList BackupsHoldingNames(const QString& dataPath);
