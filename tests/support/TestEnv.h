#pragma once
// Paths of the test environment: the built program folder and the checked-in test data.

#include <QByteArray>
#include <QString>

inline QString ProgramDirForTests()
{
    return QString::fromLocal8Bit(qgetenv("VELTRANE_PROGRAM_DIR"));
}

inline QString TestDataDir()
{
    return QString::fromLocal8Bit(qgetenv("VELTRANE_TEST_DATA"));
}
