#pragma once

#include <QString>

// A pad plugged in through SDL's virtual joystick driver for as long as it
// lives: the real SdlJoystick finds it, reads it and loses it as it does a
// pad on a USB port.
class VirtualPad {
public:
    struct Layout {
        const char* name;
        int axes;
        int buttons;
        int hats;
    };
    // With `mapping` (SDL's mapping fields, "a:b4,b:b5,..."), SDL knows the
    // pad as a game controller; without one it is a plain joystick.
    explicit VirtualPad(const Layout& layout, const QString& mapping = {});
    ~VirtualPad();  // pulls it out
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void axis(int index, int value);  // -32768..32767
    void button(int index, bool down);
    void hat(int bits);  // SDL_HAT_UP, _RIGHT, _DOWN, _LEFT

    // Why virtual pads cannot stand for joystick 1 here (SDL built without
    // the driver, or a real pad plugged in that would be found first); empty
    // when they can.
    static QString unusableBecause();

private:
    int instance_ = -1;  // SDL's instance ID of the pad, which this holds open
};
