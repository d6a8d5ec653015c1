#include "SystemReportPrinter.h"

#include "PagePainter.h"

#include <QPrinter>
#include <QPrinterInfo>

PrintOutcome SystemReportPrinter::print(const PrintJob& job)
{
    // With no print service or no queue there is no default printer; QPrinter would quietly have nothing to print on.
    const QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) {
        const bool none = QPrinterInfo::availablePrinterNames().isEmpty();
        return {PrintOutcome::Status::NoPrinter,
                none ? QStringLiteral("No printer is installed on this computer (or the print service is not "
                                      "running), so the report was not printed.")
                     : QStringLiteral("No printer is chosen as the default printer, so the report was not printed. "
                                      "Choose a default printer in the system's printer settings.")};
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    // The paper the queue is set up for; QPrinter would otherwise keep its own default (A4) on any printer.
    if (info.defaultPageSize().isValid())
        printer.setPageSize(info.defaultPageSize());
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    return PaintJob(printer, job, QStringLiteral("the printer %1").arg(name));
}

QString SystemReportPrinter::describe() const
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? QStringLiteral("the default printer (none set up)")
                          : QStringLiteral("the default printer ") + name;
}
