#pragma once
// A printer that keeps every job it is given, or refuses with a chosen outcome.

#include "ReportPrinter.h"

#include <QList>
#include <optional>

class FakeReportPrinter final : public ReportPrinter {
public:
    QList<PrintJob> jobs;
    // When set, print() answers with it and keeps nothing (a printer that is missing or fails).
    std::optional<PrintOutcome> refuseWith;

    PrintOutcome print(const PrintJob& job) override
    {
        if (refuseWith)
            return *refuseWith;
        jobs.append(job);
        return {};
    }
};
