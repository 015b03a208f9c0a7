#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class AppContext;
class EmulatorTable;

// The items of the game lists, computed from the store's keys without any
// widget: the window hands each list its items in one piece and selects the
// entry that "Current" names.
namespace ListFill {

// The Display menu's view: by Name or by Emulator, and the switches that
// decide which entries are shown and how.
struct Switches {
    bool showCount = false;
    bool showMissing = true;
    bool byEmulator = false;
    bool hideMechanical = false;  // MAME's mechanical machines left out
};

// Items of the by-Name pages, unsorted (the lists sort them once).
struct NameLists {
    QStringList arcade;      // entries whose definition file's Type is not CONSOLE
    QStringList console;     // entries whose definition file's Type is CONSOLE
    QStringList favourites;  // the favourites among both
};

// Items of the by-Emulator pages, unsorted.
struct EmulatorLists {
    // By emulator index ([0] unused); only emulators with their own page get items.
    std::vector<QStringList> pages;
    QStringList single;
    // Each favourite once, whatever pages it is on.
    QStringList favourites;
    // The emulator index of the listed entry that "Current" names; 0 when it is not listed.
    int currentEmulator = 0;
};

// The entry that the root value "Current" names, as the lists show it.
struct CurrentEntry {
    QString name;
    // The item text to look for: framed when the entry is missing, its play
    // count in front when counts are shown.
    QString itemText;
    // The entry has a further emulator ("Emulator1").
    bool hasFurtherEmulators = false;
};

// "[ name ]": the text of a game whose ROM was not found.
QString FramedName(const QString& name);

NameLists ByName(const AppContext& ctx, const Switches& switches);
EmulatorLists ByEmulator(const AppContext& ctx, const EmulatorTable& emulators,
                         const Switches& switches);
CurrentEntry ReadCurrent(const AppContext& ctx, bool showCount);
// Any entry as the lists show it.
CurrentEntry ReadEntry(const AppContext& ctx, const QString& entryName, bool showCount);

// Program-wide values are written only while the root exists; it is never
// created again here (after "Uninstall..." it is gone for good).
// "Current": the entry the lists select again after a rebuild.
void WriteCurrent(const AppContext& ctx, const QString& entryName);
// "Display by Name" and "Display by Emulator".
void WriteViewMode(const AppContext& ctx, bool byEmulator);
// "Show Missing" and "Display by Count".
void WriteItemSwitches(const AppContext& ctx, const Switches& switches);
// "Hide Mechanical".
void WriteHideMechanical(const AppContext& ctx, bool hide);

}  // namespace ListFill
