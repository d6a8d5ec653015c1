#include "Activities.h"

#include "AppContext.h"
#include "ReportOutput.h"
#include "SupervisorReports.h"
#include "SystemReportPrinter.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"
#include "frmNewEntry.h"
#include "frmSupervisorOptions.h"
#include "frmVerify.h"

MainMenuActivities MakeActivities(AppContext& ctx)
{
    MainMenuActivities a;
    a.clientInformation = [&ctx](QWidget* parent) { RunClientInfo(ctx, parent); };
    a.courtHistory = [&ctx](QWidget* parent) { RunCourtHistory(ctx, parent); };
    a.answerGrid = [&ctx](QWidget* parent) { RunNewEntry(ctx, parent); };
    a.supervisorOptions = [&ctx](QWidget* parent) {
        SupervisorServices services;
        services.verify = [&ctx](QWidget* p) { RunVerify(ctx, p); };
        ReportOutput printAll(ctx, true);
        SetReportServices(services, ctx, printAll);
        RunSupervisorOptions(ctx, parent, services);
        printAll.tellSaved();
    };
    return a;
}

RealServices::RealServices(AppContext& ctx) : m_ctx(ctx), m_printer(std::make_unique<SystemReportPrinter>())
{
    m_ctx.printer = m_printer.get();
}

RealServices::~RealServices()
{
    m_ctx.printer = nullptr;
}
