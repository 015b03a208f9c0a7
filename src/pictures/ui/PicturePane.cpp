#include "pictures/ui/PicturePane.h"

#include <QLocale>

#include "catalogue/EmulatorTable.h"
#include "context/AppContext.h"
#include "context/SelectedEntry.h"
#include "context/SelectionSource.h"
#include "context/StatusLine.h"
#include "context/StatusProgress.h"
#include "pictures/PictureIndex.h"
#include "pictures/PictureLookup.h"
#include "pictures/PictureSize.h"
#include "pictures/Snapshot.h"
#include "pictures/ui/PictureView.h"
#include "platform/ui/MenuItem.h"
#include "settings/StoreSchema.h"
#include "tools/WalkStatus.h"

PicturePane::PicturePane(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                         StatusLine& status, SelectionSource& selection, QWidget* parent)
    : QFrame(parent),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      selection_(selection),
      frameSide_(PictureSize::kDesignFrame),
      ImageEn1(new PictureView(this)),
      UpdatePictureList1(newMenuItem(this, "UpdatePictureList1",
                                     QStringLiteral("Update &Picture List"),
                                     QStringLiteral("You must use this now to see new pictures!"))),
      HighQualityImages1(newMenuItem(this, "HighQualityImages1",
                                     QStringLiteral("&High Quality Images (slower)"), QString(),
                                     Qt::CTRL | Qt::Key_H)) {
    setObjectName(QStringLiteral("PImage"));
    setFrameShape(QFrame::Box);
    // As large as the window lets it be, and never larger: the rest of the
    // room goes to the list.
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    ImageEn1->setObjectName(QStringLiteral("ImageEn1"));
    const int view = PictureSize::ViewSide(frameSide_);
    ImageEn1->setGeometry(PictureSize::kViewInset, PictureSize::kViewInset, view, view);
    resize(frameSide_, frameSide_);

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

void PicturePane::SetFrameSide(int side) {
    if (side != frameSide_) {
        frameSide_ = side;
        updateGeometry();
    }
}

QSize PicturePane::sizeHint() const {
    return {frameSide_, frameSide_};
}

QSize PicturePane::minimumSizeHint() const {
    return {PictureSize::kSmallestFrame, PictureSize::kSmallestFrame};
}

void PicturePane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // A square view, whatever the frame was given, in the middle of its width.
    const int view = PictureSize::ViewSide(std::min(width(), height()));
    ImageEn1->setGeometry((width() - view) / 2, PictureSize::kViewInset, view, view);
}

void PicturePane::SetHighQuality(bool highQuality) {
    highQuality_ = highQuality;
    HighQualityImages1->setChecked(highQuality_);
}

void PicturePane::UpdatePictureList1Click() {
    UpdatePictureIndex();
}

void PicturePane::UpdatePictureIndex() {
    StatusProgress progress(status_);
    progress.begin(QStringLiteral("Building List: ") + ctx_.ProgramDirectory() + u"BITMAPS...", 0);
    pictureIndex_ = BuildPictureIndex(ctx_.fs(), ctx_.ProgramDirectory(), WalkStatus(progress));
    SavePictureIndex(ctx_.fs(), ctx_.ProgramDirectory(), pictureIndex_);
    const qsizetype count = pictureIndex_.size();
    progress.end(QLocale().toString(count) +
                 (count == 1 ? u" picture indexed" : u" pictures indexed"));
    emit picturesChanged();
}

void PicturePane::LoadPictureIndex() {
    const auto bytes = ctx_.fs().readFile(ctx_.ProgramDirectory() + u"picture.dir");
    pictureIndex_ = bytes ? ReadPictureIndex(*bytes) : QStringList();
}

void PicturePane::ShowGamePicture(int emulatorIndex, const QString& shortName,
                                  const QString& entryName) {
    QString shown =
        FindGamePicture(ctx_, emulators_, pictureIndex_, emulatorIndex, shortName, entryName);
    if (shown.isEmpty()) {
        shown = FindEmulatorPicture(emulators_, pictureIndex_, emulatorIndex);
    }
    if (shown.isEmpty()) {
        shown = NoImagePicture(ctx_, emulators_, emulatorIndex);
    }
    // What the status bar said before stays: it may tell what the command
    // that led here did.
    const QString said = status_.Status();
    status_.SetStatus(QStringLiteral("Resampling image..."));
    if (!shown.isEmpty()) {
        ImageEn1->showFile(ctx_.fs().resolve(shown), highQuality_);
    }
    status_.SetStatus(said);
}

void PicturePane::AdoptSnapshot(const QString& entryName) {
    if (entryName.isEmpty()) {
        return;
    }
    const SelectedEntry entry = ReadSelectedEntry(ctx_, emulators_, entryName, false);
    const EmulatorDefinition* emulator = emulators_.find(entry.emulatorIndex);
    if (emulator == nullptr || entry.emulatorLocation.isEmpty() ||
        !FindGamePicture(ctx_, emulators_, pictureIndex_, entry.emulatorIndex, entry.shortName,
                         entry.name)
             .isEmpty()) {
        return;
    }
    const DosFileSystem& fs = ctx_.fs();
    const QString snapshot =
        NewestSnapshot(fs, SnapshotFolder(entry.emulatorLocation), entry.shortName);
    const QString adopted = CopySnapshot(
        fs, snapshot, ctx_.ProgramDirectory() + PictureFolder(*emulator), entry.shortName);
    if (adopted.isEmpty()) {
        return;
    }
    pictureIndex_.append(adopted.toUpper());
    SavePictureIndex(fs, ctx_.ProgramDirectory(), pictureIndex_);
}

void PicturePane::HighQualityImages1Click() {
    SettingsStore store = ctx_.store();
    StoreSchema::openRoot(store, true);
    selection_.EnsureSelection();
    StoreSchema::kCurrent.writeTo(store, selection_.CurrentEntryName());
    SetHighQuality(!highQuality_);
    StoreSchema::kHighQualityImages.writeTo(store, highQuality_);
    emit picturesChanged();
}
