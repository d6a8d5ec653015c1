#include "CurrentClient.h"

#include "ClientTable.h"
#include "DataLocation.h"
#include "Prompts.h"
#include "Clock.h"
#include "SessionFlags.h"
#include "SupervisorOperations.h"
#include "TestDefinition.h"
#include "WaitingTests.h"

#include <QDir>
#include <QUuid>
#include <algorithm>

CurrentClient::CurrentClient(ClientTable& table, SessionFlags& flags, Prompts& prompts, const Clock& clock)
    : m_table(table), m_flags(flags), m_prompts(prompts), m_clock(clock)
{
}

bool CurrentClient::startNew(const QString& title)
{
    if (m_table.isFull()) {
        m_prompts.message(QStringLiteral("The client file on this data location already holds %1 clients, the most "
                                         "it can hold. Choose another data location for new clients.")
                              .arg(ClientTable::MaxClients),
                          title, Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
        return false;
    }
    // Entries started for this same slot and never finished stay with the administration they began.
    if (m_active && m_table.CurClient != m_table.NumClients + 1)
        m_active = false;
    m_table.CurClient = static_cast<int16_t>(m_table.NumClients + 1);
    return true;
}

void CurrentClient::open(int16_t n)
{
    m_table.CurClient = n;
}

bool CurrentClient::isUnsavedNew() const
{
    return !m_flags.EditingClient && m_table.CurClient > m_table.NumClients &&
           m_table.CurClient <= ClientTable::MaxClients;
}

ClientRecord& CurrentClient::record()
{
    return m_table.current();
}

const ClientRecord& CurrentClient::record() const
{
    return m_table.current();
}

bool CurrentClient::stage(const std::function<void(ClientRecord&)>& fill)
{
    if (isUnsavedNew()) {
        fill(record());
        // The journal follows the entries; a journal that cannot be written never holds the entries up.
        if (!m_active)
            begin();
        else {
            m_admin.record = record().toBytes();
            keep();
        }
        return true;
    }
    return !commit(fill);
}

FileError CurrentClient::commit(const std::function<void(ClientRecord&)>& fill)
{
    const bool isNew = isUnsavedNew();
    const ClientRecord before = record();
    if (fill)
        fill(record());
    if (FileError e = SaveClientAsking(m_table, m_table.CurClient, m_prompts)) {
        record() = before;
        return e;
    }
    if (isNew) {
        m_table.CountNewClient();
        keepNotes();
        closeAdministration();
    } else if (const QString e = NotesFile::follow(notesPath(), m_table.CurClient, before, record()); !e.isEmpty()) {
        m_prompts.message(e, QStringLiteral("Data Disk Error"), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
    }
    return {};
}

void CurrentClient::discard()
{
    if (!isUnsavedNew())
        return;
    closeAdministration();
    m_table.ClearClient();
    m_table.CurClient = 1;
}

AdministrationJournal& CurrentClient::journal()
{
    // The journal follows the client table to whichever data location it has open.
    if (m_journalFolder != m_table.DataPath || m_journalError) {
        m_journalFolder = m_table.DataPath;
        m_journal.setFolder(m_table.DataPath);
        m_journalError = m_journal.load();
    }
    return m_journal;
}

FileError CurrentClient::journalProblem()
{
    journal();
    return m_journalError;
}

const Administration* CurrentClient::administration() const
{
    return m_active ? &m_admin : nullptr;
}

FileError CurrentClient::begin()
{
    m_admin = Administration();
    m_admin.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_admin.mode = m_flags.ScanReview ? Administration::Mode::Scan : m_mode;
    m_admin.slot = m_table.CurClient;
    m_admin.startedMs = m_clock.now().toMSecsSinceEpoch();
    m_admin.record = record().toBytes();
    m_active = true;
    m_resumed = false;
    m_warned = false;
    return keep();
}

FileError CurrentClient::keep()
{
    const FileError e = journal().update(m_admin);
    if (e && !m_warned) {
        // Said once: the test goes on without the safety net rather than stopping the client at every answer.
        m_warned = true;
        m_prompts.message(QStringLiteral("The answers cannot be kept on the data disk as they are given:\r%1\r\rThe "
                                         "test goes on, but if the program stops before its end the answers given "
                                         "so far are lost.")
                              .arg(e.description),
                          QStringLiteral("Data Disk Error"), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
    }
    return e;
}

FileError CurrentClient::setLanguage(const QString& language)
{
    if (!m_active)
        return {};
    m_admin.language = language;
    return keep();
}

FileError CurrentClient::keepAnswers(const QString& responses)
{
    if (!m_active)
        return {};
    const QString kept = m_admin.responses(NumItems);
    const qint64 now = m_clock.now().toMSecsSinceEpoch();
    bool changed = false;
    for (int i = 0; i < NumItems && i < responses.size(); ++i) {
        if (responses.at(i) != kept.at(i) && responses.at(i).isDigit()) {
            m_admin.events.append({now, i + 1, responses.at(i).digitValue()});
            changed = true;
        }
    }
    return changed ? keep() : FileError{};
}

FileError CurrentClient::keepStepBack()
{
    if (!m_active)
        return {};
    m_admin.events.append({m_clock.now().toMSecsSinceEpoch(), 0, 0});
    return keep();
}

void CurrentClient::keepEvent(int item, int kind)
{
    if (m_active)
        m_admin.events.append({m_clock.now().toMSecsSinceEpoch(), item, kind});
}

void CurrentClient::keepShown(int item)
{
    keepEvent(item, JournalEvent::Shown);
}

void CurrentClient::keepAudioEnded(int item)
{
    keepEvent(item, JournalEvent::AudioEnded);
}

QString CurrentClient::notesPath() const
{
    return QDir(m_table.DataPath).filePath(QLatin1String(NotesFile::FileName));
}

void CurrentClient::keepNotes()
{
    if (!m_active)
        return;
    const AdministrationNotes notes =
        AdministrationNotes::compute(m_admin, record().Responses, m_clock.now().toMSecsSinceEpoch());
    // The client is saved whatever happens here; only the summary of how the test went can be lost.
    if (const QString e = NotesFile::keep(notesPath(), m_table.CurClient, record(), notes); !e.isEmpty())
        m_prompts.message(e, QStringLiteral("Data Disk Error"), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
}

std::optional<AdministrationNotes> CurrentClient::notes() const
{
    QList<NotesFile::Entry> entries;
    if (m_table.CurClient < 1 || m_table.CurClient > m_table.NumClients || !NotesFile::read(notesPath(), entries))
        return std::nullopt;
    return NotesFile::find(entries, m_table.CurClient, record());
}

QString CurrentClient::deleteJournalNames(bool keep)
{
    AdministrationJournal& j = journal();
    if (m_journalError)
        return m_journalError.description;
    const QList<Administration> all = j.administrations();
    for (Administration a : all) {
        FileError e;
        if (keep) {
            ClientRecord r = ClientRecord::fromBytes(a.record);
            if (ScrambleRecordName(r)) {
                a.record = r.toBytes();
                e = j.update(a);
            }
        } else {
            e = j.close(a.id);
        }
        if (e)
            return e.description;
    }
    return {};
}

FileError CurrentClient::closeAdministration()
{
    if (!m_active)
        return {};
    m_active = false;
    return journal().close(m_admin.id);
}

QList<Administration> CurrentClient::interrupted()
{
    m_journalFolder.clear(); // read again: the location was just opened
    AdministrationJournal& j = journal();
    QList<Administration> out;
    const QList<Administration> all = j.administrations();
    for (const Administration& a : all) {
        if (m_active && a.id == m_admin.id)
            continue;
        bool saved = false;
        if (a.slot >= 1 && a.slot <= m_table.NumClients) {
            // The program stopped between writing the client and closing its administration.
            ClientRecord r = ClientRecord::fromBytes(a.record);
            r.Responses = a.responses(NumItems);
            saved = r.toBytes() == m_table.Clients.at(a.slot).toBytes();
        }
        // A scanned sheet is read again from the paper; a half-reviewed one is not worth a question.
        if (saved || a.mode == Administration::Mode::Scan)
            j.close(a.id);
        else
            out.append(a);
    }
    std::sort(out.begin(), out.end(),
              [](const Administration& x, const Administration& y) { return x.startedMs < y.startedMs; });
    return out;
}

bool CurrentClient::tooOld(const Administration& a, int hours) const
{
    return m_clock.now().toMSecsSinceEpoch() - a.startedMs > static_cast<qint64>(hours) * 3600 * 1000;
}

bool CurrentClient::resume(const QString& id, const QString& title)
{
    const Administration* found = journal().find(id);
    if (!found)
        return false;
    const Administration a = *found;
    m_flags.EditingClient = false;
    m_flags.ScanReview = false;
    if (!startNew(title))
        return false;
    record() = ClientRecord::fromBytes(a.record);
    record().Responses = a.responses(NumItems);
    m_admin = a;
    m_admin.slot = m_table.CurClient;
    m_admin.setAside = false;
    m_admin.events.append({m_clock.now().toMSecsSinceEpoch(), 0, JournalEvent::Resumed});
    m_mode = a.mode;
    m_active = true;
    m_resumed = true;
    m_warned = false;
    keep();
    return true;
}

int CurrentClient::resumedAt() const
{
    return m_active && m_resumed ? FirstItemToContinue(m_admin) : 0;
}

FileError CurrentClient::setAside()
{
    if (!m_active)
        return {};
    m_admin.setAside = true;
    m_active = false;
    m_table.ClearClient();
    m_table.CurClient = 1;
    return keep();
}

FileError CurrentClient::setAside(const QString& id)
{
    const Administration* found = journal().find(id);
    if (!found)
        return {};
    Administration a = *found;
    a.setAside = true;
    return journal().update(a);
}

FileError CurrentClient::abandon(const QString& id)
{
    if (m_active && id == m_admin.id)
        return {};
    return journal().close(id);
}
