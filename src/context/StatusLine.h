#pragma once

#include <QString>

// The status bar as the parts of the window see it: one text, shown at once
// even while the user-interface thread stays busy, and a progress bar for
// work that blocks the window (see StatusProgress, which drives it).
class StatusLine {
public:
    virtual void SetStatus(const QString& text) = 0;
    virtual QString Status() const = 0;

    // A bar for `total` steps; 0 when the end is not known, which shows a
    // running count instead. The bar's text begins with `caption` unless it
    // is empty ("MAME: game" gives "MAME: game 12 of 45,294").
    virtual void BeginProgress(qint64 total, const QString& caption) = 0;
    virtual void StepProgress(qint64 done) = 0;
    virtual void EndProgress() = 0;

protected:
    ~StatusLine() = default;
};
