#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QStringList>

#include "catalogue/EmulatorDefinition.h"
#include "context/ErrorGuard.h"
#include "context/SelectedEntry.h"

class AppContext;
class EmulatorTable;
class SelectionSource;
class StatusLine;
struct SelectionCommands;
struct ToolLocations;

// Game maintenance on the selected game: "Reset to Emulator &Defaults", the
// per-game state files of "D&elete Configuration Files", "&Fix ROM", "Add
// &Sound Samples...", and "Uninstall..." on the File menu; each but the reset
// a short script started minimised.
class GameMaintenanceCommands : public QObject {
    Q_OBJECT
public:
    GameMaintenanceCommands(AppContext& ctx, const EmulatorTable& emulators,
                            const ErrorGuard& guard, StatusLine& status, const ToolLocations& tools,
                            SelectionSource& selection, QWidget* window);

    QAction* ResetAction() const { return ResettoEmulatorDefaults1; }
    QMenu* DeleteMenu() const { return Advanced1; }
    QAction* FixRomAction() const { return FixROM1; }
    QAction* AddSoundSampleAction() const { return AddSoundSample1; }
    QAction* UninstallAction() const { return Uninstall1; }

    // Enables what the selection's commands allow.
    void Offer(const SelectionCommands& commands);

signals:
    // The reset dropped the entry's own options: the window shows it again.
    void selectedEntryChanged();
    // Uninstall started: the window closes.
    void closeRequested();

private:
    void ResettoEmulatorDefaults1Click();
    void DeleteHighScoreFile1Click();
    void DeleteNVRAMfile1Click();
    void DeleteConfigFile1Click();
    void DeleteDipswitchFile1Click();
    void DeleteKeyFile1Click();
    // The selected game's emulator names the file through one of its [Config]
    // keys; `item` is the command's menu item.
    void DeleteStateFileOf(QString EmulatorDefinition::*pattern, const QAction* item);
    // Deletes one state file of the selected game, named by a [Config] pattern.
    void DeleteGameStateFile(const SelectedEntry& entry, const QString& pattern,
                             const QString& command);
    // Runs the command's script and says in the status bar when it is done.
    // A start that fails is shown with `notDone` before its reason.
    void RunAndTell(const QStringList& lines, const QString& command, const QString& entryName,
                    const QString& notDone);
    void FixROM1Click();
    void AddSoundSample1Click();
    void Uninstall1Click();
    // Runs a maintenance script minimised; when it cannot start, says so
    // after `notDone` ("No samples were added to ...") and returns false.
    bool RunScript(const QStringList& lines, const QString& notDone);

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    const ToolLocations& tools_;
    SelectionSource& selection_;
    QAction* ResettoEmulatorDefaults1;
    QMenu* Advanced1;
    // "Delete &High Score File", "&NVRAM", "&Config", "&Dipswitch", "&Key".
    std::array<QAction*, 5> deleteItems_;
    QAction* FixROM1;
    QAction* AddSoundSample1;
    QAction* Uninstall1;
};
