#pragma once
// The system's printer dialog: printer or PDF file, paper and copies.

#include "PrinterChooser.h"

class QtPrinterChooser final : public PrinterChooser {
public:
    std::unique_ptr<ReportPrinter> choose(QWidget* parent, const QString& caption) override;
};
