#pragma once
// The subcommands of veltrane-cli; each takes the arguments after its name and returns the exit status
// (0 success, 1 failure with a message, 2 bad arguments with a usage message).

#include <QStringList>

// sound-list PROGRAM_DIR LIST: the wave files of the question tables and instructions screens, and what they say.
int soundListCommand(const QStringList& args);
