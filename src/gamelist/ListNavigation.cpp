#include "gamelist/ListNavigation.h"

#include <cstddef>

namespace ListNavigation {

int StepVisiblePage(const std::vector<bool>& visible, int current, int step) {
    const int count = int(visible.size());
    if (count == 0) {
        return -1;
    }
    int page = current < 0 || current >= count ? (step > 0 ? count - 1 : 0) : current;
    for (int tries = 0; tries < count; ++tries) {
        page = ((page + step) % count + count) % count;
        if (visible[std::size_t(page)]) {
            return page;
        }
    }
    return -1;
}

JoystickCommand JoystickTick(const JoystickState& stick, int& centreX, int& centreY,
                             JoystickPolling& polling) {
    polling.halfRate = !polling.halfRate;
    if (stick.found) {
        centreX = stick.x;
        centreY = stick.y;
    }
    JoystickCommand command;
    if (!stick.button2) {
        polling.randomArmed = true;
        if (stick.button1) {
            command.play = true;
        } else if (polling.halfRate) {
            if (stick.up || stick.y < centreY - kStickThreshold) {
                command.itemStep = -1;
            } else if (stick.down || stick.y > centreY + kStickThreshold) {
                command.itemStep = 1;
            }
            if (stick.left || stick.x < centreX - kStickThreshold) {
                command.pageStep = -1;
            } else if (stick.right || stick.x > centreX + kStickThreshold) {
                command.pageStep = 1;
            }
        }
    } else if (polling.randomArmed) {
        polling.randomArmed = false;
        command.chooseRandom = true;
    }
    return command;
}

}  // namespace ListNavigation
