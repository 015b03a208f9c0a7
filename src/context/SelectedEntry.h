#pragma once

#include <QString>

class AppContext;
class EmulatorTable;

// The selected entry as the main window's accessors describe it
// (CurrentEntryName, CurrentShortName, CurrentLocation, CurrentEmulatorIndex,
// CurrentEmulatorLocation): what a command reads before it acts.
struct SelectedEntry {
    QString itemText;  // as the list shows it
    QString name;      // the entry name behind the text
    bool missing = false;
    QString shortName;         // the entry's "Shortname"
    QString location;          // the entry's "Location"
    int emulatorIndex = 0;     // the emulator its "Emulator" names; 0 when none is loaded
    QString emulatorLocation;  // that emulator's "Location", the path of its executable
};

// Reads the entry behind a list item's text. A missing key or value gives
// empty texts and index 0, as the accessors give them.
SelectedEntry ReadSelectedEntry(const AppContext& ctx, const EmulatorTable& emulators,
                                const QString& itemText, bool showCount);
