#pragma once
// Wires the main menu's activities to the windows of the other subsystems, and the optional services to the context.

#include "EarlierTests.h"
#include "frmMainMenu.h"

#include <functional>

struct AppContext;

// `elsewhere` gives the current client's earlier tests held beyond the data location (none when empty).
MainMenuActivities MakeActivities(AppContext& ctx, const PastAdministrationSource& elsewhere = {});

// The scan of an answer sheet with its review windows, for the entry-method window's scan button.
std::function<void(QWidget* parent)> MakeScanChain(AppContext& ctx);

// A batch of answer sheets, each reviewed through the same windows, for the main menu's Options menu.
std::function<void(QWidget* parent)> MakeScanBatch(AppContext& ctx);
