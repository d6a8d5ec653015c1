#pragma once
// How the intake windows' entries reach the current client record: the slot a new client takes, whether an edit is
// written, and the save of an existing client that puts the record back when it fails.

#include "ClientRecord.h"

#include <functional>

class ClientTable;
class Prompts;

// Makes the slot after the last client the current one for a new client. A full client file is said so, titled
// `title`, and no slot is taken (false).
bool TakeNewClientSlot(ClientTable& table, Prompts& prompts, const QString& title);

// Whether the client information window writes its entries: an existing client who had reached the edit limit when
// the window opened keeps the stored record, even when the entries differ from it.
bool ClientInfoWritten(bool editing, bool entriesChanged, int clientCount, int countAtOpen);

// Writes entries into the current record with `fill`. An existing client's record is saved at once (asking for the
// data location while it cannot be written); when the save fails the record goes back to what it held and false is
// returned, so the entries stay on screen for another try. A new client's record is written later, with the answers.
bool ApplyToCurrentClient(ClientTable& table, bool editing, Prompts& prompts,
                          const std::function<void(ClientRecord&)>& fill);
