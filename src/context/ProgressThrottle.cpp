#include "context/ProgressThrottle.h"

bool ProgressThrottle::due() {
    if (!timer_.isValid() || timer_.elapsed() >= intervalMs_) {
        timer_.start();
        return true;
    }
    return false;
}
