#include "maintenance/ui/HelpCommands.h"

#include <QDir>

#include "catalogue/EmulatorTable.h"
#include "context/AppContext.h"
#include "context/SelectionSource.h"
#include "context/StatusLine.h"
#include "maintenance/KeyHelp.h"
#include "maintenance/ui/ReadmeViewer.h"
#include "maintenance/ui/TFAbout.h"
#include "maintenance/ui/TFKeys.h"
#include "platform/DosPath.h"
#include "platform/ui/MenuItem.h"

HelpCommands::HelpCommands(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                           StatusLine& status, SelectionSource& selection, QWidget* window)
    : QObject(window),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      selection_(selection),
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
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    if (!entry || !emulators_.isValidIndex(entry->emulatorIndex)) {
        status_.SetStatus(entry ? QString(u"No key help for " + entry->name +
                                          u": its emulator's definition is not loaded.")
                                : QStringLiteral("No key help: the list shows no game."));
        return;
    }
    const EmulatorDefinition& emulator = emulators_.at(entry->emulatorIndex);
    const std::optional<KeyHelp::Passage> passage =
        KeyHelp::PassageFor(ctx_.fs(), emulator, entry->name, entry->shortName,
                            DosPath::directoryPart(entry->emulatorLocation));
    if (!passage) {
        const bool noDocument =
            emulator.keyHelpFile.isEmpty() && emulator.gameKeyHelpFile.isEmpty();
        status_.SetStatus(noDocument ? QString(u"No key help: the definition of " +
                                               emulator.lbName + u" names no key document.")
                                     : QString(u"No key help for " + entry->name + u" in " +
                                               emulator.lbName + u"'s key document."));
        return;
    }
    TFKeys keys(window_);
    keys.Show(passage->caption, passage->lines.join(u'\n'));
    ctx_.dialogs().execDialog(keys);
}

void HelpCommands::DisplayREADME1Click() {
    // The desktop's default handler for the manual; the file is not checked.
    // An opener that is there may still find nothing to open it with (no
    // browser): then, as without one, the manual is shown here, so that the
    // command never ends in nothing.
    const QString readme = ctx_.fs().hostPath(ctx_.ProgramDirectory() + u"readme.htm");
    const auto opened = [this, readme](bool succeeded) {
        if (!succeeded) {
            guard_.run([this, &readme] { ShowReadmeHere(readme); });
        }
    };
    if (!ctx_.starter().startWatched(QStringLiteral("xdg-open"), {readme}, ctx_.programHostDir(),
                                     this, opened)) {
        ShowReadmeHere(readme);
    }
}

void HelpCommands::ShowReadmeHere(const QString& readme) {
    ReadmeViewer viewer(window_);
    if (!viewer.ShowFile(readme)) {
        ctx_.dialogs().messageBox(QStringLiteral("Cannot display %1: the file cannot be read.")
                                      .arg(QDir::toNativeSeparators(readme)),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    ctx_.dialogs().execDialog(viewer);
}

void HelpCommands::About1Click() {
    ctx_.dialogs().execDialog(*FAbout);
}
