#pragma once

// Joystick 1: axes mapped to 0..65535 (centre about 32767), buttons 1 and 2.
struct JoystickState {
    int x = 32767;
    int y = 32767;
    bool button1 = false;
    bool button2 = false;
};

class Joystick {
public:
    virtual ~Joystick() = default;
    // No joystick reads as centred and released.
    virtual JoystickState read() = 0;
};
