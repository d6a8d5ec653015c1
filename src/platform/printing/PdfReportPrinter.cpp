#include "PdfReportPrinter.h"

#include "PagePainter.h"
#include "PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

PrintOutcome PdfReportPrinter::print(const PrintJob& job)
{
    const PrivateFile::CheckedOutput checked =
        m_checked ? *m_checked : PrivateFile::CheckOutput(QFileInfo(m_path).absoluteFilePath(), m_ownFolders);
    const QString shown = QStringLiteral("the file %1").arg(QDir::toNativeSeparators(checked.path()));
    if (checked.refused())
        return {PrintOutcome::Status::Failed, QStringLiteral("The PDF was not saved. %1").arg(checked.refusal())};
    // QPrinter writes only to a name; give it one in a folder of our own (0700, unique) so that nothing planted can
    // be written through, then put the whole document in place through the private-file layer.
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return {PrintOutcome::Status::Failed,
                QStringLiteral("The PDF was not saved: no temporary folder can be made (%1).").arg(scratch.errorString())};
    const QString rendered = scratch.filePath(QStringLiteral("report.pdf"));
    PrintOutcome outcome;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(rendered);
        printer.setPageSize(QPageSize(m_paper));
        printer.setFullPage(false);
        printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
        outcome = PaintJob(printer, job, shown);
    }
    if (!outcome.printed())
        return outcome;
    QByteArray bytes;
    if (const int err = PrivateFile::Read(rendered, bytes); err || bytes.isEmpty())
        return {PrintOutcome::Status::Failed,
                QStringLiteral("The PDF was not saved: it could not be made (%1).")
                    .arg(err ? PrivateFile::ErrorText(err) : QStringLiteral("nothing was drawn"))};
    if (const QString e = PrivateFile::WriteOutput(checked, bytes); !e.isEmpty())
        return {PrintOutcome::Status::Failed, QStringLiteral("The PDF was not saved. %1").arg(e)};
    return outcome;
}

QPageSize::PageSizeId LocalePaperSize()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}
