#pragma once
// The in-memory table of clients of the open data location, and the client file it is read from and written to.

#include "AuditTrail.h"
#include "ClientRecord.h"
#include "FileError.h"
#include "LocationLock.h"

#include <array>
#include <cstdint>

class ClientTable {
public:
    static constexpr int16_t MaxClients = 51;
    static constexpr const char* FileName = "DATA401.QN";

    // Slot 0 is never used; client n is in slot n.
    std::array<ClientRecord, MaxClients + 1> Clients;
    int16_t NumClients = 0;
    int16_t CurClient = 0;
    QString DataPath;
    QString ClientFilePath;
    // The slot read from a last record the file cut short, 0 when every record is whole; scoring refuses it until
    // it is saved whole.
    int16_t PartialRecord = 0;
    // Held from the moment the data location is opened until another one is or the table goes away.
    LocationLock locationLock;
    // The open location's audit trail, written only while its lock is held.
    AuditTrail audit;

    struct LoadResult {
        FileError error;
        int recordsInFile = 0; // whole or partial records present in the file
        // Set when the file holds more records than the table: the rest stay in the file but are not shown.
        QString notice;
    };

    // Sets DataPath and ClientFilePath for a location given without a trailing separator.
    void setDataPath(const QString& path);
    // Reads the client file; creates an empty one, readable by its owner only, when the location has none (a
    // command that only reads a location gives MissingFile::Refuse, and then gets FileNotFound). `read`, when given,
    // receives the bytes read: the table's records and one partial record at most.
    enum class MissingFile { Create, Refuse };
    LoadResult LoadClients(MissingFile missing = MissingFile::Create, QByteArray* read = nullptr);
    // Fills the table from the bytes of a client file; `fileSize` is the whole file's length when only its start
    // was read.
    LoadResult LoadFromBytes(QByteArrayView bytes, qint64 fileSize = -1);
    // What is wrong with client n's record (RecordDamage), or an empty string when it can be scored.
    QString damage(int n) const;
    // Writes slot `index` as record `index`; the file is replaced whole, so a crash leaves the old or new record.
    // Fails, creating nothing, when the client file is gone.
    FileError SaveClient(int16_t index);
    // Blanks slot CurClient in memory only.
    void ClearClient();
    void CountNewClient();

    ClientRecord& current() { return Clients.at(CurClient); }
    const ClientRecord& current() const { return Clients.at(CurClient); }
    bool isFull() const { return NumClients >= MaxClients; }

    // The client list line of client n: the number, a hyphen, and the stored 25-character name.
    QString listLine(int n) const;
};
