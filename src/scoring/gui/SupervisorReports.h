#pragma once
// The report commands as the supervisor window reaches them: scoring the current client, and the hooks of its
// Reports tab.

#include "ScoringError.h"

struct AppContext;
struct SupervisorServices;
class ReportOutput;

// ScoreAndReport for the current client with the program folder's data files and the installation's brand.
ScoringError ScoreCurrentClient(const AppContext& ctx);

// Sets the report window, the selection window, and scoring and printing (through `printAll`, which must outlive the
// hooks) for printing every client's report.
void SetReportServices(SupervisorServices& services, AppContext& ctx, ReportOutput& printAll);
