#pragma once
// Wires the main menu's activities to the windows of the other subsystems, and the optional services to the context.

#include "frmMainMenu.h"

#include <functional>

struct AppContext;

MainMenuActivities MakeActivities(AppContext& ctx);

// The scan of an answer sheet with its review windows, for the entry-method window's scan button.
std::function<void(QWidget* parent)> MakeScanChain(AppContext& ctx);

// A batch of answer sheets, each reviewed through the same windows, for the main menu's Options menu.
std::function<void(QWidget* parent)> MakeScanBatch(AppContext& ctx);
