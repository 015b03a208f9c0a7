#pragma once

#include <vector>

#include "platform/Joystick.h"

// Moving through the game lists by page and by joystick, without widgets.
namespace ListNavigation {

// The page `step` places (+1 next, -1 previous) from `current` among the
// visible ones, wrapping around as the page control's own step does;
// `current` when no other page is visible, -1 when none is.
int StepVisiblePage(const std::vector<bool>& visible, int current, int step);

// Joystick polling between ticks.
struct JoystickPolling {
    // Flips every tick; moves happen on every second tick only.
    bool halfRate = false;
    // Button 2 has been released since the last random choice. Clear at
    // first, so that a button held while the program starts picks nothing.
    bool randomArmed = false;
};

// What one tick of the joystick asks for.
struct JoystickCommand {
    bool play = false;
    int itemStep = 0;  // -1 the item above, +1 the item below
    int pageStep = 0;  // -1 the previous page, +1 the next
    bool chooseRandom = false;
};

// Beyond this distance from the centre a stick counts as pushed.
inline constexpr int kStickThreshold = 25000;

// One tick: advances `polling` and says what to do; the caller keeps the
// selection within the list. The d-pad steers as the stick does. A pad found
// at this read is taken to rest, as one at start-up is: its stick's position
// becomes the centre (`centreX`, `centreY`).
JoystickCommand JoystickTick(const JoystickState& stick, int& centreX, int& centreY,
                             JoystickPolling& polling);

}  // namespace ListNavigation
