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

// A clock that stands still until it is set or advanced; for tests.
class SettableClock : public Clock {
public:
    explicit SettableClock(double days = 45000.5) : days_(days) {}
    double now() const override { return days_; }
    void set(double days) { days_ = days; }
    void advance(double days) { days_ += days; }

private:
    double days_;
};

double toDayCount(const QDateTime& local);
QDateTime fromDayCount(double days);
