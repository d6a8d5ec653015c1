#pragma once
// The subcommands of veltrane-cli; each takes the arguments after its name and returns the exit status
// (0 success, 1 failure with a message, 2 bad arguments with a usage message).

#include <QStringList>

// report --program-dir DIR --data-dir DIR --client N [--scores] [--pdf FILE]
int runReport(const QStringList& args);
