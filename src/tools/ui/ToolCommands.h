#pragma once

#include <QAction>
#include <QObject>
#include <optional>

#include "context/ErrorGuard.h"
#include "tools/SearchChoice.h"

class AppContext;
struct AppState;
class StatusLine;
class TFFileLocations;
class TFSearchOptions;
struct ToolLocations;

// The tool locations and the drive search from the window's side:
// "&Locations..." with `TFFileLocations`, and `TFSearchOptions`, which
// chooses what a new list build searches.
class ToolCommands : public QObject {
    Q_OBJECT
public:
    // `tools` are the run's tool locations, which the dialogs change.
    ToolCommands(AppContext& ctx, AppState& state, const ErrorGuard& guard, StatusLine& status,
                 ToolLocations& tools, QWidget* window);

    QAction* LocationsAction() const { return Locations1; }
    // The paths the Search Options dialog shows until the user changes them.
    void SetSearchDrives(const QString& drives);
    // The Search Options dialog: after OK its paths are the paths to search
    // and are stored; nothing after Cancel.
    std::optional<SearchChoice::Choice> ChooseSearch();

private:
    void Locations1Click();
    void SearchDrives(const QString& drives);

    AppContext& ctx_;
    AppState& state_;
    ErrorGuard guard_;
    StatusLine& status_;
    ToolLocations& tools_;
    QAction* Locations1;
    TFFileLocations* FFileLocations;
    TFSearchOptions* FSearchOptions;
};
