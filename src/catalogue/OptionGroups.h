#pragma once

#include <array>

// The 17 option groups an emulator definition may offer, with the section
// that offers each and the settings-store value that keeps its choice.
enum class CheckGroup {
    Vector,
    Synch,
    LinesOffscreen,
    FMMusic,
    Joystick,
    Mouse,
    Trackball,
    FourWay,
    Cheat
};
enum class ListGroup {
    Resolutions,
    FrameSkip,
    VesaMode,
    Extra,
    Sound,
    Rotate,
    Controller1,
    Controller2
};

inline constexpr int kCheckGroupCount = 9;
inline constexpr int kListGroupCount = 8;

struct OptionGroupInfo {
    const char16_t* section;     // definition section, matched ignoring case
    const char16_t* storeValue;  // value name under "Specific"
};

inline constexpr std::array<OptionGroupInfo, kCheckGroupCount> kCheckGroups = {{
    {u"Vector", u"Vector"},
    {u"Synch", u"Synchronize Video"},
    {u"LinesOffscreen", u"Lines Offscreen On"},
    {u"FMMusic", u"FM Music"},
    {u"Joystick", u"Joystick"},
    {u"Mouse", u"Mouse"},
    {u"Trackball", u"Trackball"},
    {u"4Way", u"4-way Joystick"},
    {u"Cheat", u"Cheat"},
}};

inline constexpr std::array<OptionGroupInfo, kListGroupCount> kListGroups = {{
    {u"Resolutions", u"Resolution"},
    {u"FrameSkip", u"Frame Skipping"},
    {u"VesaMode", u"VESA Mode"},
    {u"Extra", u"Pixel Doubling"},
    {u"Sound", u"Sound"},
    {u"Rotate", u"Rotate"},
    {u"Controller1", u"Controller 1"},
    {u"Controller2", u"Controller 2"},
}};

// The spin box value that goes with LinesOffscreen.
inline constexpr char16_t kLinesOffscreenValue[] = u"Lines Offscreen";
inline constexpr char16_t kJoyEmuKeyfileValue[] = u"JoyEmu Keyfile";
inline constexpr char16_t kAdditionalValue[] = u"Additional";

constexpr int index(CheckGroup g) {
    return static_cast<int>(g);
}
constexpr int index(ListGroup g) {
    return static_cast<int>(g);
}
