#pragma once
// Small rules the shell's windows share, kept apart from the widgets that ask them.

#include <QString>

// The supervisor's secret code check, without regard to case.
bool IsSecretCode(const QString& entry);
