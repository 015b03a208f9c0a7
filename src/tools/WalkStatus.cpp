#include "tools/WalkStatus.h"

#include "context/StatusLine.h"
#include "tools/ProgressThrottle.h"

namespace {

// Often enough for the status bar to look alive.
constexpr qint64 kStatusRepaintMs = 40;

}  // namespace

DirectoryWalker::Progress WalkStatus(StatusLine& status) {
    return [&status, throttle = ProgressThrottle(kStatusRepaintMs)](const WalkStep& step) mutable {
        if (throttle.due()) {
            status.SetStatus(step.statusText());
        }
    };
}
