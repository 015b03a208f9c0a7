#pragma once

#include <QString>
#include <vector>

class EmulatorTable;
class SettingsStore;

// "&Change Emulators...": a game that further emulators also run moves to
// one of them, the former emulator taking the chosen one's place.
namespace ChangeEmulators {

struct Choice {
    int number = 0;  // the further emulator's number: 1 for "Emulator1"
    QString listName;
};

// The entry's further emulators that name a loaded emulator, in number
// order from "Emulator1" to the first absent number; none without a key.
std::vector<Choice> Choices(SettingsStore& store, const QString& entryName,
                            const EmulatorTable& emulators);

// Further emulator `number` becomes the entry's emulator: "Emulator" and
// "Emulator<n>" change places, and so do "Shortname" and "Shortname<n>"; the
// game's own options ("Specific") go, so that it starts from the new
// emulator's. False, with nothing changed, without the key or that number.
bool MakeEmulator(SettingsStore& store, const QString& entryName, int number);

}  // namespace ChangeEmulators
