#pragma once
// Reading report.prn back and printing it: one printed page per form-feed piece, in a monospaced font.

#include "ReportPrinter.h"
#include "ScoringError.h"

#include <QList>
#include <QStringList>

constexpr const char* ReportFontFamily = "Courier New";
constexpr qreal ReportFontPointSize = 11.5;

// The report text of the program folder's report.prn: the whole file but its last character, as text. Any length.
ScoringError LoadReportText(const QString& programDir, QString& text);

// The report text cut at every form feed, each piece split into its lines. A report without form feeds is one page.
QList<QStringList> ReportPages(const QString& text);

// Prints the report.prn now on disk. A missing report file is a failure, never an empty print.
PrintOutcome PrintReport(const QString& programDir, ReportPrinter& printer);
