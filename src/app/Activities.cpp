#include "Activities.h"

#include "AppContext.h"

MainMenuActivities MakeActivities(AppContext& ctx)
{
    Q_UNUSED(ctx);
    MainMenuActivities a;
    return a;
}

RealServices::RealServices(AppContext& ctx) : m_ctx(ctx) {}

RealServices::~RealServices() = default;
