#pragma once

#include <QString>

// The status bar as the parts of the window see it: one text, shown at once
// even while the user-interface thread stays busy.
class StatusLine {
public:
    virtual void SetStatus(const QString& text) = 0;

protected:
    ~StatusLine() = default;
};
