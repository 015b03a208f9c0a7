#pragma once

#include <QStringList>
#include <memory>

#include "app/ui/TFMain.h"
#include "catalogue/EmulatorTable.h"
#include "gamelist/ui/ListBuildController.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"

// A temporary installation with emulator definitions, stand-in emulators and
// ROM files, and the main window started on it, for whole list builds. The
// search walks C: and D:; the program directory is C:\BRIVANEL.
class ListBuildInstallation {
public:
    explicit ListBuildInstallation(const QString& programFolder = QStringLiteral("BRIVANEL"));
    ~ListBuildInstallation();

    // <program directory><id>.ini with [Emulator] LBName, Type and the extra
    // lines (further keys of [Emulator] first, then sections).
    void writeDefinition(const QString& id, const QString& lbName, const QString& type,
                         const QStringList& extra = {});
    // An executable shell script: the stand-in for an emulator.
    void writeStandIn(const QString& dosPath, const QString& shellBody);
    void writeFile(const QString& dosPath, const QByteArray& content = QByteArray("rom"));
    void writeLines(const QString& dosPath, const QStringList& lines) {
        inst.writeLines(dosPath, lines);
    }

    // The store as an earlier run left it: the root with "Version" = ".26".
    void writeExistingStore();
    // Creates the main window and runs its start-up.
    TFMain& start();
    TFMain& main() { return *main_; }
    ListBuildController& listBuild();
    // Destroys the main window, as the end of the program does.
    void closeMain() { main_.reset(); }

    // The emulators as the window's start-up loaded them, in table order
    // (a list file that appears later changes no place).
    const EmulatorTable& emulators() const { return emulators_; }

    // Answers the search options dialog with `chosen` in LBYes, C: and D: to
    // search and the pace, and starts "&Update Game List..." from its menu item.
    void updateGameList(const QStringList& chosen, bool fast = false);
    // Only the answer, for the build that a first start runs by itself.
    void answerSearchOptions(const QStringList& chosen, bool fast = false);
    // Ticks Timer1's handler until the timer stops, running each recorded Execute.bat start
    // with the real interpreter before the next tick. Stops early while the
    // list file is awaited and nothing more can make it appear. Returns the
    // number of ticks.
    int finishTicks(int maxTicks = 100000);
    // The same, stopping once the current emulator's last game is handled,
    // before the tick that ends the emulator (and rebuilds the lists).
    int ticksToLastGame(int maxTicks = 100000);
    // Runs the starts recorded since the last call, each to its end.
    void runRecordedScripts();
    // Runs the event loop while the build reads an emulator's facts, which
    // the ticks here do not; a read that never ends is given up by the
    // build's own clock.
    void waitForFacts();
    static bool interpreterBuilt();

    // A value of an entry read through a second connection to the store;
    // "<no entry>" or "<none>" when the entry or the value is absent.
    QString value(const QString& entry, const QString& name);
    QString rootValue(const QString& name);
    bool entryExists(const QString& entry);
    QStringList listItems() const;

    TempInstallation inst;

private:
    std::unique_ptr<TFMain> main_;
    EmulatorTable emulators_;
    int tick(int maxTicks, bool stopAtLastGame);
    bool gamesLeft();
    size_t scriptsRun_ = 0;
};
