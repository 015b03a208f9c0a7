#pragma once

// The option panel's own texts beside the option groups' (whose texts are
// described with the groups, catalogue/OptionGroups.h).

namespace PanelText {
// CBLinesOffscreen reads "U&p lines" until a load gives it the group's caption.
inline constexpr char16_t kLinesOffscreenDesignCaption[] = u"U&p lines";
inline constexpr char16_t kLinesOffscreenLabel[] = u"&lines";
inline constexpr char16_t kJoyEmuLabel[] = u"Joy&Emu keyfile:";
inline constexpr char16_t kJoyEmuHint[] = u"Use to select a .KS file to use with JoyEmu";
inline constexpr char16_t kJoyCpCaption[] = u"Run Joy&CP";
inline constexpr char16_t kJoyCpHint[] =
    u"Runs the JoyEmu Conrtol Panel so you can make a new .KS file";
inline constexpr char16_t kAdditionalLabel[] = u"&Additional Options:";
inline constexpr char16_t kAdditionalHint[] =
    u"Specify options that are not supported with the other controls";
inline constexpr char16_t kResetCaption[] = u"Reset to Emulator &Defaults";
inline constexpr char16_t kResetHint[] =
    u"Resets this ROM's settings to those used by its emulator";
}  // namespace PanelText
