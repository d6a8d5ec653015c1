#pragma once
// A clock fixed at a chosen date.

#include "Clock.h"

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDate d = QDate(2026, 12, 6)) : date(d) {}
    QDate today() const override { return date; }
    QDate date;
};
