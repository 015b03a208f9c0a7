// The drive search as the main window runs it.
#include <QGuiApplication>

#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "tools/DriveSearch.h"
#include "tools/ProgressThrottle.h"
#include "tools/ui/TFFileLocations.h"

namespace {

// Often enough for the status bar to look alive, rarely enough that painting
// does not slow down a walk of many thousand files.
constexpr qint64 kStatusRepaintMs = 40;

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void TFMain::SearchDrives() {
    const WaitCursor wait;
    ProgressThrottle throttle(kStatusRepaintMs);
    DriveSearch::SearchDrives(ctx_.fs(), state, FFileLocations->EDrives->text(),
                              [this, &throttle](const WalkStep& step) {
                                  if (throttle.due()) {
                                      SetStatus(step.statusText());
                                  }
                              });
}
