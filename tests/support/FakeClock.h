#pragma once
// A clock fixed at a chosen date and time, moved on by the test.

#include "Clock.h"

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDate d = QDate(2026, 12, 6)) : date(d) {}
    QDate today() const override { return date; }
    QDateTime now() const override { return QDateTime(date, time); }
    void advance(qint64 ms)
    {
        const QDateTime next = now().addMSecs(ms);
        date = next.date();
        time = next.time();
    }
    QDate date;
    QTime time{9, 0};
};
