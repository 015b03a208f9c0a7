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
};

// Without a loaded emulator the emulator name stays empty and the short name
// stands for its own parent, as no merge file can be named.
SelectionInfo SelectionInfoFor(const AppContext& ctx, const EmulatorDefinition* emulator,
                               const QString& shortName, const QString& location);
