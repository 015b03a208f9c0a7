#pragma once

#include <QString>
#include <QStringList>

class EmulatorTable;
class SettingsStore;

// What the "Search Options" dialog offers and hands back.
namespace SearchChoice {

struct Emulators {
    QStringList yes;  // list names of emulators found in an earlier search
    QStringList no;
};

// The choice of a new list build: the emulators it visits, the paths it
// searches and its pace.
struct Choice {
    QStringList emulators;  // list names under "Yes"
    QString drives = QStringLiteral("C:");
    bool fastListBuild = false;  // many games per tick of the build
};

// Splits the table's list names by whether the store has an emulator key of
// that name, in table order.
Emulators SplitByStoreKey(SettingsStore& store, const EmulatorTable& emulators);

// Writes "Drives To Search" into the root key. The key is not created: when
// it is missing nothing is written (the text still serves the run).
bool WriteDrivesToSearch(SettingsStore& store, const QString& drives);

// "Fast List Build" of the root; false when the root or the value is missing.
bool ReadFastListBuild(SettingsStore& store);
// Writes it as 0 or 1 into the root key, which is not created.
bool WriteFastListBuild(SettingsStore& store, bool fast);

}  // namespace SearchChoice
