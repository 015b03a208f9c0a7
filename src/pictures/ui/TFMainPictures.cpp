// The game's picture in the main window: the picture index, its menu
// commands and the view.
#include "app/ui/GuardedHandler.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "pictures/PictureIndex.h"
#include "pictures/PictureLookup.h"
#include "pictures/ui/PictureView.h"
#include "settings/KeyPath.h"
#include "tools/ProgressThrottle.h"

namespace {

// As the drive search: often enough to look alive, rarely enough not to
// slow the walk down.
constexpr qint64 kStatusRepaintMs = 40;

}  // namespace

void TFMain::CreatePictureMenus() {
    UpdatePictureList1 = new QAction(QStringLiteral("Update &Picture List"), this);
    UpdatePictureList1->setStatusTip(QStringLiteral("You must use this now to see new pictures!"));
    // After the list commands, which stay together, before the separator.
    const QList<QAction*> items = File1->actions();
    File1->insertAction(items.value(items.indexOf(RemoveALLRegistryKeys1) + 1), UpdatePictureList1);
    connectGuarded(UpdatePictureList1, &QAction::triggered, this, &TFMain::UpdatePictureList1Click);

    Display1->addSeparator();
    Display1->addAction(HighQualityImages1);
    // The menu has already flipped the check mark; the handler flips it itself.
    connect(HighQualityImages1, &QAction::triggered, this, [this] {
        HighQualityImages1->setChecked(!HighQualityImages1->isChecked());
        Guard([this] { HighQualityImages1Click(); });
    });
}

void TFMain::UpdatePictureList1Click() {
    UpdatePictureIndex();
}

void TFMain::UpdatePictureIndex() {
    ProgressThrottle throttle(kStatusRepaintMs);
    BuildPictureIndex(ctx_.fs(), state, ctx_.ProgramDirectory(),
                      [this, &throttle](const WalkStep& step) {
                          if (throttle.due()) {
                              SetStatus(step.statusText());
                          }
                      });
    SavePictureIndex(ctx_.fs(), ctx_.ProgramDirectory(), state.pictureIndex);
    ShowSelectedGame();
}

void TFMain::LoadPictureIndex() {
    const auto bytes = ctx_.fs().readFile(ctx_.ProgramDirectory() + u"picture.dir");
    state.pictureIndex = bytes ? ReadPictureIndex(*bytes) : QStringList();
}

QString TFMain::ShowGamePicture(int emulatorIndex, const QString& shortName,
                                const QString& entryName, bool lookOnly) {
    const QString found = FindGamePicture(ctx_, state.emulators, state.pictureIndex, emulatorIndex,
                                          shortName, entryName);
    if (lookOnly) {
        return found;
    }
    QString shown = found.isEmpty()
                        ? FindEmulatorPicture(state.emulators, state.pictureIndex, emulatorIndex)
                        : found;
    if (shown.isEmpty()) {
        shown = NoImagePicture(ctx_, state.emulators, emulatorIndex);
    }
    SetStatus(QStringLiteral("Resampling image..."));
    if (!shown.isEmpty()) {
        // A picture that cannot be decoded leaves the view as it was.
        ImageEn1->showFile(ctx_.fs().resolve(shown), HighQualityImages1->isChecked());
    }
    SetStatus(QString());
    LEmu->setText(state.emulators.isValidIndex(emulatorIndex)
                      ? state.emulators.at(emulatorIndex).lbName
                      : QString());
    LEmu->repaint();
    return found;
}

void TFMain::HighQualityImages1Click() {
    SettingsStore store = ctx_.store();
    store.OpenKey(StorePaths::Root(), true);
    store.WriteString(QStringLiteral("Current"), CurrentEntryName());
    HighQualityImages1->setChecked(!HighQualityImages1->isChecked());
    store.WriteBool(QStringLiteral("High Quality Images"), HighQualityImages1->isChecked());
    ShowSelectedGame();
}
