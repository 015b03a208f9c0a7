#pragma once

#include <QString>

#include "context/ProgressThrottle.h"

class StatusLine;

// The progress of one long piece of work that blocks the window: a text and
// a bar with counts in the status bar from begin() to end(). Progress is
// shown only every few milliseconds, so that showing it does not slow the
// work down; the bar goes when the work ends, also when it ends by an error.
class StatusProgress {
public:
    // Progress is shown at most once per `intervalMs`: often enough for the
    // bar to look alive.
    explicit StatusProgress(StatusLine& status, qint64 intervalMs = 40)
        : status_(status), throttle_(intervalMs) {}
    ~StatusProgress();
    StatusProgress(const StatusProgress&) = delete;
    StatusProgress& operator=(const StatusProgress&) = delete;

    // `total` 0: the end is not known; the bar counts. `caption` goes
    // before the bar's count.
    void begin(const QString& text, qint64 total, const QString& caption = QString());
    // `done` steps so far, shown when it is time to.
    void step(qint64 done);
    // True when it is time to show progress again (and then not again until
    // the interval has passed): a loop with a text to compose asks first.
    bool due();
    // Shows `done` now, and the text unless it is empty.
    void show(qint64 done, const QString& text = QString());
    // Takes the bar away and shows the text, unless it is empty.
    void end(const QString& text = QString());

private:
    StatusLine& status_;
    ProgressThrottle throttle_;
    bool running_ = false;
};
