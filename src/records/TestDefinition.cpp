#include "TestDefinition.h"

int AnswerOf(const QString& responses, int n)
{
    if (n < 1 || n > responses.size())
        return 0;
    const QChar c = responses.at(n - 1);
    if (c < QLatin1Char('1') || c > QLatin1Char('9'))
        return 0;
    const int v = c.unicode() - '0';
    return v <= ChoicesOfItem(n) ? v : 0;
}
