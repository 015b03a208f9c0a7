#pragma once

#include <QDateTime>

// Local date and time as the program stores it: days since 1899-12-30 00:00,
// the time of day as the fraction.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

class SystemClock : public Clock {
public:
    double now() const override;
};

double toDayCount(const QDateTime& local);
QDateTime fromDayCount(double days);
