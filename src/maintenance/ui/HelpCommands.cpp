#include "maintenance/ui/HelpCommands.h"

#include "context/AppContext.h"
#include "context/AppState.h"
#include "maintenance/KeyHelp.h"
#include "maintenance/ui/TFAbout.h"
#include "maintenance/ui/TFKeys.h"
#include "platform/DosPath.h"
#include "platform/ui/MenuItem.h"

HelpCommands::HelpCommands(AppContext& ctx, AppState& state, const ErrorGuard& guard,
                           Selection selection, QWidget* window)
    : QObject(window),
      ctx_(ctx),
      state_(state),
      guard_(guard),
      selection_(std::move(selection)),
      window_(window),
      Keys1(newMenuItem(this, "Keys1", QStringLiteral("&Keys..."),
                        QStringLiteral("Shows the emulator or game-specific keys"),
                        Qt::CTRL | Qt::Key_K)),
      DisplayREADME1(
          newMenuItem(this, "DisplayREADME1", QStringLiteral("&Display README..."),
                      QStringLiteral("Displays the HTML Readme file in your Web browser"))),
      About1(newMenuItem(this, "About1", QStringLiteral("&About..."),
                         QStringLiteral("To those who made it all possible..."))),
      FAbout(new TFAbout(window)) {
    setObjectName(QStringLiteral("Help"));
    guard_.connect(Keys1, &QAction::triggered, this, &HelpCommands::Keys1Click);
    guard_.connect(DisplayREADME1, &QAction::triggered, this, &HelpCommands::DisplayREADME1Click);
    guard_.connect(About1, &QAction::triggered, this, &HelpCommands::About1Click);
}

void HelpCommands::SetVersion(const QString& version) {
    FAbout->SetVersion(version);
}

void HelpCommands::Keys1Click() {
    const std::optional<SelectedEntry> entry = selection_();
    if (!entry || !state_.emulators.isValidIndex(entry->emulatorIndex)) {
        return;
    }
    const std::optional<KeyHelp::Passage> passage =
        KeyHelp::PassageFor(ctx_.fs(), state_.emulators.at(entry->emulatorIndex), entry->name,
                            entry->shortName, DosPath::directoryPart(entry->emulatorLocation));
    if (!passage) {
        return;
    }
    TFKeys keys(window_);
    keys.Show(passage->caption, passage->lines.join(u'\n'));
    ctx_.dialogs().execDialog(keys);
}

void HelpCommands::DisplayREADME1Click() {
    // The desktop's default handler for the manual; the file is not checked.
    const QString readme = ctx_.fs().hostPath(ctx_.ProgramDirectory() + u"readme.htm");
    if (!ctx_.starter().startDetached(QStringLiteral("xdg-open"), {readme},
                                      ctx_.programHostDir())) {
        ctx_.dialogs().messageBox(
            QStringLiteral("Cannot display %1: no program to open it was found.").arg(readme),
            MessageKind::Error, MessageButtons::Ok);
    }
}

void HelpCommands::About1Click() {
    ctx_.dialogs().execDialog(*FAbout);
}
