#pragma once
// The printer dialog ("Print to…"), behind an interface so tests can answer it as a user would.

#include "ReportPrinter.h"

#include <memory>

class QWidget;

class PrinterChooser {
public:
    virtual ~PrinterChooser() = default;
    // Lets the user choose a printer (or a file) and the paper; what was chosen, ready to print, or null when the
    // user cancelled.
    virtual std::unique_ptr<ReportPrinter> choose(QWidget* parent, const QString& caption) = 0;
};
