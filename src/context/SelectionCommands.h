#pragma once

#include <QString>
#include <array>

struct EmulatorDefinition;

// The commands that act on the selected entry, and when the selection
// allows each: what the lists' and the game maintenance's menus offer.

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
    // Marking a favourite: games, a SINGLE emulator's entry (its game) included.
    bool favourite = false;
};

// "&Add to list" is offered for missing games only (isMissingGameItem).
SelectionCommands SelectionCommandsFor(const EmulatorDefinition* emulator, bool isGame, bool locked,
                                       bool missingGame, const QString& pkzipLocation);
