#pragma once
// Prints on the system's default printer (through CUPS on Linux).

#include "ReportPrinter.h"

class SystemReportPrinter final : public ReportPrinter {
public:
    PrintOutcome print(const PrintJob& job) override;
    QString describe() const override;
};
