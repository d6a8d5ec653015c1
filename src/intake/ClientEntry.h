#pragma once
// Whether the client information window's entries reach the current client record.

// Whether the client information window writes its entries: an existing client who had reached the edit limit when
// the window opened keeps the stored record, even when the entries differ from it.
bool ClientInfoWritten(bool editing, bool entriesChanged, int clientCount, int countAtOpen);
