#pragma once
// How a client's test was taken, worked out from its administration when the client is saved, and kept per client
// in a private notes file beside the client file: no name or date of birth in it, each note tied to its client by
// slot and a fingerprint of the rest of the record.

#include "AdministrationJournal.h"
#include "ClientRecord.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <array>
#include <optional>

struct AdministrationNotes {
    static constexpr qint64 LongPauseMs = 2 * 60 * 1000;

    // The administration's identity (its journal id); empty in notes kept before identities were. Results stores
    // key every publication of the test by it, so it stays with the client through edits.
    QString id;
    // False for an entry that keeps only the identity of a client saved without notes (keyed before notes were kept,
    // or restored): none of the figures below are known.
    bool recorded = true;

    Administration::Mode mode = Administration::Mode::OnScreen;
    QString language;
    qint64 startMs = 0; // on screen: the first item shown; otherwise when the client's information was accepted
    qint64 endMs = 0;   // on screen: the last answer; otherwise when the client was saved
    // Timing is known only on screen; answers keyed from paper or read from a sheet were not timed.
    bool timed = false;
    qint64 totalMs = 0;   // start to end, less the time the test was interrupted
    QList<qint64> itemMs; // per item, from shown (or from the end of its spoken audio) to its first answer; -1 unknown
    int under1s = 0, under2s = 0;
    std::array<int, 3> longestRun{}; // the longest run of one answer in each section
    int answersChanged = 0;          // answers given again differently after stepping back
    int longPauses = 0;              // more than two minutes without a key, the test under way
    int interruptions = 0;           // cut short (the program stopped, or set aside) and then continued

    // The notes of `a`, whose client was saved at `savedMs` with the answers `responses`.
    static AdministrationNotes compute(const Administration& a, const QString& responses, qint64 savedMs);

    // The figures a supervisor reads, one line each.
    QStringList describe() const;
    // The figures the score export carries, by column name, in column order; unknown figures are null.
    QList<std::pair<QString, QJsonValue>> exportFields() const;

    QJsonObject toJson() const;
    static std::optional<AdministrationNotes> fromJson(const QJsonObject& o);
};

// The notes file of a data location.
namespace NotesFile {
constexpr const char* FileName = "DATA401.NTS";

struct Entry {
    int slot = 0;
    QByteArray fingerprint;
    AdministrationNotes notes;
};

// The hex SHA-256 of a client record without its name, date of birth, edit count and name-deleted mark: what Delete
// Names and a name's correction leave alone.
QByteArray fingerprint(const ClientRecord& r);

// Reads the notes file at `path`; a missing file holds none. False for a file that is not a notes file.
bool read(const QString& path, QList<Entry>& out);
QByteArray toBytes(const QList<Entry>& entries);
bool fromBytes(const QByteArray& bytes, QList<Entry>& out);
// Writes the file through the private-file layer; what failed, or empty. An empty list removes the file.
QString write(const QString& path, const QList<Entry>& entries);

// The notes of `record`, saved in slot `slot`, when they still match it; none for an entry without figures.
std::optional<AdministrationNotes> find(const QList<Entry>& entries, int slot, const ClientRecord& record);
// The administration id kept for `record` in `slot`; empty when none is.
QString identity(const QList<Entry>& entries, int slot, const ClientRecord& record);
// Gives each client of `ids` (slot, then id) that has no identity yet the one listed, kept with its notes or in an
// entry of its own, in one write. What failed, or empty.
QString keepIdentities(const QString& path, const QList<std::pair<int, QString>>& ids,
                       const QList<ClientRecord>& records);
// Keeps the notes of the client in `slot`, replacing any the slot had.
QString keep(const QString& path, int slot, const ClientRecord& record, const AdministrationNotes& notes);
// The client in `slot` changed from `before` to `after`: its notes follow it. What failed, or empty.
QString follow(const QString& path, int slot, const ClientRecord& before, const ClientRecord& after);
// The entries that match the records of `clientFile` (whole 184-byte records, slot 1 first), one per slot.
QList<Entry> matching(const QList<Entry>& entries, QByteArrayView clientFile);
} // namespace NotesFile
