#pragma once

#include <QString>
#include <vector>

class EmulatorTable;
class SettingsStore;

// The further emulators of a game key: pairs "Emulator<n>" / "Shortname<n>"
// whose number n is one character counted upward from "1" ("1" ... "9",
// ":", ";" ...); the first absent "Emulator<n>" ends them.
struct AlternativeEmulator {
    QString emulatorId;
    QString shortName;
};

// The pairs of the store's current key, in stored order.
std::vector<AlternativeEmulator> ReadAlternativeEmulators(SettingsStore& key);

// The tidied pairs: those naming a loaded emulator other than the entry's
// own (index `ownIndex`), one per emulator ID (the first met stays, IDs
// compared ignoring case), sorted by emulator ID ignoring case.
std::vector<AlternativeEmulator> TidiedAlternativeEmulators(
    const std::vector<AlternativeEmulator>& pairs, const EmulatorTable& emulators, int ownIndex);

// Tidies the entry's key in the store: the pairs read from "1" upward are
// replaced by the tidied ones, numbered from "1". A key that needs no change
// is not written. Returns true when "Emulator1" exists afterwards; false also
// when the entry has no key.
bool TidyAlternativeEmulators(SettingsStore& store, const QString& entryName,
                              const EmulatorTable& emulators, int ownIndex);
