#pragma once
// Tests of a data location that were cut short: offered when the location opens, and continued from where the
// client stopped, on screen or in the answer grid.

#include <QString>
#include <functional>

struct AppContext;
class QWidget;

// Asks, for each interrupted test not set aside, whether to continue it now; No sets it aside. A test older than
// the settings' limit is only set aside.
void OfferInterruptedTests(AppContext& ctx, QWidget* parent, const std::function<void(QWidget*)>& answerGrid);

// Continues the interrupted test `id` (behind the secret code for an on-screen test).
void ContinueInterruptedTest(AppContext& ctx, QWidget* parent, const QString& id,
                             const std::function<void(QWidget*)>& answerGrid);
