#pragma once

#include <QObject>
#include <QPushButton>
#include <functional>
#include <optional>

#include "context/ErrorGuard.h"
#include "context/SelectedEntry.h"

class AppContext;
struct AppState;
struct EmulatorDefinition;
struct LaunchRequest;
class OptionPanel;
class StatusLine;
struct ToolLocations;

// Play, `BPlay`: the selected game's script is written and started, and
// the window closes; the script starts the program again.
class PlayCommand : public QObject {
    Q_OBJECT
public:
    using Selection = std::function<std::optional<SelectedEntry>()>;

    PlayCommand(AppContext& ctx, AppState& state, const ErrorGuard& guard, StatusLine& status,
                const ToolLocations& tools, OptionPanel& options, Selection selection,
                QWidget* buttonParent);

    QWidget* Button() const { return BPlay; }
    void BPlayClick();

signals:
    // A game was launched: the window closes.
    void closeRequested();

private:
    // The selected entry's emulator when the entry can be played: a list
    // with items, no missing game, a loaded emulator, a ROM name unless SINGLE.
    // Otherwise none, and `whyNot` says why.
    const EmulatorDefinition* LaunchableEmulator(const std::optional<SelectedEntry>& entry,
                                                 QString& whyNot) const;
    // The entry's facts, the panel's choices and the tool locations.
    LaunchRequest GatherLaunchRequest(const SelectedEntry& entry);

    AppContext& ctx_;
    AppState& state_;
    ErrorGuard guard_;
    StatusLine& status_;
    const ToolLocations& tools_;
    OptionPanel& options_;
    Selection selection_;
    QPushButton* BPlay;
};
