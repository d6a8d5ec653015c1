#include "CourtCount.h"

bool CourtCountValid(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0"))
        return true;
    if (t.isEmpty() || t.size() > 2)
        return false;
    for (QChar c : t) {
        // Only digits: "5a" or "+5" would store text the scoring cannot read as a count.
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const int value = t.toInt();
    return value > 0 && value <= 99;
}

QString ConfirmedCourtCount(const QString& text)
{
    const QString t = text.trimmed();
    return t == QLatin1String("n") ? QStringLiteral("N") : t;
}

bool CourtKeyOverflows(const QString& text, int selectedLength)
{
    return text.size() >= 2 && selectedLength < 2;
}
