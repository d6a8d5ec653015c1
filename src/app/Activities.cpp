#include "Activities.h"

#include "AppContext.h"
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
        RunSupervisorOptions(ctx, parent, services);
    };
    return a;
}

RealServices::RealServices(AppContext& ctx) : m_ctx(ctx) {}

RealServices::~RealServices() = default;
