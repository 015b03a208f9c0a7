#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <optional>
#include <string_view>
#include <type_traits>

#include "settings/StoreError.h"

class SettingsStore;

// The program's part of the settings store: the keys below
// \Software\Quenterby\Brivanel and the name and type of every value the
// program keeps there. Names keep the case the program has always written
// them in; the store finds them ignoring case.
namespace StoreSchema {

// A value's name and the type it is stored as: QString text, int integer,
// bool flag (0 or 1), double date-time (days since 1899-12-30, binary).
// Reads and writes go to the current key of a SettingsStore (or a
// SubkeyValues); an absent text reads as "", any other absent type throws
// StoreError as the store's own reads do.
template <typename T>
class StoreValue {
    static_assert(std::is_same_v<T, QString> || std::is_same_v<T, int> || std::is_same_v<T, bool> ||
                  std::is_same_v<T, double>);

public:
    constexpr explicit StoreValue(std::u16string_view name) : name_(name) {}

    // The name as the store is given it; no copy of the text is made.
    QString name() const {
        return QString::fromRawData(reinterpret_cast<const QChar*>(name_.data()),
                                    qsizetype(name_.size()));
    }

    template <typename Key>
    bool isIn(Key& key) const {
        return key.ValueExists(name());
    }
    template <typename Key>
    T readFrom(Key& key) const {
        if constexpr (std::is_same_v<T, QString>) {
            return key.ReadString(name());
        } else if constexpr (std::is_same_v<T, int>) {
            return key.ReadInteger(name());
        } else if constexpr (std::is_same_v<T, bool>) {
            return key.ReadBool(name());
        } else {
            return key.ReadDateTime(name());
        }
    }
    // Nothing when the key has no such value.
    template <typename Key>
    std::optional<T> readIfIn(Key& key) const {
        return isIn(key) ? std::optional<T>(readFrom(key)) : std::nullopt;
    }
    // Nothing also when the key holds the value as another type: for reads
    // that one damaged entry must not stop, such as a list of thousands.
    template <typename Key>
    std::optional<T> readIfValid(Key& key) const {
        try {
            return readIfIn(key);
        } catch (const StoreTypeError&) {
            return std::nullopt;
        }
    }
    template <typename Key>
    void writeTo(Key& key, const T& value) const {
        if constexpr (std::is_same_v<T, QString>) {
            key.WriteString(name(), value);
        } else if constexpr (std::is_same_v<T, int>) {
            key.WriteInteger(name(), value);
        } else if constexpr (std::is_same_v<T, bool>) {
            key.WriteBool(name(), value);
        } else {
            key.WriteDateTime(name(), value);
        }
    }

private:
    std::u16string_view name_;
};

using TextValue = StoreValue<QString>;
using IntegerValue = StoreValue<int>;
using FlagValue = StoreValue<bool>;
using DateTimeValue = StoreValue<double>;

// Keys. The root lies at \Software\Quenterby\Brivanel; below it one key per
// emulator (named by its list name) and per game (named by its entry name),
// each with an optional subkey of option values.
inline constexpr std::array<std::u16string_view, 3> kRootKeys{u"Software", u"Quenterby",
                                                              u"Brivanel"};
inline constexpr std::u16string_view kSpecific = u"Specific";

// Opens the root as the store's current key, creating it when `canCreate`;
// false (and the current key unchanged) when it does not exist.
bool openRoot(SettingsStore& store, bool canCreate);

// Values of the root.
inline constexpr TextValue kVersion{
    u"Version"};  // versionStamp(); any other makes start-up migrate
inline constexpr TextValue kCurrent{u"Current"};  // the entry selected last
inline constexpr DateTimeValue kTime{u"Time"};    // when the last run launched a game, else 0
// The emulator's line of the last launch, until the start after it has
// looked in Execute.log at how it ended.
inline constexpr TextValue kLaunchedLine{u"Launched Line"};
inline constexpr TextValue kPkzipPath{u"PKZIP Path"};
inline constexpr TextValue kPkunzipPath{u"PKUNZIP Path"};
inline constexpr TextValue kZipMagicPath{u"ZipMagic Path"};
inline constexpr TextValue kJoyEmuPath{u"JOYEMU Path"};
inline constexpr TextValue kJoyCpPath{u"JoyCP Path"};
inline constexpr TextValue kUniVbePath{u"UniVBE Path"};
inline constexpr TextValue kDrivesToSearch{u"Drives To Search"};
// The list build's pace: 1 handles games for about 40 ms per tick, 0 (or
// none) one game per tick.
inline constexpr FlagValue kFastListBuild{u"Fast List Build"};
// Written in pairs: by Name and by Emulator opposite, count and missing together.
inline constexpr FlagValue kDisplayByName{u"Display by Name"};
inline constexpr FlagValue kDisplayByEmulator{u"Display by Emulator"};
inline constexpr FlagValue kDisplayByCount{u"Display by Count"};
inline constexpr FlagValue kShowMissing{u"Show Missing"};
inline constexpr FlagValue kHighQualityImages{u"High Quality Images"};
// Mechanical machines (pinball, slot machines) left out of the lists.
inline constexpr FlagValue kHideMechanical{u"Hide Mechanical"};
inline constexpr TextValue kLocked{u"Locked"};  // the lock's password; locked when not empty
// Numbers the plays counted so far, so that the latest can be found again.
inline constexpr IntegerValue kPlaysCounted{u"Plays Counted"};
// The main window's place, size and maximised state, as Qt saves a window's
// geometry, in Base64.
inline constexpr TextValue kWindowGeometry{u"Window Geometry"};

// The stored version of this build: the project's version without its
// leading zero, ".26" for 0.26.
QString versionStamp();

// Values of an emulator or game key.
inline constexpr TextValue kLocation{u"Location"};  // a path, "Dir" or "#" (not found)
inline constexpr TextValue kEmulator{u"Emulator"};  // the emulator ID
inline constexpr TextValue kShortname{u"Shortname"};
inline constexpr IntegerValue kCount{u"Count"};           // plays of a game
inline constexpr TextValue kRomLocation{u"ROMLocation"};  // an emulator's, kept as read
inline constexpr FlagValue kFavourite{u"Favourite"};      // a game on the Favourites page
// The number ("Plays Counted") of the game's latest counted play.
inline constexpr IntegerValue kLastPlay{u"Last Play"};

// What a MAME-type emulator tells of a game (-listxml), refreshed by every
// build that could read it. A device or BIOS set is never given an entry;
// an entry an older build made for one is kept, flagged and not listed.
inline constexpr TextValue kYear{u"Year"};
inline constexpr TextValue kManufacturer{u"Manufacturer"};
inline constexpr TextValue kDriverStatus{u"Driver Status"};  // "good", "imperfect", "preliminary"
inline constexpr FlagValue kMechanical{u"Mechanical"};
inline constexpr FlagValue kDevice{u"Device"};
inline constexpr FlagValue kBios{u"BIOS"};

// The value of further emulator n (1-based) of a game: "Emulator" or
// "Shortname" and one number character counted up by character code from
// "1" ("Emulator9", then "Emulator:", "Emulator;" ...).
QString furtherName(const TextValue& stem, int n);

// Option values under "Specific", one per option group of the definition
// files (catalogue/OptionGroups.h gives each group its value).
inline constexpr FlagValue kVector{u"Vector"};
inline constexpr FlagValue kSynchronizeVideo{u"Synchronize Video"};
inline constexpr FlagValue kLinesOffscreenOn{u"Lines Offscreen On"};
inline constexpr FlagValue kFmMusic{u"FM Music"};
inline constexpr FlagValue kJoystick{u"Joystick"};
inline constexpr FlagValue kMouse{u"Mouse"};
inline constexpr FlagValue kTrackball{u"Trackball"};
inline constexpr FlagValue kFourWayJoystick{u"4-way Joystick"};
inline constexpr FlagValue kCheat{u"Cheat"};

inline constexpr TextValue kResolution{u"Resolution"};
inline constexpr TextValue kFrameSkipping{u"Frame Skipping"};
inline constexpr TextValue kVesaMode{u"VESA Mode"};
inline constexpr TextValue kPixelDoubling{u"Pixel Doubling"};
inline constexpr TextValue kSound{u"Sound"};
inline constexpr TextValue kRotate{u"Rotate"};
inline constexpr TextValue kController1{u"Controller 1"};
inline constexpr TextValue kController2{u"Controller 2"};

// The line count beside the "Lines Offscreen On" box, as decimal text.
inline constexpr TextValue kLinesOffscreen{u"Lines Offscreen"};
inline constexpr TextValue kJoyEmuKeyfile{u"JoyEmu Keyfile"};
inline constexpr TextValue kAdditional{u"Additional"};

}  // namespace StoreSchema
