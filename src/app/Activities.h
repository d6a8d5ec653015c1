#pragma once
// Wires the main menu's activities to the windows of the other subsystems, and the optional services to the context.

#include "frmMainMenu.h"

#include <functional>
#include <memory>

struct AppContext;
class QtAudio;
class Scanner;
class SystemReportPrinter;

MainMenuActivities MakeActivities(AppContext& ctx);

// The scan of an answer sheet with its review windows, for the entry-method window's scan button.
std::function<void(QWidget* parent)> MakeScanChain(AppContext& ctx);

// Owns the real printer, audio and scanner of a run and sets them in the context.
class RealServices {
public:
    explicit RealServices(AppContext& ctx);
    ~RealServices();

private:
    AppContext& m_ctx;
    std::unique_ptr<SystemReportPrinter> m_printer;
    std::unique_ptr<QtAudio> m_audio;
    std::unique_ptr<Scanner> m_scanner;
};
