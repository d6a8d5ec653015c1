#include "AdministrationNotes.h"

#include "PrivateFile.h"
#include "TestDefinition.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cerrno>
#include <unistd.h>

namespace {

QString when(qint64 ms)
{
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(ms);
    return at.toString(QStringLiteral("MM/dd/yyyy h:mm:ss AP"));
}

QString duration(qint64 ms)
{
    const qint64 s = (ms + 500) / 1000;
    return s >= 60 ? QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60) : QStringLiteral("%1 s").arg(s);
}

// A notes file for 51 clients is a few tens of kilobytes; anything far larger is not ours.
constexpr qint64 MostNotesBytes = 4 * 1024 * 1024;

} // namespace

AdministrationNotes AdministrationNotes::compute(const Administration& a, const QString& responses, qint64 savedMs)
{
    AdministrationNotes n;
    n.mode = a.mode;
    n.language = a.language;
    n.timed = a.mode == Administration::Mode::OnScreen;
    n.itemMs = QList<qint64>(NumItems, -1);
    QList<qint64> shownAt(NumItems + 1, -1);
    QList<int> lastAnswer(NumItems + 1, 0);
    qint64 first = -1, prev = -1, running = 0;
    n.endMs = savedMs;
    for (const JournalEvent& e : a.events) {
        if (e.answer == JournalEvent::Resumed) {
            // The time the program was down or the test set aside is not test time.
            ++n.interruptions;
            if (first >= 0)
                prev = e.ms;
            continue;
        }
        if (first < 0 && e.answer == JournalEvent::Shown)
            first = prev = e.ms;
        if (first >= 0) {
            const qint64 gap = e.ms - prev;
            running += gap;
            if (gap > LongPauseMs)
                ++n.longPauses;
            prev = e.ms;
        }
        if (e.item < 1 || e.item > NumItems)
            continue;
        if (e.answer == JournalEvent::Shown || e.answer == JournalEvent::AudioEnded)
            shownAt[e.item] = e.ms;
        if (!e.isAnswer())
            continue;
        if (lastAnswer[e.item] != 0 && lastAnswer[e.item] != e.answer)
            ++n.answersChanged;
        lastAnswer[e.item] = e.answer;
        if (n.itemMs[e.item - 1] < 0 && shownAt[e.item] >= 0)
            n.itemMs[e.item - 1] = e.ms - shownAt[e.item];
        if (first >= 0) {
            n.totalMs = running;
            n.endMs = e.ms;
        }
    }
    n.startMs = first >= 0 ? first : a.startedMs;
    if (!n.timed)
        n.endMs = savedMs;
    for (qint64 ms : n.itemMs) {
        n.under1s += ms >= 0 && ms < 1000;
        n.under2s += ms >= 0 && ms < 2000;
    }
    for (int s = 1; s <= 3; ++s) {
        int run = 0;
        QChar last;
        for (int i = SectionBounds[s - 1]; i < SectionBounds[s] && i < responses.size(); ++i) {
            const QChar c = responses.at(i);
            run = c == last ? run + 1 : 1;
            last = c;
            if (c != QLatin1Char('0') && c != QLatin1Char(' '))
                n.longestRun[s - 1] = std::max(n.longestRun[s - 1], run);
        }
    }
    return n;
}

QStringList AdministrationNotes::describe() const
{
    QStringList out;
    if (mode == Administration::Mode::OnScreen)
        out << QStringLiteral("Taken on screen in %1.")
                   .arg(language.isEmpty() ? QStringLiteral("an unknown language")
                                           : language.left(1).toUpper() + language.mid(1).toLower());
    else
        out << (mode == Administration::Mode::Paper ? QStringLiteral("Answered on paper and keyed.")
                                                    : QStringLiteral("Read from a scanned answer sheet."));
    out << QStringLiteral("Started %1, ended %2.").arg(when(startMs), when(endMs));
    if (timed) {
        out << QStringLiteral("Total time without interruptions: %1.").arg(duration(totalMs))
            << QStringLiteral("Items answered in under 1 second: %1; in under 2 seconds: %2.").arg(under1s).arg(under2s)
            << QStringLiteral("Answers changed by stepping back: %1.").arg(answersChanged)
            << QStringLiteral("Pauses over 2 minutes: %1.").arg(longPauses);
    } else {
        out << QStringLiteral("Answer times: timing not available.");
    }
    out << QStringLiteral("Longest run of one answer: section 1: %1, section 2: %2, section 3: %3.")
               .arg(longestRun[0])
               .arg(longestRun[1])
               .arg(longestRun[2])
        << QStringLiteral("Interruptions and resumes: %1.").arg(interruptions);
    return out;
}

QList<std::pair<QString, QJsonValue>> AdministrationNotes::exportFields() const
{
    const auto timedValue = [this](qint64 v) { return timed ? QJsonValue(v) : QJsonValue(); };
    return {{QStringLiteral("mode"), QString::fromLatin1(Administration::modeName(mode))},
            {QStringLiteral("language"), language.isEmpty() ? QJsonValue() : QJsonValue(language)},
            {QStringLiteral("total_seconds"), timedValue((totalMs + 500) / 1000)},
            {QStringLiteral("items_under_1s"), timedValue(under1s)},
            {QStringLiteral("items_under_2s"), timedValue(under2s)},
            {QStringLiteral("longest_run_section1"), longestRun[0]},
            {QStringLiteral("longest_run_section2"), longestRun[1]},
            {QStringLiteral("longest_run_section3"), longestRun[2]},
            {QStringLiteral("answers_changed"), timedValue(answersChanged)},
            {QStringLiteral("pauses_over_2min"), timedValue(longPauses)},
            {QStringLiteral("interruptions"), interruptions}};
}

QJsonObject AdministrationNotes::toJson() const
{
    QJsonArray items;
    for (qint64 ms : itemMs)
        items.append(ms);
    QJsonObject o{{QStringLiteral("mode"), QString::fromLatin1(Administration::modeName(mode))},
            {QStringLiteral("language"), language},
            {QStringLiteral("start"), startMs},
            {QStringLiteral("end"), endMs},
            {QStringLiteral("timed"), timed},
            {QStringLiteral("total"), totalMs},
            {QStringLiteral("items"), items},
            {QStringLiteral("runs"), QJsonArray{longestRun[0], longestRun[1], longestRun[2]}},
            {QStringLiteral("changed"), answersChanged},
            {QStringLiteral("pauses"), longPauses},
            {QStringLiteral("interruptions"), interruptions}};
    if (!id.isEmpty())
        o.insert(QStringLiteral("id"), id);
    if (!recorded)
        o.insert(QStringLiteral("recorded"), false);
    return o;
}

std::optional<AdministrationNotes> AdministrationNotes::fromJson(const QJsonObject& o)
{
    AdministrationNotes n;
    const QString mode = o.value(QStringLiteral("mode")).toString();
    if (mode != QLatin1String("screen") && mode != QLatin1String("paper") && mode != QLatin1String("scan"))
        return std::nullopt;
    n.mode = mode == QLatin1String("paper")  ? Administration::Mode::Paper
             : mode == QLatin1String("scan") ? Administration::Mode::Scan
                                             : Administration::Mode::OnScreen;
    n.language = o.value(QStringLiteral("language")).toString();
    n.id = o.value(QStringLiteral("id")).toString();
    n.recorded = o.value(QStringLiteral("recorded")).toBool(true);
    n.startMs = o.value(QStringLiteral("start")).toInteger();
    n.endMs = o.value(QStringLiteral("end")).toInteger();
    n.timed = o.value(QStringLiteral("timed")).toBool();
    n.totalMs = o.value(QStringLiteral("total")).toInteger();
    for (const QJsonValue& v : o.value(QStringLiteral("items")).toArray())
        n.itemMs << v.toInteger(-1);
    const QJsonArray runs = o.value(QStringLiteral("runs")).toArray();
    for (int s = 0; s < 3; ++s)
        n.longestRun[s] = runs.at(s).toInt();
    n.answersChanged = o.value(QStringLiteral("changed")).toInt();
    n.longPauses = o.value(QStringLiteral("pauses")).toInt();
    n.interruptions = o.value(QStringLiteral("interruptions")).toInt();
    for (qint64 ms : n.itemMs) {
        n.under1s += ms >= 0 && ms < 1000;
        n.under2s += ms >= 0 && ms < 2000;
    }
    return n;
}

QByteArray NotesFile::fingerprint(const ClientRecord& r)
{
    ClientRecord rest = r;
    rest.Name.clear();
    rest.DOB.clear();
    rest.EditCount.clear();
    rest.NameDeleted.clear();
    return QCryptographicHash::hash(rest.toBytes(), QCryptographicHash::Sha256).toHex();
}

QByteArray NotesFile::toBytes(const QList<Entry>& entries)
{
    QJsonArray all;
    for (const Entry& e : entries)
        all.append(QJsonObject{{QStringLiteral("slot"), e.slot},
                               {QStringLiteral("fingerprint"), QString::fromLatin1(e.fingerprint)},
                               {QStringLiteral("notes"), e.notes.toJson()}});
    return QJsonDocument(QJsonObject{{QStringLiteral("notes"), all}}).toJson(QJsonDocument::Compact);
}

bool NotesFile::fromBytes(const QByteArray& bytes, QList<Entry>& out)
{
    out.clear();
    QJsonParseError problem;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &problem);
    if (problem.error != QJsonParseError::NoError || !doc.isObject() ||
        !doc.object().value(QStringLiteral("notes")).isArray())
        return false;
    for (const QJsonValue& v : doc.object().value(QStringLiteral("notes")).toArray()) {
        const QJsonObject o = v.toObject();
        const std::optional<AdministrationNotes> notes =
            AdministrationNotes::fromJson(o.value(QStringLiteral("notes")).toObject());
        const int slot = o.value(QStringLiteral("slot")).toInt();
        if (!notes || slot < 1)
            return false;
        out.append({slot, o.value(QStringLiteral("fingerprint")).toString().toLatin1(), *notes});
    }
    return true;
}

bool NotesFile::read(const QString& path, QList<Entry>& out)
{
    out.clear();
    QByteArray bytes;
    const int err = PrivateFile::Read(path, bytes, MostNotesBytes);
    if (err == ENOENT)
        return true;
    return !err && fromBytes(bytes, out);
}

QString NotesFile::write(const QString& path, const QList<Entry>& entries)
{
    int err = 0;
    if (entries.isEmpty())
        err = ::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT ? errno : 0;
    else
        err = PrivateFile::Replace(path, toBytes(entries));
    if (err)
        return QStringLiteral("The administration notes %1 could not be written: %2.")
            .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err));
    return {};
}

std::optional<AdministrationNotes> NotesFile::find(const QList<Entry>& entries, int slot, const ClientRecord& record)
{
    const QByteArray print = fingerprint(record);
    for (const Entry& e : entries)
        if (e.slot == slot && e.fingerprint == print)
            return e.notes.recorded ? std::optional(e.notes) : std::nullopt;
    return std::nullopt;
}

QString NotesFile::identity(const QList<Entry>& entries, int slot, const ClientRecord& record)
{
    const QByteArray print = fingerprint(record);
    for (const Entry& e : entries)
        if (e.slot == slot && e.fingerprint == print)
            return e.notes.id;
    return {};
}

QString NotesFile::keepIdentities(const QString& path, const QList<std::pair<int, QString>>& ids,
                                  const QList<ClientRecord>& records)
{
    QList<Entry> entries;
    // A notes file that cannot be read is not replaced here: its figures would be lost for an identity.
    if (!read(path, entries))
        return QStringLiteral("The administration notes %1 cannot be read, so no identity was kept in them.")
            .arg(QDir::toNativeSeparators(path));
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const int slot = ids[i].first;
        const QString& id = ids[i].second;
        const QByteArray print = fingerprint(records[i]);
        auto kept = std::find_if(entries.begin(), entries.end(),
                                 [&](const Entry& e) { return e.slot == slot && e.fingerprint == print; });
        if (kept == entries.end()) {
            entries.removeIf([slot](const Entry& e) { return e.slot == slot; });
            AdministrationNotes bare;
            bare.recorded = false;
            bare.id = id;
            entries.append({slot, print, bare});
        } else if (kept->notes.id.isEmpty()) {
            kept->notes.id = id;
        }
    }
    return write(path, entries);
}

QString NotesFile::keep(const QString& path, int slot, const ClientRecord& record, const AdministrationNotes& notes)
{
    QList<Entry> entries;
    // A damaged notes file is replaced: the notes are a summary, and the client's record stays whole either way.
    read(path, entries);
    entries.removeIf([slot](const Entry& e) { return e.slot == slot; });
    entries.append({slot, fingerprint(record), notes});
    return write(path, entries);
}

QString NotesFile::follow(const QString& path, int slot, const ClientRecord& before, const ClientRecord& after)
{
    const QByteArray was = fingerprint(before), now = fingerprint(after);
    QList<Entry> entries;
    if (was == now || !read(path, entries))
        return {};
    bool changed = false;
    for (Entry& e : entries) {
        if (e.slot == slot && e.fingerprint == was) {
            e.fingerprint = now;
            changed = true;
        }
    }
    return changed ? write(path, entries) : QString();
}

QList<NotesFile::Entry> NotesFile::matching(const QList<Entry>& entries, QByteArrayView clientFile)
{
    QList<Entry> out;
    for (const Entry& e : entries) {
        const qsizetype at = qsizetype(e.slot - 1) * ClientRecord::Size;
        if (at + ClientRecord::Size > clientFile.size())
            continue;
        const bool taken = std::any_of(out.begin(), out.end(), [&](const Entry& o) { return o.slot == e.slot; });
        if (!taken && fingerprint(ClientRecord::fromBytes(clientFile.sliced(at, ClientRecord::Size))) == e.fingerprint)
            out.append(e);
    }
    return out;
}
