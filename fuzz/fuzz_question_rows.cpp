// Checks rows decoded from arbitrary bytes as a question table; a table that passes is then taken as a whole test on
// screen, answering every item, which must end with one answer per item.

#include "FuzzRows.h"
#include "Presentation.h"
#include "QuestionSet.h"
#include "TestDefinition.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QStringList columns = {"ID",           "TestQuestion", "QuestionAudio", "ANSWER1",      "ANSWER2",
                                        "ANSWER3",      "ANSWER4",      "ANSWER5",       "ChoiceAudio1", "ChoiceAudio2",
                                        "ChoiceAudio3", "ChoiceAudio4", "ChoiceAudio5"};
    static const TableRows usual = [] {
        TableRows t;
        t.columns = columns;
        for (int n = 1; n <= NumItems; ++n)
            t.rows.append({n, QStringLiteral("Statement %1.").arg(n), QVariant(), QStringLiteral("True"),
                         QStringLiteral("False"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                           QVariant(), QVariant(), QVariant()});
        return t;
    }();
    FuzzRows input(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const TableRows rows = input.decode(usual);
    QString error;
    const std::optional<QuestionSet> set = QuestionSet::FromRows(rows, QStringLiteral("English"), "qn.mdb", &error);
    if (!set) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (set->Items.size() != NumItems)
        __builtin_trap();

    Presentation p(*set, QStringLiteral("English"));
    p.Start();
    for (int step = 0; step < 4 * NumItems && !p.IsFinished(); ++step) {
        if (p.InstructionsShowing()) {
            p.LeaveInstructions();
            continue;
        }
        int slot = 0;
        while (slot < QuestionItem::MaxAnswers && !p.SlotVisible(slot))
            ++slot;
        if (slot == QuestionItem::MaxAnswers)
            __builtin_trap(); // an item nobody can answer
        (void)p.QuestionText();
        (void)p.AnswerText(slot);
        p.SelectAnswer(slot);
    }
    if (!p.IsFinished() || p.Responses().size() != NumItems || p.Responses().contains(QLatin1Char('0')))
        __builtin_trap();
    return 0;
}
