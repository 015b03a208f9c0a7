#include "platform/Clock.h"

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
}  // namespace

double toDayCount(const QDateTime& local) {
    const QDateTime t = local.toLocalTime();
    const double days = double(kEpoch.daysTo(t.date()));
    const double fraction = double(t.time().msecsSinceStartOfDay()) / kMsPerDay;
    return days + fraction;
}

QDateTime fromDayCount(double days) {
    const double whole = std::floor(days);
    const qint64 ms = qint64(std::llround((days - whole) * kMsPerDay));
    return QDateTime(kEpoch.addDays(qint64(whole)), QTime(0, 0)).addMSecs(ms);
}

double SystemClock::now() const {
    return toDayCount(QDateTime::currentDateTime());
}
