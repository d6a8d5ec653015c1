#pragma once
// Tests of a data location that were cut short: offered when the location opens, and continued from where the
// client stopped, on screen or in the answer grid.

#include <QString>

struct AppContext;
struct EntryChainWindows;
class QWidget;

// Asks, for each interrupted test not set aside, whether to continue it now; No sets it aside. A test older than
// the settings' limit is only set aside.
void OfferInterruptedTests(AppContext& ctx, QWidget* parent, const EntryChainWindows& windows);

// Continues the interrupted test `id` where it stopped: the court history, the language choice, the presentation
// or the answer grid. An on-screen test asks for the secret code first unless `codeGiven`.
void ContinueInterruptedTest(AppContext& ctx, QWidget* parent, const QString& id, const EntryChainWindows& windows,
                             bool codeGiven = false);
