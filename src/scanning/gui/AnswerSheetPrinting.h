#pragma once
// Prints the blank answer sheet at actual size on the system's default printer, or saves it as a PDF file when
// there is no printer to print on.

#include "ReportPrinter.h"

#include <QString>
#include <functional>

class AnswerSheet;
struct AppContext;
class QWidget;

// The sheet on the default printer, full page on legal paper, so that the printed boxes and bubbles are where the
// reader looks for them.
PrintOutcome PrintAnswerSheet(const AnswerSheet& sheet);
// The save dialog for the PDF copy, starting at `suggested`; "" when cancelled.
QString ChooseAnswerSheetPdf(QWidget* parent, const QString& suggested);

// Where the sheet goes; tests replace both.
struct AnswerSheetOutput {
    std::function<PrintOutcome(const AnswerSheet&)> print = PrintAnswerSheet;
    std::function<QString(QWidget* parent, const QString& suggested)> choosePdfFile = ChooseAnswerSheetPdf;
};

// The "Print Answer Sheet" command: draws the sheet from the question database's ScanItem table and prints it,
// offering a PDF file when no printer is available. Every outcome is told through ctx.prompts.
void RunPrintAnswerSheet(AppContext& ctx, QWidget* parent, const AnswerSheetOutput& output = {});
