#include "ReportOutput.h"

#include "AppContext.h"
#include "Clock.h"
#include "PdfReportPrinter.h"
#include "Prompts.h"
#include "ReportPrinting.h"
#include "WindowRoutines.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr int ListedFiles = 10;

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

ReportOutput::ReportOutput(AppContext& ctx, bool batch, QString pdfFolder)
    : m_ctx(ctx), m_batch(batch), m_folder(std::move(pdfFolder))
{
}

QString ReportOutput::DefaultPdfFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void ReportOutput::savePdfFilesIn(const QString& folder)
{
    m_folder = folder;
    m_pdfOnly = true;
}

QString ReportOutput::print(int client)
{
    if (m_pdfOnly)
        return saveAsPdf(client, QString());
    PrintOutcome outcome{PrintOutcome::Status::NoPrinter,
                         QStringLiteral("No printer is set up for this program, so the report was not printed.")};
    if (m_ctx.printer)
        outcome = PrintReport(m_ctx.programDir, *m_ctx.printer);
    switch (outcome.status) {
    case PrintOutcome::Status::Printed:
        m_ctx.client.audit(QStringLiteral("report-printed"), client,
                           {{QStringLiteral("printer"), m_ctx.printer->describe()},
                            {QStringLiteral("batch"), m_batch ? QStringLiteral("yes") : QStringLiteral("no")}});
        return QString();
    case PrintOutcome::Status::Failed:
        return outcome.message;
    case PrintOutcome::Status::NoPrinter:
        break;
    }
    if (!m_pdfAgreed) {
        const QString offer =
            m_batch ? QStringLiteral("Save the reports as PDF files in the folder\r%1\rinstead? Each report gets a "
                                     "file of its own.")
                    : QStringLiteral("Save the report as a PDF file in the folder\r%1\rinstead?");
        // A question under the hourglass looks like the program is busy; put the pointer back while it is asked.
        const bool waiting = QApplication::overrideCursor() != nullptr;
        if (waiting)
            MouseDefault();
        const Prompts::Answer answer =
            m_ctx.prompts.message(outcome.message + QStringLiteral("\r\r") + offer.arg(shownPath(m_folder)),
                                  QStringLiteral("No Printer"), Prompts::Icon::Question, Prompts::Buttons::YesNo);
        if (waiting)
            MouseWait();
        if (answer != Prompts::Answer::Yes)
            return outcome.message;
        m_pdfAgreed = true;
    }
    return saveAsPdf(client, outcome.message);
}

QString ReportOutput::freePdfName(int client) const
{
    const QString stem =
        QStringLiteral("VLT report client %1 %2").arg(client).arg(m_ctx.clock.today().toString(Qt::ISODate));
    // An earlier report is never overwritten: it may be another client's with the same number on another disk.
    QString path = QDir(m_folder).filePath(stem + QStringLiteral(".pdf"));
    for (int k = 2; QFileInfo::exists(path); ++k)
        path = QDir(m_folder).filePath(QStringLiteral("%1 (%2).pdf").arg(stem).arg(k));
    return path;
}

QString ReportOutput::saveAsPdf(int client, const QString& noPrinter)
{
    QDir().mkpath(m_folder);
    const QString path = freePdfName(client);
    PdfReportPrinter pdf(path, LocalePaperSize(), m_ctx.OwnFolders());
    const PrintOutcome saved = PrintReport(m_ctx.programDir, pdf);
    if (!saved.printed())
        return noPrinter.isEmpty() ? saved.message : noPrinter + QLatin1Char(' ') + saved.message;
    m_saved << path;
    m_unreported << path;
    m_ctx.client.audit(QStringLiteral("report-saved-pdf"), client,
                       {{QStringLiteral("file"), path},
                        {QStringLiteral("batch"), m_batch ? QStringLiteral("yes") : QStringLiteral("no")}});
    return QString();
}

void ReportOutput::tellSaved()
{
    if (m_unreported.isEmpty())
        return;
    const QString why = m_pdfOnly ? QString() : QStringLiteral("There is no printer, so ");
    QString text;
    if (m_unreported.size() == 1) {
        text = why + QStringLiteral("the report was saved as the PDF file\r%1").arg(shownPath(m_unreported.first()));
    } else {
        text = why + QStringLiteral("%1 reports were saved as PDF files in the folder\r%2\r")
                         .arg(m_unreported.size())
                         .arg(shownPath(m_folder));
        for (qsizetype i = 0; i < m_unreported.size() && i < ListedFiles; ++i)
            text += QLatin1Char('\r') + QFileInfo(m_unreported[i]).fileName();
        if (m_unreported.size() > ListedFiles)
            text += QStringLiteral("\rand %1 more.").arg(m_unreported.size() - ListedFiles);
    }
    text[0] = text[0].toUpper();
    m_unreported.clear();
    m_ctx.prompts.message(text, AppTitle(), Prompts::Icon::Information, Prompts::Buttons::Ok);
}
