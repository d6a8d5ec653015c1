#include "InterruptedTests.h"

#include "AppContext.h"
#include "Prompts.h"
#include "Settings.h"
#include "TestDefinition.h"
#include "frmMyInputBox.h"
#include "frmPresentQA.h"

#include <QLocale>

namespace {

QString clientName(const Administration& a)
{
    return ClientRecord::fromBytes(a.record).Name.trimmed();
}

QString InterruptedQuestion(const Administration& a)
{
    const QDateTime at = a.lastActivity();
    return QStringLiteral("The test of %1 was interrupted after item %2 of %3 on %4 at %5. Continue it now?")
        .arg(clientName(a))
        .arg(a.lastItem())
        .arg(NumItems)
        .arg(at.date().toString(QStringLiteral("MM/dd/yyyy")), at.time().toString(QStringLiteral("h:mm AP")));
}

} // namespace

void OfferInterruptedTests(AppContext& ctx, QWidget* parent, const std::function<void(QWidget*)>& answerGrid)
{
    if (const FileError e = ctx.client.journalProblem()) {
        ctx.prompts.message(e.description, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
        return;
    }
    const int hours = GetINIResumeHours(ctx.settings);
    for (const Administration& a : ctx.client.interrupted()) {
        if (a.setAside)
            continue;
        if (ctx.client.tooOld(a, hours)) {
            ctx.prompts.message(QStringLiteral("The test of %1 was interrupted after item %2 of %3, more than %4 hours "
                                               "ago. It is too old to be continued and is set aside.")
                                    .arg(clientName(a))
                                    .arg(a.lastItem())
                                    .arg(NumItems)
                                    .arg(hours),
                                AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
            ctx.client.setAside(a.id);
            continue;
        }
        if (ctx.prompts.message(InterruptedQuestion(a), AppTitle(), Prompts::Icon::Question,
                                Prompts::Buttons::YesNo) == Prompts::Answer::Yes)
            ContinueInterruptedTest(ctx, parent, a.id, answerGrid);
        else
            ctx.client.setAside(a.id);
    }
}

void ContinueInterruptedTest(AppContext& ctx, QWidget* parent, const QString& id,
                             const std::function<void(QWidget*)>& answerGrid)
{
    ctx.flags.ContinueFlag = false;
    if (!ctx.client.resume(id, AppTitle()))
        return;
    const Administration a = *ctx.client.administration();
    if (a.mode == Administration::Mode::Paper) {
        if (answerGrid)
            answerGrid(parent);
        // Cancel in the grid gives the test up; any other way out keeps it for later.
        if (ctx.client.administration())
            ctx.client.setAside();
        return;
    }
    if (!AskSecretCode(ctx, parent)) {
        ctx.client.setAside();
        return;
    }
    frmPresentQA presentation(ctx, parent);
    presentation.Language = a.language;
    QString problem;
    if (!presentation.Load(&problem)) {
        ctx.prompts.message(problem + QStringLiteral("\r\rThe test cannot be continued now; it is kept for later."),
                            QStringLiteral("Question Database"), Prompts::Icon::Critical, Prompts::Buttons::Ok);
        ctx.client.setAside();
        return;
    }
    presentation.ResumeResponses = a.responses(NumItems);
    presentation.ResumeAt = a.lastItem() + 1;
    presentation.exec();
    if (ctx.flags.ContinueFlag) {
        while (!AskSecretCode(ctx, parent)) {
        }
    }
}
