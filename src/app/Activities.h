#pragma once
// Wires the main menu's activities to the windows of the other subsystems, and the optional services to the context.

#include "frmMainMenu.h"

#include <memory>

struct AppContext;
class QtAudio;

MainMenuActivities MakeActivities(AppContext& ctx);

// Owns the real printer, audio and scanner of a run and sets them in the context.
class RealServices {
public:
    explicit RealServices(AppContext& ctx);
    ~RealServices();

private:
    AppContext& m_ctx;
    std::unique_ptr<QtAudio> m_audio;
};
