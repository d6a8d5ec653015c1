#pragma once
// The one owner of the client being worked on: which slot is current, whether it is a new client not yet written,
// and how its entries reach the client file or are given up.

#include "ClientRecord.h"
#include "FileError.h"

#include <cstdint>
#include <functional>

class ClientTable;
class Prompts;
struct SessionFlags;

class CurrentClient {
public:
    CurrentClient(ClientTable& table, SessionFlags& flags, Prompts& prompts);

    // Makes the slot after the last client current for a new client. A full client file is said so, titled
    // `title`, and no slot is taken (false).
    bool startNew(const QString& title);
    // Makes client `n` of the list current.
    void open(int16_t n);
    // The current slot holds a new client that was never written (never counted, never listed).
    bool isUnsavedNew() const;

    ClientRecord& record();
    const ClientRecord& record() const;

    // Writes entries into the current record. An existing client is saved at once, and put back as it was when the
    // save fails (false); a new client's entries wait in its slot for the commit.
    bool stage(const std::function<void(ClientRecord&)>& fill);
    // Writes entries and saves the current client, asking for the data location while it cannot be written. On
    // failure the record goes back to what it held, so memory keeps matching the file; a new client is counted only
    // once it is in the file.
    FileError commit(const std::function<void(ClientRecord&)>& fill = {});
    // Gives up a new client that was never written: its slot is blanked and the first client becomes current. An
    // existing client stays exactly as it was.
    void discard();

private:
    ClientTable& m_table;
    SessionFlags& m_flags;
    Prompts& m_prompts;
};
