#pragma once
// Draws a print job's pages of fixed-width text on a QPrinter, one printed page per page of the job.

#include "ReportPrinter.h"

#include <QFont>

class QPrinter;

// The job's font when the system has it and it is fixed-pitch; otherwise the closest fixed-pitch font available
// (Liberation Mono has the metrics of Courier New), at the job's size.
QFont FixedPitchFont(const QString& family, qreal pointSize);

// Paints every page inside the printer's printable area: at the job's size wherever a page's longest line fits, and
// otherwise with the whole page made uniformly smaller (never wrapped or cut). A page a little too long for one sheet
// is made smaller to keep to it; a much longer one goes on over further sheets. The printer must be set up (format,
// output, page layout) beforehand. `destination` names the printer or file in messages.
PrintOutcome PaintJob(QPrinter& printer, const PrintJob& job, const QString& destination);
