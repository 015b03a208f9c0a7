#pragma once

#include <QObject>
#include <QPushButton>
#include <optional>

#include "context/ErrorGuard.h"
#include "context/SelectedEntry.h"
#include "launch/PlayReturn.h"

class AppContext;
class EmulatorTable;
struct EmulatorDefinition;
class LaunchOptions;
class SelectionSource;
class StatusLine;
struct ToolLocations;

// Play, `BPlay`: the selected game's script is written and started with the
// option panel's choices; the script starts the program again.
class PlayCommand : public QObject {
    Q_OBJECT
public:
    PlayCommand(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                StatusLine& status, const ToolLocations& tools, SelectionSource& selection,
                LaunchOptions& options, QWidget* buttonParent);

    QWidget* Button() const { return BPlay; }
    void BPlayClick();
    // At start-up: the play the last launch left, once (see TakePlayReturn
    // in launch/PlayReturn.h); none when no launch is waiting.
    std::optional<PlayReturn> TakePlayReturn();

signals:
    // A game was launched: the window closes, and the next start counts the play.
    void launched();

private:
    // The selected entry's emulator when the entry can be played: a list
    // with items, no missing game, a loaded emulator, a ROM name unless SINGLE.
    // Otherwise none, and `whyNot` says why.
    const EmulatorDefinition* LaunchableEmulator(const std::optional<SelectedEntry>& entry,
                                                 QString& whyNot) const;

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    const ToolLocations& tools_;
    SelectionSource& selection_;
    LaunchOptions& options_;
    QPushButton* BPlay;
};
