#pragma once
// The results store as the running program uses it: the configured store of its settings, the open data location
// published there, and the store's summary.

#include "Publication.h"
#include "Summary.h"

#include "EarlierTests.h"

struct AppContext;

namespace Results {

// The settings' Results section, with the site folder of this program for the default store.
ResultsConfig ProgramResultsConfig(const AppContext& ctx);

// The store named by the settings, as a person reads it, or why it cannot be used.
QString ConfiguredStoreText(const AppContext& ctx);

// Publishes the open location to the configured store and records it in the location's audit trail.
PublishOutcome PublishOpenLocation(AppContext& ctx, const PasswordPrompt& ask, const PublishProgress& progress);

// The summary of the configured store as text; `error` says why there is none.
QString ConfiguredSummary(const AppContext& ctx, const PasswordPrompt& ask, QString* error);

// The key of `record` under the settings' agency key; empty without one.
QString ConfiguredClientKey(const AppContext& ctx, const ClientRecord& record);

// The current client's tests that the configured store holds from other data locations, found by the client key;
// none without an agency key or a store that can be read.
PastAdministrationSource StoreEarlierTests(const AppContext& ctx, const PasswordPrompt& ask);

} // namespace Results
