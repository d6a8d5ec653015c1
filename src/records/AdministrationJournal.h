#pragma once
// The administrations under way on a data location, kept on the medium as they are given: who, how, in which
// language, and each answer and step back with its time, so a test cut short by a crash or a pulled drive can go on.

#include "FileError.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct JournalEvent {
    // Events other than answers keep their kind in the answer field, so journals of either form read alike.
    enum Kind { StepBack = 0, Shown = -1, AudioEnded = -2, Resumed = -3 };

    qint64 ms = 0;  // milliseconds since the epoch, UTC
    int item = 0;   // the item answered or shown; 0 for a step back or a resume
    int answer = 0; // answer position 1 to 5, or the Kind of an event that is not an answer

    bool isAnswer() const { return item >= 1 && answer >= 1; }
    bool operator==(const JournalEvent&) const = default;
};

struct Administration {
    enum class Mode { OnScreen, Paper, Scan };

    QString id;       // a random UUID, given when the administration begins
    Mode mode = Mode::OnScreen;
    int slot = 0;     // the slot the client takes when saved
    qint64 startedMs = 0;
    QString language; // empty until chosen; paper and scan have none
    QByteArray record; // the client record as the client file would hold it, answers not yet in it
    QList<JournalEvent> events;
    bool setAside = false; // the supervisor chose to continue it later

    // Each item's latest answer, one digit per item, "0" for an item never answered.
    QString responses(int items) const;
    // The highest item answered, 0 for none; an item only shown does not count.
    int lastItem() const;
    QDateTime lastActivity() const;
    bool operator==(const Administration&) const = default;
};

class AdministrationJournal {
public:
    static constexpr const char* FileName = "DATA401.JNL";

    // The journal of the data location `folder`; nothing is read until load().
    void setFolder(const QString& folder);
    const QString& path() const { return m_path; }

    // Reads the journal; a location without one has no administration under way. A damaged journal is an error,
    // and the journal then holds nothing, so nothing is ever written over it. A last answer cut short by a crash
    // while it was written is no damage: it is left out.
    FileError load();
    const QList<Administration>& administrations() const { return m_open; }
    const Administration* find(const QString& id) const;

    // Each change is on the medium (written and flushed) when it returns without an error.
    // Adds the administration, or replaces the one with its id. Events added at the end of one already kept are
    // appended to the file; any other change writes the journal whole.
    FileError update(const Administration& administration);
    // Saved or abandoned: the administration leaves the journal.
    FileError close(const QString& id);

    // The journal as written whole: every administration with its events, and no appended lines.
    static QByteArray toBytes(const QList<Administration>& list);
    // False for bytes that are not a journal, or that were damaged anywhere but in the last appended line.
    static bool fromBytes(const QByteArray& bytes, QList<Administration>& out, bool* tornTail = nullptr);
    // One appended line: event `e` of administration `id`, with a check of its own.
    static QByteArray eventLine(const QString& id, const JournalEvent& e);

private:
    FileError write(const QList<Administration>& next);
    FileError append(const Administration& administration, qsizetype from);

    QString m_path;
    QList<Administration> m_open;
    bool m_usable = false;
    // The file may end in a torn or failed append: the next change writes it whole, so no later line follows one.
    bool m_rewrite = false;
};
