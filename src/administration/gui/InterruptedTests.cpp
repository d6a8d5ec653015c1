#include "InterruptedTests.h"

#include "AppContext.h"
#include "Prompts.h"
#include "Settings.h"
#include "TestDefinition.h"
#include "WaitingTests.h"
#include "frmMyInputBox.h"
#include "frmSelectEntryMethod.h"

namespace {

QString InterruptedQuestion(const WaitingTest& t)
{
    const QDateTime at = t.administration.lastActivity();
    return QStringLiteral("The test of %1 was interrupted after item %2 of %3 on %4 at %5. Continue it now?")
        .arg(t.name)
        .arg(t.administration.lastItem())
        .arg(NumItems)
        .arg(at.date().toString(QStringLiteral("MM/dd/yyyy")), at.time().toString(QStringLiteral("h:mm AP")));
}

bool run(AppContext& ctx, QWidget* parent, const std::function<void(QWidget*)>& window)
{
    ctx.flags.ContinueFlag = false;
    if (window)
        window(parent);
    return ctx.flags.ContinueFlag;
}

} // namespace

void OfferInterruptedTests(AppContext& ctx, QWidget* parent, const EntryChainWindows& windows)
{
    const int hours = GetINIResumeHours(ctx.settings);
    const QList<WaitingTest> waiting = WaitingTests(ctx.client, hours);
    if (const FileError e = ctx.client.journalProblem()) {
        ctx.prompts.message(e.description, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
        return;
    }
    for (const WaitingTest& t : waiting) {
        const Administration& a = t.administration;
        if (a.setAside)
            continue;
        if (t.tooOld) {
            ctx.prompts.message(QStringLiteral("The test of %1 was interrupted after item %2 of %3, more than %4 hours "
                                               "ago. It is too old to be continued and is set aside.")
                                    .arg(t.name)
                                    .arg(a.lastItem())
                                    .arg(NumItems)
                                    .arg(hours),
                                AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
            ctx.client.setAside(a.id);
            continue;
        }
        if (ctx.prompts.message(InterruptedQuestion(t), AppTitle(), Prompts::Icon::Question,
                                Prompts::Buttons::YesNo) == Prompts::Answer::Yes)
            ContinueInterruptedTest(ctx, parent, a.id, windows);
        else
            ctx.client.setAside(a.id);
    }
}

void ContinueInterruptedTest(AppContext& ctx, QWidget* parent, const QString& id, const EntryChainWindows& windows,
                             bool codeGiven)
{
    ctx.flags.ContinueFlag = false;
    if (!ctx.client.resume(id, AppTitle()))
        return;
    const Administration a = *ctx.client.administration();
    const bool onScreen = a.mode != Administration::Mode::Paper;
    if (onScreen && !codeGiven && !AskSecretCode(ctx, parent)) {
        ctx.client.setAside();
        return;
    }
    // Cancel in a window gives the test up, as in the chain it began in; any other way out keeps it for later.
    const bool goOn = StepToContinue(a) != ContinueStep::CourtHistory || run(ctx, parent, windows.courtHistory);
    if (goOn && !onScreen)
        run(ctx, parent, windows.answerGrid);
    if (!goOn || !onScreen) {
        if (ctx.client.administration())
            ctx.client.setAside();
        return;
    }
    // A test stopped before its first answer begins at its start, general instructions first.
    const int next = ctx.client.resumedAt();
    const int at = a.lastItem() == 0 ? 0 : next > 0 ? next : NumItems + 1;
    GiveTestOnScreen(ctx, parent, {a.language, a.responses(NumItems), at, /*resumed=*/true});
}
