#pragma once

#include <QString>
#include <optional>

class AppContext;
class SettingsStore;

// What a start learns of the play that ended just before it: the launch
// script started the program again once the emulator was done, and
// brivanel-batch's log says how the emulator's line ended.
struct LineFailure {
    QString status;  // "exit status 2", or why the line could not run
    QString said;    // the program's last line of error output, when it wrote one
};

struct PlayReturn {
    QString entryName;  // the game played ("Current")
    // How the emulator's line failed; none when it succeeded or the log
    // does not tell.
    std::optional<LineFailure> failure;
};

// How the line's last run ended, from the log: none when it succeeded, did
// not run, or has not ended.
std::optional<LineFailure> FailureInLog(const QString& logText, const QString& line);

// The play a launch left for this start to look at, once: nothing when no
// launch is waiting. The store's current key must be the root; the launched
// line is removed from it.
std::optional<PlayReturn> TakePlayReturn(const AppContext& ctx, SettingsStore& root);

// What the window says about a failed play; empty when it did not fail.
QString PlayFailureNotice(const PlayReturn& back);
