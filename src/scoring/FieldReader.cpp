#include "FieldReader.h"

#include "Cp1252.h"

void FieldReader::consumeLineEnd()
{
    if (m_p < m_end && *m_p == '\r') {
        ++m_p;
        if (m_p < m_end && *m_p == '\n')
            ++m_p;
    } else if (m_p < m_end && *m_p == '\n') {
        ++m_p;
    }
    ++m_line;
    m_atLineStart = true;
}

bool FieldReader::field(QString& out)
{
    for (;;) {
        while (m_p < m_end && isBlank(*m_p))
            ++m_p;
        if (m_p == m_end)
            return false;
        if (!isLineEnd(*m_p))
            break;
        consumeLineEnd();
    }
    m_lastLine = m_line;
    m_atLineStart = false;
    const char* start = m_p;
    const char* stop;
    if (*m_p == '"') {
        start = ++m_p;
        while (m_p < m_end && *m_p != '"' && !isLineEnd(*m_p))
            ++m_p;
        stop = m_p;
        // Whatever follows the closing quote up to the delimiter belongs to no field.
        while (m_p < m_end && *m_p != ',' && !isLineEnd(*m_p))
            ++m_p;
    } else {
        while (m_p < m_end && *m_p != ',' && !isLineEnd(*m_p))
            ++m_p;
        stop = m_p;
        while (stop > start && isBlank(stop[-1]))
            --stop;
    }
    out = fromCp1252(QByteArrayView(start, stop - start));
    if (m_p < m_end && *m_p == ',')
        ++m_p;
    else if (m_p < m_end)
        consumeLineEnd();
    return true;
}

bool FieldReader::wholeLine(QString& out)
{
    if (!m_atLineStart) {
        // A comma ended the last field: the rest of its line is the header unless it is blank.
        const char* q = m_p;
        while (q < m_end && isBlank(*q))
            ++q;
        if (q == m_end || isLineEnd(*q)) {
            m_p = q;
            if (m_p == m_end)
                return false;
            consumeLineEnd();
        }
    }
    if (m_p == m_end)
        return false;
    m_lastLine = m_line;
    const char* start = m_p;
    while (m_p < m_end && !isLineEnd(*m_p))
        ++m_p;
    out = fromCp1252(QByteArrayView(start, m_p - start));
    if (m_p < m_end)
        consumeLineEnd();
    else
        m_atLineStart = true;
    return true;
}
