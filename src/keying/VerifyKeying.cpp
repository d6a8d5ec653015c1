#include "VerifyKeying.h"

#include "TestDefinition.h"

VerifyKeying::VerifyKeying(const QString& storedResponses)
    : m_second(EmptyResponses()), m_stored(storedResponses.trimmed())
{
    for (int i = 1; i <= NumItems; ++i)
        m_list.append(i);
}

int VerifyKeying::currentItem() const
{
    return m_pos >= 1 && m_pos <= count() ? m_list.at(m_pos - 1) : 0;
}

int VerifyKeying::previousItem() const
{
    return m_pos >= 2 && m_pos - 1 <= count() ? m_list.at(m_pos - 2) : 0;
}

QChar VerifyKeying::keyed(int item) const
{
    return item >= 1 && item <= m_second.size() ? m_second.at(item - 1) : QChar();
}

QString VerifyKeying::QuestionLabel(int item)
{
    return QStringLiteral("Question #") + QString::number(item);
}

bool VerifyKeying::Accepts(int item, QChar c)
{
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        return false;
    return c.digitValue() <= ChoicesOfItem(item);
}

VerifyKeying::Step VerifyKeying::key(QChar c)
{
    const int item = currentItem();
    if (item == 0 || !Accepts(item, c))
        return Step::Refused;
    m_second[item - 1] = c;
    ++m_pos;
    if (m_pos > count())
        return endOfPass();
    return Step::Moved;
}

bool VerifyKeying::backspace()
{
    if (m_pos < 2)
        return false;
    --m_pos;
    return true;
}

VerifyKeying::Step VerifyKeying::endOfPass()
{
    if (m_correctionPass)
        return Step::Corrected;
    QList<int> differing;
    for (int i = 1; i <= NumItems; ++i) {
        // A stored string shorter than the sheet (blanks trimmed away) differs at every missing position.
        const QChar stored = i <= m_stored.size() ? m_stored.at(i - 1) : QChar();
        if (stored != m_second.at(i - 1))
            differing.append(i);
    }
    if (differing.isEmpty())
        return Step::NoDifferences;
    m_list = differing;
    m_pos = 1;
    m_correctionPass = true;
    return Step::NeedsCorrection;
}
