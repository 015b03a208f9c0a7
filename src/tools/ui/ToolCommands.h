#pragma once

#include <QAction>
#include <QObject>
#include <optional>

#include "context/ErrorGuard.h"
#include "tools/SearchChoice.h"
#include "tools/ToolLocations.h"

class AppContext;
class EmulatorTable;
class RunOutcome;
class FoundFiles;
class SettingsStore;
class StatusLine;
class TFFileLocations;
class TFSearchOptions;

// The tool locations of the run and the drive search from the window's
// side: "&Locations..." with `TFFileLocations`, `TFSearchOptions`, which
// chooses what a new list build searches, and ZipMagic, which start-up
// turns off and an ordinary close turns on again.
class ToolCommands : public QObject {
    Q_OBJECT
public:
    ToolCommands(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                 StatusLine& status, FoundFiles& foundFiles, QWidget* window);

    QAction* LocationsAction() const { return Locations1; }
    // Where the tools are and which paths are searched, as the run has them.
    const ToolLocations& Locations() const { return tools_; }

    // ---- Start-up and close ----
    // The locations from the store's root, the paths to search also into
    // the search options; ZipMagic is turned off when it is set.
    void RestoreLocations(SettingsStore& root);
    // No paths to search: "C:" (the search options keep theirs).
    void EnsureDrives();
    // The first start's paths to search (the search options keep theirs).
    void SetFirstStartDrives(const QString& drives);
    // A ZipMagic location that names no file is replaced by the one found
    // (none while nothing was searched); ZipMagic is turned off when set.
    void ZipMagicCheck();
    // A new store: every tool location still empty that the last drive
    // search found is taken and stored, as Search Drives and OK in
    // "&Locations..." would.
    void StoreFoundTools();
    // An ordinary close turns ZipMagic on again.
    void ZipMagicOn();

    // The Search Options dialog: after OK its paths are the paths to search
    // and are stored, and searchChosen tells the choice; nothing after Cancel.
    void ChooseSearch();

signals:
    void searchChosen(const SearchChoice::Choice& choice);

private:
    void Locations1Click();
    // The paths to search with Linux paths made DOS paths; nothing, after
    // saying which, when one lies on no drive.
    std::optional<QString> DosSearchPaths(const QString& typed) const;
    // ZipMagic with " /e-", a failed start shown in a box.
    void SwitchZipMagicOff();
    RunOutcome RunZipMagic(const char16_t* option) const;

    AppContext& ctx_;
    ErrorGuard guard_;
    FoundFiles& foundFiles_;
    ToolLocations tools_;
    QAction* Locations1;
    TFFileLocations* FFileLocations;
    TFSearchOptions* FSearchOptions;
};
