#pragma once

#include <QElapsedTimer>

// Lets a long loop on the user-interface thread repaint its progress often
// enough to look alive without spending its time on painting.
class ProgressThrottle {
public:
    explicit ProgressThrottle(qint64 intervalMs) : intervalMs_(intervalMs) {}

    // True on the first call, then once at least the interval has passed
    // since the last call that returned true.
    bool due();

private:
    qint64 intervalMs_;
    QElapsedTimer timer_;
};
