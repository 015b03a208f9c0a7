#pragma once

#include <QString>

class AppContext;
struct EmulatorDefinition;

// The information area below the Play button, as the selected entry fills it.
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
