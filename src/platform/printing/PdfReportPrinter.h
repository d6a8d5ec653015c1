#pragma once
// "Prints" into a PDF file of Letter pages; the file appears only when the whole document was written.

#include "ReportPrinter.h"

class PdfReportPrinter final : public ReportPrinter {
public:
    explicit PdfReportPrinter(QString path) : m_path(std::move(path)) {}
    PrintOutcome print(const PrintJob& job) override;

private:
    QString m_path;
};
