#include "tools/ui/ToolCommands.h"

#include "context/AppContext.h"
#include "context/AppState.h"
#include "context/StatusLine.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/WaitCursor.h"
#include "tools/DriveSearch.h"
#include "tools/ToolLocations.h"
#include "tools/WalkStatus.h"
#include "tools/ui/TFFileLocations.h"
#include "tools/ui/TFSearchOptions.h"

ToolCommands::ToolCommands(AppContext& ctx, AppState& state, const ErrorGuard& guard,
                           StatusLine& status, ToolLocations& tools, QWidget* window)
    : QObject(window),
      ctx_(ctx),
      state_(state),
      guard_(guard),
      status_(status),
      tools_(tools),
      Locations1(newMenuItem(
          this, "Locations1", QStringLiteral("&Locations..."),
          QStringLiteral("Set the locations of PKZIP, PKUNZIP, ZipMagic, JoyEmu, JoyCP and UniVBE"),
          Qt::CTRL | Qt::Key_L)),
      FFileLocations(new TFFileLocations(
          ctx, state, guard, [this](const QString& drives) { SearchDrives(drives); },
          [this](const QString& found) { status_.SetStatus(found); }, window)),
      FSearchOptions(new TFSearchOptions(ctx, state.emulators, guard, window)) {
    setObjectName(QStringLiteral("Tools"));
    guard_.connect(Locations1, &QAction::triggered, this, &ToolCommands::Locations1Click);
}

void ToolCommands::Locations1Click() {
    FFileLocations->SetLocations(tools_);
    const int result = ctx_.dialogs().execDialog(*FFileLocations);
    // Also after Cancel what was typed serves the rest of the run; only OK stores it.
    tools_ = FFileLocations->Locations();
    if (result == mrOk) {
        SettingsStore store = ctx_.store();
        WriteToolLocations(store, tools_);
    }
}

void ToolCommands::SetSearchDrives(const QString& drives) {
    FSearchOptions->SetDrives(drives);
}

std::optional<SearchChoice::Choice> ToolCommands::ChooseSearch() {
    if (ctx_.dialogs().execDialog(*FSearchOptions) != mrOk) {
        return std::nullopt;
    }
    const SearchChoice::Choice choice = FSearchOptions->Choice();
    tools_.drives = choice.drives;
    SettingsStore store = ctx_.store();
    SearchChoice::WriteDrivesToSearch(store, choice.drives);
    SearchChoice::WriteFastListBuild(store, choice.fastListBuild);
    return choice;
}

void ToolCommands::SearchDrives(const QString& drives) {
    const WaitCursor wait;
    SearchDrivesShowingProgress(ctx_.fs(), state_, drives, status_,
                                ctx_.fs().toDos(ctx_.programHostDir()));
}
