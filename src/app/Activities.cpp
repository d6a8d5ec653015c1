#include "Activities.h"

#include "AppContext.h"
#include "QtAudio.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"
#include "frmNewEntry.h"
#include "frmSelectEntryMethod.h"
#include "frmSupervisorOptions.h"
#include "frmVerify.h"

MainMenuActivities MakeActivities(AppContext& ctx)
{
    MainMenuActivities a;
    a.clientInformation = [&ctx](QWidget* parent) { RunClientInfo(ctx, parent); };
    a.courtHistory = [&ctx](QWidget* parent) { RunCourtHistory(ctx, parent); };
    a.answerGrid = [&ctx](QWidget* parent) { RunNewEntry(ctx, parent); };
    a.entryMethod = [&ctx](QWidget* parent) {
        EntryChainWindows windows;
        windows.clientInformation = [&ctx](QWidget* p) { RunClientInfo(ctx, p); };
        windows.courtHistory = [&ctx](QWidget* p) { RunCourtHistory(ctx, p); };
        windows.answerGrid = [&ctx](QWidget* p) { RunNewEntry(ctx, p); };
        // The scan button does nothing until the scanner's windows are part of the program.
        RunSelectEntryMethod(ctx, parent, windows);
    };
    a.supervisorOptions = [&ctx](QWidget* parent) {
        SupervisorServices services;
        services.verify = [&ctx](QWidget* p) { RunVerify(ctx, p); };
        RunSupervisorOptions(ctx, parent, services);
    };
    return a;
}

RealServices::RealServices(AppContext& ctx) : m_ctx(ctx), m_audio(std::make_unique<QtAudio>())
{
    // Without a sound server the audio says so, and the presentation runs silently.
    m_ctx.audio = m_audio.get();
}

RealServices::~RealServices()
{
    m_ctx.audio = nullptr;
}
