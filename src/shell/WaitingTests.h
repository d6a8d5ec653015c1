#pragma once
// The tests of the open data location that were cut short or set aside: which wait to be continued, which are too
// old for that, and in which window each goes on.

#include "AdministrationJournal.h"

#include <QStringList>

class CurrentClient;

struct WaitingTest {
    Administration administration;
    QString name;
    int answered = 0;    // items with an answer
    bool tooOld = false; // began longer ago than the limit: it can only be abandoned

    // What the supervisor sees of it: name, mode, items answered, when it last went on.
    QStringList columns() const;
};

// Every test of the open location that waits, oldest first; one that began more than `hours` ago is too old.
QList<WaitingTest> WaitingTests(CurrentClient& client, int hours);

// Where an administration goes on: where the client stopped. An on-screen test stopped before its court history
// was accepted (every accepted count is a number or N) goes on there; one stopped before a language was chosen at
// the language choice.
enum class ContinueStep { CourtHistory, Language, Presentation, AnswerGrid };
ContinueStep StepToContinue(const Administration& a);

// The first item to show of an administration that goes on: the first item without an answer after the last one
// answered (so items the client or keyer passed over stay passed over), or the first without one before it.
// 0 when every item has an answer.
int FirstItemToContinue(const Administration& a);
