#include "Activities.h"

#include "AppContext.h"
#include "frmNewEntry.h"

MainMenuActivities MakeActivities(AppContext& ctx)
{
    MainMenuActivities a;
    a.answerGrid = [&ctx](QWidget* parent) { RunNewEntry(ctx, parent); };
    return a;
}

RealServices::RealServices(AppContext& ctx) : m_ctx(ctx) {}

RealServices::~RealServices() = default;
