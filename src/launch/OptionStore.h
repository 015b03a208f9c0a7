#pragma once

#include <QString>
#include <variant>

class EmulatorTable;
class SettingsStore;

// One option value as a control holds it: a check state or a text.
using OptionValue = std::variant<bool, QString>;

enum class StoreOutcome {
    NoEntry,         // the entry has no key: nothing to write to
    Written,         // into the entry's existing "Specific"
    Created,         // differed from the emulator's: the entry's "Specific" made and written
    SameAsEmulator,  // equal to the emulator's value: nothing written
};

// Stores one changed option of an entry. An entry with its own "Specific"
// key gets the value there whatever it is; otherwise the value is compared
// with the emulator level (the "Specific" of the emulator that the entry's
// "Emulator" names; a missing key or value counts as false or empty, and so
// does an emulator that is not loaded) and written to a new entry-level key
// only when it differs. Texts compare with case.
StoreOutcome StoreOption(SettingsStore& store, const QString& entryName,
                         const EmulatorTable& emulators, const QString& valueName,
                         const OptionValue& value);

// Deletes the entry's own "Specific" key; true when there was one.
bool ResetToEmulatorDefaults(SettingsStore& store, const QString& entryName);
