#include "SupervisorReports.h"

#include "AppContext.h"
#include "ReportOutput.h"
#include "ReportWriter.h"
#include "ScoreAndReport.h"
#include "frmPrintSelected.h"
#include "frmSupervisorOptions.h"
#include "frmViewReport.h"

ScoringError ScoreCurrentClient(const AppContext& ctx)
{
    const QChar brand = ctx.BrandCode.isEmpty() ? PublisherBrandCode : ctx.BrandCode.at(0);
    return ScoreAndReport(ctx.programDir, ctx.table, brand);
}

void SetReportServices(SupervisorServices& services, AppContext& ctx, ReportOutput& printAll)
{
    services.viewReport = [&ctx](QWidget* parent) { RunViewReport(ctx, parent); };
    services.printSelected = [&ctx](QWidget* parent) { RunPrintSelected(ctx, parent); };
    services.scoreAndReport = [&ctx] { return ScoreCurrentClient(ctx).message; };
    services.printReport = [&ctx, &printAll] { return printAll.print(ctx.table.CurClient); };
}
