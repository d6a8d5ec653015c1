#include "AnswerSheetPrinting.h"

#include "AnswerSheet.h"
#include "AppContext.h"
#include "DataWorkspace.h"
#include "Prompts.h"
#include "ScanItem.h"
#include "WindowRoutines.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

const QString Title = QStringLiteral("Print Answer Sheet");
const QString ActualSize = QStringLiteral("Print it on legal-size paper (8.5 x 14 inches) at actual size (100%, not "
                                          "\"fit to page\"): a sheet printed smaller cannot be scanned back.");

} // namespace

PrintOutcome PrintAnswerSheet(const AnswerSheet& sheet)
{
    // With no print service or no queue there is no default printer, and QPrinter would have nothing to print on.
    const QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) {
        const bool none = QPrinterInfo::availablePrinterNames().isEmpty();
        return {PrintOutcome::Status::NoPrinter,
                none ? QStringLiteral("No printer is installed on this computer (or the print service is not "
                                      "running), so the answer sheet was not printed.")
                     : QStringLiteral("No printer is chosen as the default printer, so the answer sheet was not "
                                      "printed. Choose a default printer in the system's printer settings.")};
    }
    QPrinter printer(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setDocName(QStringLiteral("Veltrane answer sheet"));
    printer.setFullPage(true); // page coordinates from the paper's corner, not from inside the printer's margins
    const QString problem = sheet.paint(printer, QStringLiteral("the printer %1").arg(name));
    if (!problem.isEmpty())
        return {PrintOutcome::Status::Failed, problem};
    return {};
}

QString ChooseAnswerSheetPdf(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("Save Answer Sheet as PDF"), suggested);
    dialog.setObjectName(QStringLiteral("dlgAnswerSheetPdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void RunPrintAnswerSheet(AppContext& ctx, QWidget* parent, const AnswerSheetOutput& output)
{
    Prompts& prompts = ctx.prompts;
    QList<ScanItem> items;
    {
        MouseWait();
        QString problem;
        std::unique_ptr<DataWorkspace::Database> database = ctx.workspace.OpenQuestionDatabase(&problem);
        if (database)
            problem = LoadScanItems(database->db(), QDir::toNativeSeparators(database->path()), items);
        MouseDefault();
        if (!problem.isEmpty()) {
            prompts.message(problem + QStringLiteral("\n\nThe answer sheet was not printed."), Title,
                            Prompts::Icon::Critical, Prompts::Buttons::Ok);
            return;
        }
    }
    const AnswerSheet sheet(items);

    MouseWait();
    const PrintOutcome printed = output.print(sheet);
    MouseDefault();
    switch (printed.status) {
    case PrintOutcome::Status::Printed:
        prompts.message(QStringLiteral("The answer sheet was sent to the printer.\n\n") + ActualSize, Title,
                        Prompts::Icon::Information, Prompts::Buttons::Ok);
        return;
    case PrintOutcome::Status::Failed:
        prompts.message(printed.message, Title, Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return;
    case PrintOutcome::Status::NoPrinter:
        break;
    }

    if (prompts.message(printed.message + QStringLiteral("\n\nSave the answer sheet as a PDF file instead?"), Title,
                        Prompts::Icon::Question, Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString path = output.choosePdfFile(parent, QDir(folder).filePath(QStringLiteral("AnswerSheet.pdf")));
    if (path.isEmpty())
        return;
    MouseWait();
    const QString problem = sheet.writePdf(path, ctx.OwnFolders());
    MouseDefault();
    if (!problem.isEmpty()) {
        prompts.message(problem, Title, Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return;
    }
    prompts.message(QStringLiteral("The answer sheet was saved as %1.\n\n").arg(QDir::toNativeSeparators(path)) +
                        ActualSize,
                    Title, Prompts::Icon::Information, Prompts::Buttons::Ok);
}
