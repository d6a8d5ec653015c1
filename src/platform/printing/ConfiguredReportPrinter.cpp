#include "ConfiguredReportPrinter.h"

#include "PagePainter.h"

#include <QDir>
#include <QPrinter>

ConfiguredReportPrinter::ConfiguredReportPrinter(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

ConfiguredReportPrinter::~ConfiguredReportPrinter() = default;

PrintOutcome ConfiguredReportPrinter::print(const PrintJob& job)
{
    const QString file = m_printer->outputFileName();
    const QString destination = file.isEmpty() ? QStringLiteral("the printer %1").arg(m_printer->printerName())
                                               : QStringLiteral("the file %1").arg(QDir::toNativeSeparators(file));
    return PaintJob(*m_printer, job, destination);
}

QString ConfiguredReportPrinter::describe() const
{
    if (!m_printer->outputFileName().isEmpty())
        return QStringLiteral("file ") + m_printer->outputFileName();
    return QStringLiteral("printer ") + m_printer->printerName();
}
