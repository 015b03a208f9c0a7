#pragma once

#include "platform/Joystick.h"

// Joystick 1 through SDL2: the first pad plugged in, looked for at every read,
// so that a pad plugged in after start, or pulled out and plugged in again,
// is found. A pad SDL has a game-controller mapping for is read through it
// (left stick, d-pad, A and B as buttons 1 and 2); any other by its first two
// axes, its first hat and its first two buttons. Only the window program
// links SDL2; the core library keeps the plain interface.
class SdlJoystick : public Joystick {
public:
    SdlJoystick() = default;
    ~SdlJoystick() override;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;
    JoystickState read() override;

private:
    // Opens the first pad that opens; false when none does.
    bool open();
    void close();
    JoystickState readController() const;
    JoystickState readJoystick() const;

    bool initialised_ = false;
    bool available_ = false;
    void* controller_ = nullptr;  // SDL_GameController*, for a pad SDL has a mapping for
    void* device_ = nullptr;      // SDL_Joystick*: the controller's own, or the pad read raw
};
