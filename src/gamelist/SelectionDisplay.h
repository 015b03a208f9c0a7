#pragma once

#include <QString>
#include <array>

class AppContext;
struct EmulatorDefinition;

// What follows the selected entry outside the option panel: the commands
// that act on it and the information area below the Play button.

// The entry is a game unless it is its emulator's own entry (named by the
// emulator's list name). An entry without a loaded emulator counts as a game.
bool IsGameEntry(const EmulatorDefinition* emulator, const QString& entryName);

struct SelectionCommands {
    bool resetToDefaults = false;
    bool removeFromList = false;
    // "Delete &High Score File", "&NVRAM", "&Config", "&Dipswitch", "&Key".
    std::array<bool, 5> deleteStateFile{};
    bool addToList = false;
    bool fixRom = false;
};

// "&Add to list" is offered for missing games only (isMissingGameItem).
SelectionCommands SelectionCommandsFor(const EmulatorDefinition* emulator, bool isGame, bool locked,
                                       bool missingGame, const QString& pkzipLocation);

struct SelectionInfo {
    QString emulator;   // LEmu: the list name
    QString shortName;  // LSn: upper-cased
    QString clone;      // LClone: the parent set, upper-cased; the short name for no clone
    QString path;       // LPath: the entry's "Location"
    QString facts;      // LFacts: year, manufacturer and driver status of a MAME game
};

// Without a loaded emulator the emulator name stays empty and the short name
// stands for its own parent, as no merge file can be named. Only a game of
// a MAME-type emulator has facts; for any other the line stays empty.
SelectionInfo SelectionInfoFor(const AppContext& ctx, const EmulatorDefinition* emulator,
                               const QString& entryName, const QString& shortName,
                               const QString& location);
