#pragma once

#include <array>

#include "settings/StoreSchema.h"

// The 17 option groups an emulator definition may offer. Each group is
// described once below: the definition file's section that offers it, the
// store value that keeps its choice under "Specific", and the panel's control
// with the texts it shows until a definition gives its own.
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

constexpr int index(CheckGroup g) {
    return static_cast<int>(g);
}
constexpr int index(ListGroup g) {
    return static_cast<int>(g);
}

struct CheckGroupInfo {
    CheckGroup group;
    const char16_t* section;  // matched ignoring case
    StoreSchema::FlagValue store;
    const char* control;  // the check box's object name
    const char16_t* caption;
    const char16_t* hint;
    bool checkedAtStart = false;
};

struct ListGroupInfo {
    ListGroup group;
    const char16_t* section;  // matched ignoring case
    StoreSchema::TextValue store;
    const char* control;  // the drop-down list's object name
    const char* label;    // its label's object name
    const char16_t* caption;
    const char16_t* hint;         // of the drop-down list
    const char16_t* labelHint;    // of its label; empty: none
    const char16_t* designItems;  // shown before the first load, one per line
};

namespace OptionText {
inline constexpr char16_t kResolutionHint[] =
    u"Select from the available screen resolutions (with emulators, bigger is not always "
    u"better)";
inline constexpr char16_t kFrameSkipHint[] =
    u"Use to draw less frames per second (speeds up slow emulation)";
inline constexpr char16_t kVesaHint[] =
    u"Enable/disable VESA options (use VESA modes for fastest possible emulation";
inline constexpr char16_t kSoundHint[] =
    u"Choose sound mode; 11025kHz is much faster than 44100kHz";
inline constexpr char16_t kRotateHint[] = u"Rotates emulation sideways or upside-down";
inline constexpr char16_t kControllerHint[] = u"Choose controller from list";
}  // namespace OptionText

inline constexpr std::array<CheckGroupInfo, kCheckGroupCount> kCheckGroups = {{
    {CheckGroup::Vector, u"Vector", StoreSchema::kVector, "CBVector", u"Vect&or",
     u"Use for vector games, turns off anti-aliasing in MAME .29 and higher, which speeds up "
     u"emulation"},
    {CheckGroup::Synch, u"Synch", StoreSchema::kSynchronizeVideo, "CBSynchronizeVideo", u"S&ynch",
     u"Synchronizes screen updates with the video beam (reduces shearing but slows emulation)"},
    {CheckGroup::LinesOffscreen, u"LinesOffscreen", StoreSchema::kLinesOffscreenOn,
     "CBLinesOffscreen", u"U&p",
     u"If using a video mode that doesn't quite \"fit\" on your screen, try this"},
    {CheckGroup::FMMusic, u"FMMusic", StoreSchema::kFmMusic, "CBFMMusic", u"FM M&usic",
     u"Deselect if you have problems and don't have a SoundBlaster, in MAME .30 or later "
     u"controls FM Mode",
     true},
    {CheckGroup::Joystick, u"Joystick", StoreSchema::kJoystick, "CBJoystick", u"&Joystick",
     u"Enable/disable joystick support", true},
    {CheckGroup::Mouse, u"Mouse", StoreSchema::kMouse, "CBMouse", u"&Mouse",
     u"Enable/disable mouse support"},
    {CheckGroup::Trackball, u"Trackball", StoreSchema::kTrackball, "CBTrackball", u"Track&ball",
     u"Enable/disable trackball support"},
    {CheckGroup::FourWay, u"4Way", StoreSchema::kFourWayJoystick, "CB4wayJoystick", u"&4-way",
     u"Use if you have trouble controlling games that only respond to 4 directions (Pac-Man, "
     u"Donkey Kong)"},
    {CheckGroup::Cheat, u"Cheat", StoreSchema::kCheat, "CBCheat", u"Chea&t!",
     u"Allows speedups and level skips on some games"},
}};

inline constexpr std::array<ListGroupInfo, kListGroupCount> kListGroups = {{
    {ListGroup::Resolutions, u"Resolutions", StoreSchema::kResolution, "CBResolution",
     "LResolution", u"Resolutio&n:", OptionText::kResolutionHint,
     u"Select from the available screen resolutions (bigger is not always better)",
     u"Custom\n320x240\n512x384\n640x480\n800x600\n1024x768"},
    {ListGroup::FrameSkip, u"FrameSkip", StoreSchema::kFrameSkipping, "CBFrameSkipping",
     "LFrameSkipping", u"Frames&kip:", OptionText::kFrameSkipHint, OptionText::kFrameSkipHint,
     u"60 fps\n30 fps\n20 fps\n15 fps"},
    {ListGroup::VesaMode, u"VesaMode", StoreSchema::kVesaMode, "CBVesaMode", "LVesaMode",
     u"&VESA Mode:", OptionText::kVesaHint, OptionText::kVesaHint,
     u"Custom\nVesa 1.2\nVesa 2.0 banked\nVesa 2.0 linear"},
    {ListGroup::Extra, u"Extra", StoreSchema::kPixelDoubling, "CBExtraGraphics", "LExtraGraphics",
     u"E&xtra Graphic Options:", u"If you have double or half screens, change these options",
     u"Select other video options", u"No Doubling (Mini)\nNo Scanlines\nScanlines"},
    {ListGroup::Sound, u"Sound", StoreSchema::kSound, "CBSound", "LSound", u"&Sound:",
     OptionText::kSoundHint, OptionText::kSoundHint,
     u"Silence\nSound Blaster\nSound Blaster AWE32\nPro Audio Spectrum\nUltrasound Max (CS4231 "
     u"Codec)\nUltrasound\nWindows Sound System\nEnsoniq Soundscape"},
    {ListGroup::Rotate, u"Rotate", StoreSchema::kRotate, "CBRotate", "LRotate", u"&Rotate:",
     OptionText::kRotateHint, OptionText::kRotateHint, u"None\nLeft\nRight"},
    {ListGroup::Controller1, u"Controller1", StoreSchema::kController1, "CBController1",
     "LController1", u"Controller &1:", OptionText::kControllerHint, u"", u""},
    {ListGroup::Controller2, u"Controller2", StoreSchema::kController2, "CBController2",
     "LController2", u"Controller &2:", OptionText::kControllerHint, u"", u""},
}};

// Each description sits at its group's position, so a group's index finds it.
constexpr bool describedInOrder() {
    for (int g = 0; g < kCheckGroupCount; ++g) {
        if (index(kCheckGroups[size_t(g)].group) != g) {
            return false;
        }
    }
    for (int g = 0; g < kListGroupCount; ++g) {
        if (index(kListGroups[size_t(g)].group) != g) {
            return false;
        }
    }
    return true;
}
static_assert(describedInOrder());

constexpr const CheckGroupInfo& describe(CheckGroup group) {
    return kCheckGroups[size_t(index(group))];
}
constexpr const ListGroupInfo& describe(ListGroup group) {
    return kListGroups[size_t(index(group))];
}

// The store value that keeps a group's choice under "Specific".
constexpr const StoreSchema::FlagValue& optionValue(CheckGroup group) {
    return describe(group).store;
}
constexpr const StoreSchema::TextValue& optionValue(ListGroup group) {
    return describe(group).store;
}
