#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

// The median of `samples` timed runs of `work`, in milliseconds: one slow
// run on this shared machine does not move it.
inline double medianMs(int samples, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < samples; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + samples / 2, times.end());
    return times[size_t(samples / 2)];
}
