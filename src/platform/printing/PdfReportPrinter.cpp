#include "PdfReportPrinter.h"

#include "PagePainter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <cstdio>

PrintOutcome PdfReportPrinter::print(const PrintJob& job)
{
    const QString target = QFileInfo(m_path).absoluteFilePath();
    const QString partial = target + QStringLiteral(".part");
    const QString shown = QStringLiteral("the file %1").arg(QDir::toNativeSeparators(target));
    {
        QFile probe(partial);
        if (!probe.open(QIODevice::WriteOnly))
            return {PrintOutcome::Status::Failed, QStringLiteral("The PDF file %1 cannot be written: %2.")
                                                      .arg(QDir::toNativeSeparators(target), probe.errorString())};
    }
    PrintOutcome outcome;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(partial);
        printer.setPageSize(QPageSize(m_paper));
        printer.setFullPage(false);
        printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
        outcome = PaintJob(printer, job, shown);
    }
    if (!outcome.printed()) {
        QFile::remove(partial);
        return outcome;
    }
    // rename() replaces an existing file in one step, so a reader sees the old PDF or the new one.
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(partial);
        return {PrintOutcome::Status::Failed, QStringLiteral("The PDF could not be saved as %1.").arg(shown)};
    }
    return outcome;
}
