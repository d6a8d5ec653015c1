#include "Activities.h"

#include "AppContext.h"
#include "frmSupervisorOptions.h"

MainMenuActivities MakeActivities(AppContext& ctx)
{
    MainMenuActivities a;
    a.supervisorOptions = [&ctx](QWidget* parent) {
        SupervisorServices services;
        RunSupervisorOptions(ctx, parent, services);
    };
    return a;
}

RealServices::RealServices(AppContext& ctx) : m_ctx(ctx) {}

RealServices::~RealServices() = default;
