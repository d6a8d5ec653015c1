#pragma once
// Table rows decoded from fuzz input, for the readers that check the rows of the question database. The input edits
// a usual table cell by cell, so the empty input is a valid table, mutations walk out from there, and a short input
// costs little (the cells it does not reach stay shared with the usual table).

#include "TableRows.h"

#include <QByteArrayView>
#include <QtEndian>
#include <cstring>

class FuzzRows {
public:
    explicit FuzzRows(QByteArrayView input) : m_in(input) {}

    TableRows decode(const TableRows& usual)
    {
        TableRows t = usual;
        // The first byte can drop one column; the second can change the number of rows.
        const int drop = byte();
        if (drop >= 0 && drop < t.columns.size()) {
            t.columns.removeAt(drop);
            for (QVariantList& row : t.rows)
                row.removeAt(drop);
        }
        const int count = byte();
        if (count >= 0 && count != 0xFF && !t.rows.isEmpty()) {
            const qsizetype rows = usual.rows.size() - 8 + count % 16;
            while (t.rows.size() > rows)
                t.rows.removeLast();
            while (t.rows.size() < rows)
                t.rows.append(t.rows.last());
        }
        // Then one kind byte per cell, row by row, with the bytes its value needs.
        const qsizetype columns = t.columns.size();
        for (qsizetype cell = 0; m_at < m_in.size() && columns > 0 && cell < t.rows.size() * columns; ++cell) {
            const int kind = byte() % 8;
            if (kind != 0)
                t.rows[cell / columns][cell % columns] = value(kind);
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

    QVariant value(int kind)
    {
        switch (kind) {
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
        default:
            return QVariant(QString());
        }
    }

    QByteArrayView m_in;
    qsizetype m_at = 0;
};
