#pragma once
// Table rows decoded from fuzz input, for the readers that check the rows of the question database. Where the input
// runs out, or a value's kind byte says so, the value is the column's usual one, so the empty input is a valid table
// and mutations walk out from there.

#include "TableRows.h"

#include <QByteArrayView>
#include <QtEndian>
#include <cstring>
#include <functional>

class FuzzRows {
public:
    explicit FuzzRows(QByteArrayView input) : m_in(input) {}

    // `usual(row, column)` gives the value a column normally holds; row counts from 1.
    TableRows decode(const QStringList& columns, int usualRows, const std::function<QVariant(int, int)>& usual)
    {
        TableRows t;
        t.columns = columns;
        // The first byte can drop one column; the second can change the number of rows.
        const int drop = byte();
        if (drop >= 0 && drop < columns.size())
            t.columns.removeAt(drop);
        const int count = byte();
        const int rows = count < 0 || count == 0xFF ? usualRows : usualRows - 8 + count % 16;
        for (int r = 1; r <= rows; ++r) {
            QVariantList row;
            for (int c = 0; c < columns.size(); ++c) {
                if (drop == c)
                    continue;
                row.append(value(usual(r, c)));
            }
            t.rows.append(row);
        }
        return t;
    }

private:
    int byte() { return m_at < m_in.size() ? static_cast<unsigned char>(m_in[m_at++]) : -1; }

    QByteArray take(qsizetype n)
    {
        n = std::min(n, m_in.size() - m_at);
        const QByteArray out = m_in.sliced(m_at, n).toByteArray();
        m_at += n;
        return out;
    }

    QVariant value(const QVariant& usual)
    {
        const int kind = byte();
        switch (kind < 0 ? 0 : kind % 8) {
        case 1:
            return QVariant();
        case 2: {
            const QByteArray b = take(2).leftJustified(2, '\0');
            return QVariant(static_cast<qlonglong>(qFromLittleEndian<qint16>(b.constData())));
        }
        case 3: {
            const QByteArray b = take(8).leftJustified(8, '\0');
            double d;
            std::memcpy(&d, b.constData(), sizeof d);
            return QVariant(d);
        }
        case 4:
            return QVariant(QString::fromUtf8(take(std::max(0, byte()) % 64)));
        case 5:
            return QVariant(take(std::max(0, byte()) % 16));
        case 6:
            return QVariant(QString::number(std::max(0, byte())));
        case 7:
            return QVariant(QString());
        default:
            return usual;
        }
    }

    QByteArrayView m_in;
    qsizetype m_at = 0;
};
