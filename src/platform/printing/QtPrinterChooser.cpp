#include "QtPrinterChooser.h"

#include "ConfiguredReportPrinter.h"

#include <QPrintDialog>
#include <QPrinter>

std::unique_ptr<ReportPrinter> QtPrinterChooser::choose(QWidget* parent, const QString& caption)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setFullPage(false);
    printer->setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(caption);
    // Reports print whole: no page ranges or selections to offer.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<ConfiguredReportPrinter>(std::move(printer));
}
