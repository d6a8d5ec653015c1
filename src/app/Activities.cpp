#include "Activities.h"

#include "AppContext.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"

MainMenuActivities MakeActivities(AppContext& ctx)
{
    MainMenuActivities a;
    a.clientInformation = [&ctx](QWidget* parent) { RunClientInfo(ctx, parent); };
    a.courtHistory = [&ctx](QWidget* parent) { RunCourtHistory(ctx, parent); };
    return a;
}

RealServices::RealServices(AppContext& ctx) : m_ctx(ctx) {}

RealServices::~RealServices() = default;
