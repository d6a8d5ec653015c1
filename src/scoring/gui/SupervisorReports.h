#pragma once
// The report commands as the supervisor window reaches them: scoring the current client, and the hooks of its
// Reports and Export tabs.

#include "ScoringError.h"
#include "frmSupervisorOptions.h"

struct AppContext;
class ReportOutput;

// ScoreAndReport for the current client with the program folder's data files and the installation's brand.
ScoringError ScoreCurrentClient(const AppContext& ctx);

// Scores every client and writes the scores to `path` (CSV or JSON, with or without names), safely; what to tell the
// supervisor.
OperationOutcome ExportScoresToFile(const AppContext& ctx, const QString& path, bool json, bool deidentified);

// Sets the report window, the selection window, and scoring and printing (through `printAll`, which must outlive the
// hooks) for printing every client's report.
void SetReportServices(SupervisorServices& services, AppContext& ctx, ReportOutput& printAll);
