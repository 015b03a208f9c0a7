#pragma once

#include <QSocketNotifier>
#include <csignal>
#include <functional>
#include <memory>

// SIGTERM and SIGINT (kill, timeout, Ctrl+C, a desktop log-out) end the
// program the way closing its window does, so the usual shutdown still keeps
// the current game. A handler may do almost nothing safely, so it only writes
// a byte into a pipe; the event loop reads it and runs `onSignal`.
// One instance at a time; the previous dispositions come back when it goes.
class ShutdownSignals {
public:
    explicit ShutdownSignals(std::function<void()> onSignal);
    ~ShutdownSignals();
    ShutdownSignals(const ShutdownSignals&) = delete;
    ShutdownSignals& operator=(const ShutdownSignals&) = delete;

private:
    void drain() const;

    std::function<void()> onSignal_;
    int readFd_ = -1;
    int writeFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
};
