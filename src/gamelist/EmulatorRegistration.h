#pragma once

#include <QString>
#include <variant>
#include <vector>

class SettingsStore;
struct EmulatorDefinition;

// The emulator entry that a list build creates the first time it finds an
// emulator's executable: "Location", "Emulator" and the initial option
// values under "Specific".
namespace EmulatorRegistration {

// The one emulator whose video is synchronised from the start: the one at
// this position of the emulator table.
inline constexpr int kSynchronizedEmulatorIndex = 22;

struct InitialValue {
    QString name;
    std::variant<QString, bool> value;
};

// The initial "Specific" values of the emulator at `emulatorIndex`, in the
// order they are written: only for the groups the definition offers
// ("JoyEmu Keyfile" with ShowJoyEmu, "Additional" with ShowAdditional). A
// list group whose section has no entry has no first caption, and nothing
// is written for it: the option panel then shows no choice, which an empty
// text would not name either.
std::vector<InitialValue> InitialOptionValues(const EmulatorDefinition& emulator,
                                              int emulatorIndex);

// Creates the emulator entry with "Location" = `executable`, "Emulator" =
// the emulator ID and its "Specific" with the initial values.
void RegisterEmulator(SettingsStore& store, const EmulatorDefinition& emulator, int emulatorIndex,
                      const QString& executable);

}  // namespace EmulatorRegistration
