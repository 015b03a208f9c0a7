#pragma once

#include "platform/Joystick.h"

// Joystick 1 through SDL2's joystick API, opened on first use. Only the
// window program links SDL2; the core library keeps the plain interface.
class SdlJoystick : public Joystick {
public:
    SdlJoystick() = default;
    ~SdlJoystick() override;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;
    JoystickState read() override;

private:
    bool initialised_ = false;
    bool available_ = false;
    void* device_ = nullptr;  // SDL_Joystick*, closed in the destructor
};
