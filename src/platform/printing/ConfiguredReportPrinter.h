#pragma once
// Prints on the printer, paper and copies (or into the file) that the printer dialog was left with.

#include "ReportPrinter.h"

#include <memory>

class QPrinter;

class ConfiguredReportPrinter final : public ReportPrinter {
public:
    explicit ConfiguredReportPrinter(std::unique_ptr<QPrinter> printer);
    ~ConfiguredReportPrinter() override;
    PrintOutcome print(const PrintJob& job) override;
    QString describe() const override;

private:
    std::unique_ptr<QPrinter> m_printer;
};
