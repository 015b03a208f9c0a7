#pragma once

// Joystick 1: axes mapped to 0..65535 (centre about 32767), buttons 1 and 2,
// and the d-pad, which steers as the stick pushed all the way does.
struct JoystickState {
    int x = 32767;
    int y = 32767;
    bool button1 = false;
    bool button2 = false;
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    // The pad was plugged in since the last read (or this is the first read
    // that sees it): where its stick rests now is its centre.
    bool found = false;
};

class Joystick {
public:
    virtual ~Joystick() = default;
    // No joystick reads as centred and released.
    virtual JoystickState read() = 0;
};
