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

namespace {

QString modeName(Administration::Mode m)
{
    switch (m) {
    case Administration::Mode::OnScreen:
        return QStringLiteral("on screen");
    case Administration::Mode::Paper:
        return QStringLiteral("paper");
    case Administration::Mode::Scan:
        return QStringLiteral("scan");
    }
    return {};
}

QString fieldEvent(const QString& field)
{
    static const QStringList court = {QStringLiteral("DrugArrests"), QStringLiteral("AlcoholArrests"),
                                      QStringLiteral("Assaults"), QStringLiteral("DVArrests"), QStringLiteral("Anger")};
    if (field == QLatin1String("Responses"))
        return QStringLiteral("answers-changed");
    return court.contains(field) ? QStringLiteral("court-history-changed") : QStringLiteral("client-changed");
}

} // namespace

void CurrentClient::audit(const QString& event, int slot, const AuditDetails& details, const QString& outcome)
{
    const FileError e = m_table.audit.append(event, slot, details, outcome);
    if (e && !m_auditWarned) {
        m_auditWarned = true;
        const ErrorPrompt box = StartUpErrorPrompt(e);
        m_prompts.message(box.text, box.title, box.icon, box.buttons == Prompts::Buttons::OkCancel ? Prompts::Buttons::Ok : box.buttons);
    }
}

FileError CurrentClient::commit(const std::function<void(ClientRecord&)>& fill, const QString& event)
{
    const bool isNew = isUnsavedNew();
    const ClientRecord before = record();
    if (fill)
        fill(record());
    if (FileError e = SaveClientAsking(m_table, m_table.CurClient, m_prompts)) {
        record() = before;
        return e;
    }
    const int slot = m_table.CurClient;
    if (isNew) {
        m_table.CountNewClient();
        audit(QStringLiteral("client-created"), slot,
              {{QStringLiteral("mode"), modeName(m_active ? m_admin.mode : (m_flags.ScanReview ? Administration::Mode::Scan : m_mode))},
               {QStringLiteral("language"), m_active && !m_admin.language.isEmpty() ? m_admin.language : QStringLiteral("none")}});
        keepNotes();
        closeAdministration();
    } else {
        for (const ClientRecord::Field& f : ClientRecord::fields()) {
            const QString name = QLatin1String(f.name);
            const QString was = ClientRecord::unpadded(before.*f.member), now = ClientRecord::unpadded(record().*f.member);
            if (was == now || name == QLatin1String("EditCount"))
                continue;
            AuditDetails d = {{QStringLiteral("field"), name}};
            if (name == QLatin1String("Responses")) {
                QStringList items, olds, news;
                const auto at = [](const QString& r, qsizetype i) { return i < r.size() ? r.at(i) : QLatin1Char('0'); };
                for (qsizetype i = 0; i < std::max(was.size(), now.size()); ++i) {
                    if (at(was, i) != at(now, i)) {
                        items << QString::number(i + 1);
                        olds << QString(at(was, i));
                        news << QString(at(now, i));
                    }
                }
                d << qMakePair(QStringLiteral("items"), items.join(QLatin1Char(' ')))
                  << qMakePair(QStringLiteral("old"), olds.join(QLatin1Char(' ')))
                  << qMakePair(QStringLiteral("new"), news.join(QLatin1Char(' ')));
            } else if (AuditTrail::isPersonal(name)) {
                d << qMakePair(QStringLiteral("old"), m_table.audit.fingerprint(was))
                  << qMakePair(QStringLiteral("new"), m_table.audit.fingerprint(now));
            } else {
                d << qMakePair(QStringLiteral("old"), was) << qMakePair(QStringLiteral("new"), now);
            }
            audit(event.isEmpty() ? fieldEvent(name) : event, slot, d);
        }
    }
    if (const QString e = isNew ? QString() : NotesFile::follow(notesPath(), m_table.CurClient, before, record());
        !e.isEmpty()) {
        m_prompts.message(e, QStringLiteral("Data Disk Error"), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
    }
    return {};
}

void CurrentClient::discard()
{
    if (!isUnsavedNew())
        return;
    if (m_active)
        audit(QStringLiteral("administration-abandoned"), m_table.CurClient,
              {{QStringLiteral("mode"), modeName(m_admin.mode)}});
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
    AdministrationNotes notes =
        AdministrationNotes::compute(m_admin, record().Responses, m_clock.now().toMSecsSinceEpoch());
    notes.id = m_admin.id;
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
        if (saved || a.mode == Administration::Mode::Scan) {
            j.close(a.id);
        } else {
            out.append(a);
            // Once a run: the list is read again by other operations (Delete Names) that interrupt nothing.
            if (!a.setAside && !m_interruptedSeen.contains(a.id)) {
                m_interruptedSeen.insert(a.id);
                audit(QStringLiteral("administration-interrupted"), a.slot,
                      {{QStringLiteral("mode"), modeName(a.mode)},
                       {QStringLiteral("after-item"), QString::number(a.lastItem())}});
            }
        }
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
    audit(QStringLiteral("administration-resumed"), m_table.CurClient,
          {{QStringLiteral("mode"), modeName(a.mode)}, {QStringLiteral("after-item"), QString::number(a.lastItem())}});
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
    const int slot = m_table.CurClient;
    m_table.ClearClient();
    m_table.CurClient = 1;
    const FileError e = keep();
    if (!e)
        audit(QStringLiteral("administration-set-aside"), slot, {{QStringLiteral("mode"), modeName(m_admin.mode)}});
    return e;
}

FileError CurrentClient::setAside(const QString& id)
{
    const Administration* found = journal().find(id);
    if (!found)
        return {};
    Administration a = *found;
    a.setAside = true;
    const FileError e = journal().update(a);
    if (!e)
        audit(QStringLiteral("administration-set-aside"), a.slot, {{QStringLiteral("mode"), modeName(a.mode)}});
    return e;
}

FileError CurrentClient::abandon(const QString& id)
{
    if (m_active && id == m_admin.id)
        return {};
    return journal().close(id);
}
