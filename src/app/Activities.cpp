#include "Activities.h"

#include "AnswerSheetPrinting.h"
#include "AppContext.h"
#include "ReportOutput.h"
#include "ScanChain.h"
#include "SupervisorReports.h"
#include "frmClientInfo.h"
#include "frmEarlierTests.h"
#include "frmCourtHistory.h"
#include "InterruptedTests.h"
#include "ProgramResults.h"
#include "frmNewEntry.h"
#include "frmScanBatch.h"
#include "frmSelectEntryMethod.h"
#include "frmSupervisorOptions.h"
#include "frmVerify.h"

namespace {

EntryChainWindows chainWindows(AppContext& ctx)
{
    EntryChainWindows windows;
    windows.clientInformation = [&ctx](QWidget* p) { RunClientInfo(ctx, p); };
    windows.courtHistory = [&ctx](QWidget* p) { RunCourtHistory(ctx, p); };
    windows.answerGrid = [&ctx](QWidget* p) { RunNewEntry(ctx, p); };
    windows.scanChain = MakeScanChain(ctx);
    return windows;
}

} // namespace

MainMenuActivities MakeActivities(AppContext& ctx, const PastAdministrationSource& elsewhere)
{
    MainMenuActivities a;
    a.clientInformation = [&ctx](QWidget* parent) { RunClientInfo(ctx, parent); };
    a.courtHistory = [&ctx](QWidget* parent) { RunCourtHistory(ctx, parent); };
    a.answerGrid = [&ctx](QWidget* parent) { RunNewEntry(ctx, parent); };
    a.interruptedTests = [&ctx](QWidget* parent) { OfferInterruptedTests(ctx, parent, chainWindows(ctx)); };
    a.entryMethod = [&ctx](QWidget* parent) { RunSelectEntryMethod(ctx, parent, chainWindows(ctx)); };
    const Results::PasswordPrompt askStorePassword = [&ctx](const QString& question) {
        return ctx.prompts.askSecret(QStringLiteral("Results Store"), question);
    };
    // Without another source the client's tests kept in the configured results store are the ones elsewhere.
    const PastAdministrationSource earlier = elsewhere ? elsewhere : Results::StoreEarlierTests(ctx, askStorePassword);
    a.supervisorOptions = [&ctx, earlier, askStorePassword](QWidget* parent) {
        SupervisorServices services;
        services.askStorePassword = [askStorePassword](QWidget*, const QString& q) { return askStorePassword(q); };
        services.verify = [&ctx](QWidget* p) { RunVerify(ctx, p); };
        services.continueTest = [&ctx](QWidget* p, const QString& id) {
            ContinueInterruptedTest(ctx, p, id, chainWindows(ctx), /*codeGiven=*/true);
        };
        services.earlierTests = [&ctx, &earlier](QWidget* p) { RunEarlierTests(ctx, p, earlier); };
        ReportOutput printAll(ctx, true);
        SetReportServices(services, ctx, printAll);
        RunSupervisorOptions(ctx, parent, services);
        printAll.tellSaved();
    };
    a.printAnswerSheet = [&ctx](QWidget* parent) { RunPrintAnswerSheet(ctx, parent); };
    a.scanBatch = MakeScanBatch(ctx);
    return a;
}

namespace {

ScanReviewWindows reviewWindows(AppContext& ctx)
{
    ScanReviewWindows windows;
    windows.clientInformation = [&ctx](QWidget* p, const ClientInfoPrefill& values) { RunClientInfo(ctx, p, values); };
    windows.courtHistory = [&ctx](QWidget* p, const CourtHistoryPrefill& values) { RunCourtHistory(ctx, p, values); };
    windows.answerGrid = [&ctx](QWidget* p) { RunNewEntry(ctx, p); };
    return windows;
}

} // namespace

std::function<void(QWidget* parent)> MakeScanChain(AppContext& ctx)
{
    return [&ctx](QWidget* parent) { RunScanChain(ctx, parent, reviewWindows(ctx)); };
}

std::function<void(QWidget* parent)> MakeScanBatch(AppContext& ctx)
{
    return [&ctx](QWidget* parent) { RunScanBatch(ctx, parent, reviewWindows(ctx)); };
}
