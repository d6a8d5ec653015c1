#pragma once
// The one owner of the client being worked on: which slot is current, whether it is a new client not yet written,
// and how its entries reach the client file or are given up.

#include "AdministrationJournal.h"
#include "AdministrationNotes.h"
#include "AuditTrail.h"
#include "ClientRecord.h"
#include "FileError.h"

#include <QSet>
#include <cstdint>
#include <functional>

class ClientTable;
class Clock;
class Prompts;
struct SessionFlags;

class CurrentClient {
public:
    CurrentClient(ClientTable& table, SessionFlags& flags, Prompts& prompts, const Clock& clock);

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
    // Each changed field is recorded in the location's audit trail as `event` (by default the kind of field it is).
    FileError commit(const std::function<void(ClientRecord&)>& fill = {}, const QString& event = {});
    // Adds an entry to the open location's audit trail; a trail that cannot be written is said with the data-disk
    // box, once a run, and the work goes on.
    void audit(const QString& event, int slot, const AuditDetails& details = {},
               const QString& outcome = QStringLiteral("ok"));
    // Gives up a new client that was never written: its slot is blanked and the first client becomes current. An
    // existing client stays exactly as it was.
    void discard();

    // How the next new client's answers are collected; a scanned sheet under review is always Scan.
    void setMode(Administration::Mode mode) { m_mode = mode; }
    // The new client's administration: begun when its information is first staged, on the medium until the client
    // is saved or given up. Null when no new client is being entered.
    const Administration* administration() const;
    FileError setLanguage(const QString& language);
    // Keeps every answer that differs from those kept so far, with the time it is given; on the medium on return.
    FileError keepAnswers(const QString& responses);
    FileError keepStepBack();
    // When item `item` came on screen, and when its spoken text ended: kept with the next answer, which is written
    // before the item after it shows, so they cost no write of their own.
    void keepShown(int item);
    void keepAudioEnded(int item);

    // The notes of the current client's administration, when it has any that match it.
    std::optional<AdministrationNotes> notes() const;
    QString notesPath() const;
    // Takes every name out of the journal: the administrations under way or set aside keep their answers with the
    // name scrambled (`keep`), or are abandoned. What failed, or empty.
    QString deleteJournalNames(bool keep);
    // The journal is read again when next used: a restore changed it under the program.
    void forgetJournal() { m_journalFolder.clear(); }

    // The administrations of the open data location that were cut short and can go on, oldest first. Reading the
    // journal drops those whose client reached the client file before the program stopped.
    QList<Administration> interrupted();
    FileError journalProblem();
    // Whether an administration began more than `hours` ago, and so may only be set aside.
    bool tooOld(const Administration& a, int hours) const;
    // Takes an interrupted administration up again: its client becomes a new client in the next free slot, with the
    // answers kept so far. False, said with a box titled `title`, when the client file is full.
    bool resume(const QString& id, const QString& title);
    // The item the current administration goes on at when it was taken up again, 0 otherwise.
    int resumedAt() const;
    // The current new client's administration is kept for later and its slot is freed.
    FileError setAside();
    FileError setAside(const QString& id);
    // An interrupted administration is given up: it leaves the journal, and nothing of it reaches the client file.
    FileError abandon(const QString& id);

private:
    AdministrationJournal& journal();
    FileError begin();
    FileError keep();
    FileError closeAdministration();
    void keepNotes();
    void keepEvent(int item, int kind);

    ClientTable& m_table;
    SessionFlags& m_flags;
    Prompts& m_prompts;
    const Clock& m_clock;
    AdministrationJournal m_journal;
    QString m_journalFolder;
    FileError m_journalError;
    Administration::Mode m_mode = Administration::Mode::Paper;
    Administration m_admin;
    bool m_active = false;
    bool m_resumed = false;
    bool m_warned = false;
    bool m_auditWarned = false;
    QSet<QString> m_interruptedSeen;
};
