#include "SharedRoutines.h"

bool IsSecretCode(const QString& entry)
{
    return entry.toUpper() == QLatin1String("K");
}
