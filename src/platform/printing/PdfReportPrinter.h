#pragma once
// "Prints" into a PDF file (Letter pages unless told otherwise); the file appears only when the whole document was
// written.

#include "ReportPrinter.h"

#include <QPageSize>

class PdfReportPrinter final : public ReportPrinter {
public:
    explicit PdfReportPrinter(QString path, QPageSize::PageSizeId paper = QPageSize::Letter)
        : m_path(std::move(path)), m_paper(paper)
    {
    }
    PrintOutcome print(const PrintJob& job) override;

private:
    QString m_path;
    QPageSize::PageSizeId m_paper;
};
