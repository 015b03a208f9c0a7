#include "platform/SdlJoystick.h"

#include <SDL2/SDL.h>

namespace {
int toUnsignedAxis(Sint16 value) {
    return int(value) + 32768;
}
}  // namespace

SdlJoystick::~SdlJoystick() {
    if (device_ != nullptr) {
        SDL_JoystickClose(static_cast<SDL_Joystick*>(device_));
    }
    if (available_) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
}

JoystickState SdlJoystick::read() {
    if (!initialised_) {
        initialised_ = true;
        // SDL's own SIGINT/SIGTERM handlers only queue an event nobody reads,
        // which would leave the program deaf to kill and Ctrl+C.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        available_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        if (available_ && SDL_NumJoysticks() > 0) {
            device_ = SDL_JoystickOpen(0);
        }
    }
    JoystickState state;
    if (device_ == nullptr) {
        return state;
    }
    SDL_JoystickUpdate();
    auto* stick = static_cast<SDL_Joystick*>(device_);
    if (SDL_JoystickNumAxes(stick) >= 2) {
        state.x = toUnsignedAxis(SDL_JoystickGetAxis(stick, 0));
        state.y = toUnsignedAxis(SDL_JoystickGetAxis(stick, 1));
    }
    state.button1 = SDL_JoystickNumButtons(stick) >= 1 && SDL_JoystickGetButton(stick, 0) != 0;
    state.button2 = SDL_JoystickNumButtons(stick) >= 2 && SDL_JoystickGetButton(stick, 1) != 0;
    return state;
}
