#pragma once
// Draws a print job's pages of fixed-width text on a QPrinter, one printed page per page of the job.

#include "ReportPrinter.h"

#include <QFont>

class QPrinter;

// The job's font when the system has it and it is fixed-pitch; otherwise the closest fixed-pitch font available
// (Liberation Mono has the metrics of Courier New), at the job's size.
QFont FixedPitchFont(const QString& family, qreal pointSize);

// Paints every page; the printer must be set up (format, output, page layout) beforehand. `destination` names the
// printer or file in messages.
PrintOutcome PaintJob(QPrinter& printer, const PrintJob& job, const QString& destination);
