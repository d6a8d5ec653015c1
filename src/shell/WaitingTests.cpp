#include "WaitingTests.h"

#include "ClientRecord.h"
#include "CurrentClient.h"
#include "TestDefinition.h"

QStringList WaitingTest::columns() const
{
    const Administration& a = administration;
    return {name, a.mode == Administration::Mode::Paper ? QStringLiteral("answer sheet") : QStringLiteral("on screen"),
            QStringLiteral("%1 of %2").arg(answered).arg(NumItems),
            a.lastActivity().toString(QStringLiteral("MM/dd/yyyy h:mm AP")) +
                (tooOld ? QStringLiteral(" (too old to continue)") : QString())};
}

QList<WaitingTest> WaitingTests(CurrentClient& client, int hours)
{
    QList<WaitingTest> out;
    for (const Administration& a : client.interrupted()) {
        WaitingTest t;
        t.administration = a;
        t.name = ClientRecord::fromBytes(a.record).Name.trimmed();
        t.answered = static_cast<int>(NumItems - a.responses(NumItems).count(QLatin1Char('0')));
        t.tooOld = client.tooOld(a, hours);
        out.append(t);
    }
    return out;
}

ContinueStep StepToContinue(const Administration& a)
{
    const ClientRecord r = ClientRecord::fromBytes(a.record);
    for (const QString& count : {r.DrugArrests, r.AlcoholArrests, r.Assaults, r.DVArrests, r.Anger}) {
        if (count.trimmed().isEmpty())
            return ContinueStep::CourtHistory;
    }
    if (a.mode == Administration::Mode::Paper)
        return ContinueStep::AnswerGrid;
    return a.language.isEmpty() ? ContinueStep::Language : ContinueStep::Presentation;
}

int FirstItemToContinue(const Administration& a)
{
    const QString responses = a.responses(NumItems);
    int last = 0;
    for (const JournalEvent& e : a.events) {
        if (e.item >= 1 && e.item <= NumItems)
            last = e.item;
    }
    const qsizetype after = responses.indexOf(QLatin1Char('0'), last);
    const qsizetype first = after >= 0 ? after : responses.indexOf(QLatin1Char('0'));
    return static_cast<int>(first + 1);
}
