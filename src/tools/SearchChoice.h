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

// The choice of a new list build: the emulators it visits and the paths it
// searches.
struct Choice {
    QStringList emulators;  // list names under "Yes"
    QString drives = QStringLiteral("C:");
};

// Splits the table's list names by whether the store has an emulator key of
// that name, in table order.
Emulators SplitByStoreKey(SettingsStore& store, const EmulatorTable& emulators);

// Writes "Drives To Search" into the root key. The key is not created: when
// it is missing nothing is written (the text still serves the run).
bool WriteDrivesToSearch(SettingsStore& store, const QString& drives);

}  // namespace SearchChoice
