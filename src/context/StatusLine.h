#pragma once

#include <QString>

class StatusProgress;

// The status bar as the parts of the window see it: one text, shown at once
// even while the user-interface thread stays busy, and a progress bar.
class StatusLine {
public:
    virtual void SetStatus(const QString& text) = 0;
    virtual StatusProgress& Progress() = 0;

protected:
    ~StatusLine() = default;
};
