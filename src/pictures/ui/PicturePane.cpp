#include "pictures/ui/PicturePane.h"

#include "context/AppContext.h"
#include "context/AppState.h"
#include "context/StatusLine.h"
#include "pictures/PictureIndex.h"
#include "pictures/PictureLookup.h"
#include "pictures/ui/PictureView.h"
#include "platform/ui/MenuItem.h"
#include "settings/StoreSchema.h"
#include "tools/WalkStatus.h"

PicturePane::PicturePane(AppContext& ctx, AppState& state, const ErrorGuard& guard,
                         StatusLine& status, std::function<QString()> currentEntryName,
                         QWidget* parent)
    : QFrame(parent),
      ctx_(ctx),
      state_(state),
      guard_(guard),
      status_(status),
      currentEntryName_(std::move(currentEntryName)),
      ImageEn1(new PictureView(this)),
      UpdatePictureList1(newMenuItem(this, "UpdatePictureList1",
                                     QStringLiteral("Update &Picture List"),
                                     QStringLiteral("You must use this now to see new pictures!"))),
      HighQualityImages1(newMenuItem(this, "HighQualityImages1",
                                     QStringLiteral("&High Quality Images (slower)"), QString(),
                                     Qt::CTRL | Qt::Key_H)) {
    setObjectName(QStringLiteral("PImage"));
    setFrameShape(QFrame::Box);
    setFixedSize(271, 271);
    ImageEn1->setObjectName(QStringLiteral("ImageEn1"));
    ImageEn1->setGeometry(7, 7, 256, 256);

    guard_.connect(UpdatePictureList1, &QAction::triggered, this,
                   &PicturePane::UpdatePictureList1Click);
    HighQualityImages1->setCheckable(true);
    // The menu has already flipped the check mark; it shows the switch again
    // until the handler has changed it.
    guard_.connect(HighQualityImages1, &QAction::triggered, this, [this] {
        HighQualityImages1->setChecked(highQuality_);
        HighQualityImages1Click();
    });
}

void PicturePane::SetHighQuality(bool highQuality) {
    highQuality_ = highQuality;
    HighQualityImages1->setChecked(highQuality_);
}

void PicturePane::UpdatePictureList1Click() {
    UpdatePictureIndex();
}

void PicturePane::UpdatePictureIndex() {
    BuildPictureIndex(ctx_.fs(), state_, ctx_.ProgramDirectory(), WalkStatus(status_));
    SavePictureIndex(ctx_.fs(), ctx_.ProgramDirectory(), state_.pictureIndex);
    emit picturesChanged();
}

void PicturePane::LoadPictureIndex() {
    const auto bytes = ctx_.fs().readFile(ctx_.ProgramDirectory() + u"picture.dir");
    state_.pictureIndex = bytes ? ReadPictureIndex(*bytes) : QStringList();
}

void PicturePane::ShowGamePicture(int emulatorIndex, const QString& shortName,
                                  const QString& entryName) {
    QString shown = FindGamePicture(ctx_, state_.emulators, state_.pictureIndex, emulatorIndex,
                                    shortName, entryName);
    if (shown.isEmpty()) {
        shown = FindEmulatorPicture(state_.emulators, state_.pictureIndex, emulatorIndex);
    }
    if (shown.isEmpty()) {
        shown = NoImagePicture(ctx_, state_.emulators, emulatorIndex);
    }
    status_.SetStatus(QStringLiteral("Resampling image..."));
    if (!shown.isEmpty()) {
        ImageEn1->showFile(ctx_.fs().resolve(shown), highQuality_);
    }
    status_.SetStatus(QString());
}

void PicturePane::HighQualityImages1Click() {
    SettingsStore store = ctx_.store();
    StoreSchema::openRoot(store, true);
    StoreSchema::kCurrent.writeTo(store, currentEntryName_());
    SetHighQuality(!highQuality_);
    StoreSchema::kHighQualityImages.writeTo(store, highQuality_);
    emit picturesChanged();
}
