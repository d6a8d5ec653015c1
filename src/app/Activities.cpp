#include "Activities.h"

#include "AppContext.h"
#include "frmNewEntry.h"
#include "frmSupervisorOptions.h"
#include "frmVerify.h"

MainMenuActivities MakeActivities(AppContext& ctx)
{
    MainMenuActivities a;
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
