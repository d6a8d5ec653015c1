#include "SupervisorReports.h"

#include "AppContext.h"
#include "BatchPrinting.h"
#include "ReportOutput.h"
#include "ReportWriter.h"
#include "SafeWrite.h"
#include "ScoreAndReport.h"
#include "ScoreExport.h"
#include "frmPrintSelected.h"
#include "frmSupervisorOptions.h"
#include "frmViewReport.h"

#include <QDir>

namespace {
QChar brandOf(const AppContext& ctx)
{
    return ctx.BrandCode.isEmpty() ? PublisherBrandCode : ctx.BrandCode.at(0);
}
} // namespace

ScoringError ScoreCurrentClient(const AppContext& ctx)
{
    return ScoreAndReport(ctx.programDir, ctx.table, brandOf(ctx));
}

OperationOutcome ExportScoresToFile(const AppContext& ctx, const QString& path, bool json, bool deidentified)
{
    const ScoreExport out = ExportScores(ctx.programDir, ctx.table, brandOf(ctx),
                                         {json ? ExportFormat::Json : ExportFormat::Csv, deidentified,
                                          ctx.table.audit.isOpen() ? ctx.table.audit.head().text() : QString()});
    if (out.error)
        return {false, QStringLiteral("The scores were not exported.\r%1").arg(out.error.message), true};
    if (const QString e = WriteOutputSafely(path, out.bytes, ExistingFile::Replace, ctx.OwnFolders()); !e.isEmpty())
        return {false, QStringLiteral("The scores were not exported.\r%1").arg(e), true};
    QString text = QStringLiteral("The scores of %1 clients were exported to the file\r%2")
                       .arg(out.clients)
                       .arg(QDir::toNativeSeparators(path));
    if (!out.problems.isEmpty())
        text += QStringLiteral("\r\r%1 could not be scored; their scale fields are empty:\r%2")
                    .arg(out.problems.size() == 1 ? QStringLiteral("One client")
                                                  : QStringLiteral("%1 clients").arg(out.problems.size()))
                    .arg(out.problems.join(QLatin1Char('\r')));
    return {out.problems.isEmpty(), text};
}

void SetReportServices(SupervisorServices& services, AppContext& ctx, ReportOutput& printAll)
{
    services.viewReport = [&ctx](QWidget* parent) { RunViewReport(ctx, parent); };
    services.printSelected = [&ctx](QWidget* parent) { RunPrintSelected(ctx, parent); };
    services.printAll = [&ctx, &printAll](const std::function<bool(bool, int, int)>& progress) {
        const BatchSteps steps{[&ctx] { return ScoreCurrentClient(ctx); },
                               [&printAll](int client) { return printAll.print(client); },
                               [&progress](BatchStage stage, int n, int count, int) {
                                   return progress(stage == BatchStage::Printing, n, count);
                               }};
        return PrintAllReports(ctx.programDir, ctx.table, steps);
    };
    services.savePdfFilesIn = [&printAll](const QString& folder) { printAll.savePdfFilesIn(folder); };
    services.exportScores = [&ctx](const QString& path, bool json, bool deidentified) {
        return ExportScoresToFile(ctx, path, json, deidentified);
    };
}
