#pragma once

#include <array>

// The 17 option groups an emulator definition may offer, with the section
// that offers each.
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

// The definition file's section that offers a group, matched ignoring case.
// The store keeps each group's choice under the name of the same position in
// StoreSchema::kCheckOptions or kListOptions.
struct OptionGroupInfo {
    const char16_t* section;
};

inline constexpr std::array<OptionGroupInfo, kCheckGroupCount> kCheckGroups = {{
    {u"Vector"},
    {u"Synch"},
    {u"LinesOffscreen"},
    {u"FMMusic"},
    {u"Joystick"},
    {u"Mouse"},
    {u"Trackball"},
    {u"4Way"},
    {u"Cheat"},
}};

inline constexpr std::array<OptionGroupInfo, kListGroupCount> kListGroups = {{
    {u"Resolutions"},
    {u"FrameSkip"},
    {u"VesaMode"},
    {u"Extra"},
    {u"Sound"},
    {u"Rotate"},
    {u"Controller1"},
    {u"Controller2"},
}};

constexpr int index(CheckGroup g) {
    return static_cast<int>(g);
}
constexpr int index(ListGroup g) {
    return static_cast<int>(g);
}
