#pragma once
// A printer dialog answered by the test: it hands out its own fake printer, or is cancelled.

#include "FakeReportPrinter.h"
#include "PrinterChooser.h"

#include <QStringList>

class FakePrinterChooser final : public PrinterChooser {
public:
    FakeReportPrinter printer; // every job printed on what was "chosen"
    bool cancel = false;
    QStringList asked; // the captions, in order

    std::unique_ptr<ReportPrinter> choose(QWidget*, const QString& caption) override
    {
        asked << caption;
        if (cancel)
            return nullptr;
        struct Chosen final : ReportPrinter {
            FakeReportPrinter& target;
            explicit Chosen(FakeReportPrinter& t) : target(t) {}
            PrintOutcome print(const PrintJob& job) override { return target.print(job); }
        };
        return std::make_unique<Chosen>(printer);
    }
};
