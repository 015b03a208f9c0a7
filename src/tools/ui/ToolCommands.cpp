#include "tools/ui/ToolCommands.h"

#include <QDebug>
#include <QDir>

#include "context/AppContext.h"
#include "context/BatchRunner.h"
#include "platform/ui/MenuItem.h"
#include "tools/DriveSearch.h"
#include "tools/FoundFiles.h"
#include "tools/ui/TFFileLocations.h"
#include "tools/ui/TFSearchOptions.h"

ToolCommands::ToolCommands(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                           StatusLine& status, FoundFiles& foundFiles, QWidget* window)
    : QObject(window),
      ctx_(ctx),
      guard_(guard),
      foundFiles_(foundFiles),
      Locations1(newMenuItem(
          this, "Locations1", QStringLiteral("&Locations..."),
          QStringLiteral("Set the locations of PKZIP, PKUNZIP, ZipMagic, JoyEmu, JoyCP and UniVBE"),
          Qt::CTRL | Qt::Key_L)),
      FFileLocations(new TFFileLocations(ctx, emulators, guard, status, foundFiles, window)),
      FSearchOptions(new TFSearchOptions(ctx, emulators, guard, window)) {
    setObjectName(QStringLiteral("Tools"));
    guard_.connect(Locations1, &QAction::triggered, this, &ToolCommands::Locations1Click);
}

void ToolCommands::Locations1Click() {
    FFileLocations->SetLocations(tools_);
    int result = ctx_.dialogs().execDialog(*FFileLocations);
    while (result == mrOk) {
        ToolLocations typed = FFileLocations->Locations();
        const std::optional<QString> drives = DosSearchPaths(typed.drives);
        if (drives) {
            typed.drives = *drives;
            FFileLocations->SetLocations(typed);
            break;
        }
        result = ctx_.dialogs().execDialog(*FFileLocations);
    }
    // Also after Cancel what was typed serves the rest of the run; only OK stores it.
    tools_ = FFileLocations->Locations();
    if (result == mrOk) {
        SettingsStore store = ctx_.store();
        WriteToolLocations(store, tools_);
    }
}

void ToolCommands::RestoreLocations(SettingsStore& root) {
    tools_ = ReadToolLocations(root);
    if (!tools_.zipMagic.isEmpty()) {
        SwitchZipMagicOff();
    }
    FSearchOptions->SetDrives(tools_.drives);
}

void ToolCommands::EnsureDrives() {
    if (tools_.drives.isEmpty()) {
        tools_.drives = QStringLiteral("C:");
    }
}

void ToolCommands::SetFirstStartDrives(const QString& drives) {
    tools_.drives = drives;
}

void ToolCommands::ZipMagicCheck() {
    if (!ctx_.fs().fileExists(tools_.zipMagic)) {
        tools_.zipMagic =
            foundFiles_.LocateExecutable(QStringLiteral("ZMCMDLN.EXE")).value_or(QString());
    }
    if (!tools_.zipMagic.isEmpty()) {
        SwitchZipMagicOff();
    }
}

void ToolCommands::StoreFoundTools() {
    const ToolLocations found = WithFoundTools(tools_, foundFiles_.paths());
    if (found == tools_) {
        return;
    }
    const bool zipMagicFound = tools_.zipMagic.isEmpty() && !found.zipMagic.isEmpty();
    tools_ = found;
    SettingsStore store = ctx_.store();
    WriteToolLocations(store, tools_);
    if (zipMagicFound) {
        SwitchZipMagicOff();
    }
}

void ToolCommands::ZipMagicOn() {
    if (tools_.zipMagic.isEmpty()) {
        return;
    }
    // Only said on the error stream: the window is going away, maybe on a
    // signal, and a box would hold the shutdown up.
    if (const RunOutcome run = RunZipMagic(kZipMagicOn); !run.ok()) {
        qWarning().noquote() << "ZipMagic was not switched on again:" << run.message();
    }
}

void ToolCommands::SwitchZipMagicOff() {
    if (const RunOutcome run = RunZipMagic(kZipMagicOff); !run.ok()) {
        ctx_.dialogs().messageBox(u"ZipMagic was not switched off: " + run.message(),
                                  MessageKind::Error, MessageButtons::Ok);
    }
}

RunOutcome ToolCommands::RunZipMagic(const char16_t* option) const {
    return BatchRunner(ctx_).RunCommand(tools_.zipMagic + QString::fromUtf16(option),
                                        ShowMode::Minimised);
}

std::optional<QString> ToolCommands::DosSearchPaths(const QString& typed) const {
    // A Linux path would be searched as a DOS name that nothing matches,
    // and every game would come out missing.
    const DriveSearch::DosPaths paths =
        DriveSearch::ToDosSearchPaths(ctx_.fs(), typed, QDir::homePath());
    if (paths.refused.isEmpty()) {
        return paths.drivesText;
    }
    ctx_.dialogs().messageBox(DriveSearch::RefusedPathsMessage(paths.refused), MessageKind::Warning,
                              MessageButtons::Ok);
    return std::nullopt;
}

void ToolCommands::ChooseSearch() {
    // Asked again while a path lies on no drive.
    std::optional<QString> drives;
    while (!drives) {
        if (ctx_.dialogs().execDialog(*FSearchOptions) != mrOk) {
            return;
        }
        drives = DosSearchPaths(FSearchOptions->Choice().drives);
    }
    FSearchOptions->SetDrives(*drives);
    const SearchChoice::Choice choice = FSearchOptions->Choice();
    tools_.drives = choice.drives;
    SettingsStore store = ctx_.store();
    SearchChoice::WriteDrivesToSearch(store, choice.drives);
    SearchChoice::WriteFastListBuild(store, choice.fastListBuild);
    emit searchChosen(choice);
}
