// Key help, the README and the About box.
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "maintenance/KeyHelp.h"
#include "maintenance/ui/TFAbout.h"
#include "maintenance/ui/TFKeys.h"
#include "platform/DosPath.h"

void TFMain::Keys1Click() {
    const int index = CurrentEmulatorIndex();
    if (!state.emulators.isValidIndex(index)) {
        return;
    }
    const std::optional<KeyHelp::Passage> passage =
        KeyHelp::PassageFor(ctx_.fs(), state.emulators.at(index), CurrentEntryName(),
                            CurrentShortName(), DosPath::directoryPart(CurrentEmulatorLocation()));
    if (!passage) {
        return;
    }
    TFKeys keys(this);
    keys.setWindowTitle(passage->caption);
    keys.MKeys->setPlainText(passage->lines.join(u'\n'));
    ctx_.dialogs().execDialog(keys);
}

void TFMain::DisplayREADME1Click() {
    // The desktop's default handler for the manual; the file is not checked.
    const QString readme = ctx_.fs().hostPath(ctx_.ProgramDirectory() + u"readme.htm");
    if (!ctx_.starter().startDetached(QStringLiteral("xdg-open"), {readme},
                                      ctx_.programHostDir())) {
        ctx_.dialogs().messageBox(
            QStringLiteral("Cannot display %1: no program to open it was found.").arg(readme),
            MessageKind::Error, MessageButtons::Ok);
    }
}

void TFMain::About1Click() {
    ctx_.dialogs().execDialog(*FAbout);
}
