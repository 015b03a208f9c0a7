#pragma once

#include <QString>

// A progress bar in the status bar, for work that goes on for a while: shown
// by begin, moved by step, hidden by end. It repaints at once, also while the
// user-interface thread stays busy.
class StatusProgress {
public:
    // Shows the bar at 0 of `total`. In `text`, its caption, "%v" stands for
    // the step reached and "%m" for the total ("MAME: game %v of %m").
    virtual void begin(const QString& text, int total) = 0;
    virtual void step(int n) = 0;
    virtual void end() = 0;

protected:
    ~StatusProgress() = default;
};
