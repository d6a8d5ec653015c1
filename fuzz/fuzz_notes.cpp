// Reads arbitrary bytes as the notes file and as the journal, both of which a restore may bring back from a backup
// folder. Notes that read must write and read again alike and be shown and exported; every journalled
// administration must give notes for each item.

#include "AdministrationNotes.h"
#include "TestDefinition.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<NotesFile::Entry> entries, again;
    if (NotesFile::fromBytes(bytes, entries)) {
        if (!NotesFile::fromBytes(NotesFile::toBytes(entries), again) || again.size() != entries.size())
            __builtin_trap();
        for (const NotesFile::Entry& e : entries)
            if (e.notes.describe().isEmpty() || e.notes.exportFields().size() != 11)
                __builtin_trap();
        if (NotesFile::matching(entries, bytes).size() > entries.size())
            __builtin_trap();
    }
    QList<Administration> list;
    if (AdministrationJournal::fromBytes(bytes, list)) {
        for (const Administration& a : list) {
            const AdministrationNotes n =
                AdministrationNotes::compute(a, a.responses(NumItems), a.lastActivity().toMSecsSinceEpoch());
            if (n.itemMs.size() != NumItems || n.under2s < n.under1s || n.under2s > NumItems)
                __builtin_trap();
        }
    }
    return 0;
}
