#include "platform/SdlJoystick.h"

#include <SDL2/SDL.h>

namespace {
// Both subsystems, so that SDL's mappings (its own and SDL_GAMECONTROLLERCONFIG)
// are loaded.
constexpr Uint32 kSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

int toUnsignedAxis(Sint16 value) {
    return int(value) + 32768;
}

SDL_Joystick* joystickOf(void* device) {
    return static_cast<SDL_Joystick*>(device);
}

SDL_GameController* controllerOf(void* controller) {
    return static_cast<SDL_GameController*>(controller);
}
}  // namespace

SdlJoystick::~SdlJoystick() {
    close();
    if (available_) {
        SDL_QuitSubSystem(kSubsystems);
    }
}

JoystickState SdlJoystick::read() {
    if (!initialised_) {
        initialised_ = true;
        // SDL's own SIGINT/SIGTERM handlers only queue an event nobody reads,
        // which would leave the program deaf to kill and Ctrl+C.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        available_ = SDL_InitSubSystem(kSubsystems) == 0;
        if (available_) {
            // The pads are read by polling; their events would only pile up
            // in a queue nobody empties.
            SDL_JoystickEventState(SDL_IGNORE);
            SDL_GameControllerEventState(SDL_IGNORE);
        }
    }
    if (!available_) {
        return {};
    }
    // Also finds the pads plugged in and marks those pulled out since the last read.
    SDL_JoystickUpdate();
    if (device_ != nullptr && SDL_JoystickGetAttached(joystickOf(device_)) == SDL_FALSE) {
        close();
    }
    bool found = false;
    if (device_ == nullptr) {
        found = open();
        if (!found) {
            return {};
        }
        // The state it has now, not the one it was opened with.
        SDL_JoystickUpdate();
    }
    JoystickState state = controller_ != nullptr ? readController() : readJoystick();
    state.found = found;
    return state;
}

bool SdlJoystick::open() {
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (SDL_IsGameController(index) == SDL_TRUE) {
            if (SDL_GameController* controller = SDL_GameControllerOpen(index)) {
                controller_ = controller;
                device_ = SDL_GameControllerGetJoystick(controller);
                return true;
            }
        }
        if (SDL_Joystick* joystick = SDL_JoystickOpen(index)) {
            device_ = joystick;
            return true;
        }
    }
    return false;
}

void SdlJoystick::close() {
    if (controller_ != nullptr) {
        SDL_GameControllerClose(controllerOf(controller_));
    } else if (device_ != nullptr) {
        SDL_JoystickClose(joystickOf(device_));
    }
    controller_ = nullptr;
    device_ = nullptr;
}

JoystickState SdlJoystick::readController() const {
    SDL_GameController* pad = controllerOf(controller_);
    const auto pressed = [pad](SDL_GameControllerButton button) {
        return SDL_GameControllerGetButton(pad, button) != 0;
    };
    JoystickState state;
    state.x = toUnsignedAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
    state.y = toUnsignedAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    state.button1 = pressed(SDL_CONTROLLER_BUTTON_A);
    state.button2 = pressed(SDL_CONTROLLER_BUTTON_B);
    state.up = pressed(SDL_CONTROLLER_BUTTON_DPAD_UP);
    state.down = pressed(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    state.left = pressed(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    state.right = pressed(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    return state;
}

JoystickState SdlJoystick::readJoystick() const {
    SDL_Joystick* stick = joystickOf(device_);
    JoystickState state;
    if (SDL_JoystickNumAxes(stick) >= 2) {
        state.x = toUnsignedAxis(SDL_JoystickGetAxis(stick, 0));
        state.y = toUnsignedAxis(SDL_JoystickGetAxis(stick, 1));
    }
    state.button1 = SDL_JoystickNumButtons(stick) >= 1 && SDL_JoystickGetButton(stick, 0) != 0;
    state.button2 = SDL_JoystickNumButtons(stick) >= 2 && SDL_JoystickGetButton(stick, 1) != 0;
    if (SDL_JoystickNumHats(stick) >= 1) {
        const Uint8 hat = SDL_JoystickGetHat(stick, 0);
        state.up = (hat & SDL_HAT_UP) != 0;
        state.down = (hat & SDL_HAT_DOWN) != 0;
        state.left = (hat & SDL_HAT_LEFT) != 0;
        state.right = (hat & SDL_HAT_RIGHT) != 0;
    }
    return state;
}
