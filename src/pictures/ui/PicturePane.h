#pragma once

#include <QAction>
#include <QFrame>
#include <QStringList>

#include "context/ErrorGuard.h"

class AppContext;
class EmulatorTable;
class PictureView;
class SelectionSource;
class StatusLine;

// The selected game's picture in its frame `PImage`, the view `ImageEn1`,
// with the picture index it is found in and the commands "Update &Picture
// List" and "&High Quality Images (slower)".
class PicturePane : public QFrame {
    Q_OBJECT
public:
    // `selection` names the selected entry, which the quality switch keeps
    // as "Current".
    PicturePane(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                StatusLine& status, SelectionSource& selection, QWidget* parent);

    // The frame's side as the window's room allows (PictureSize::FrameSide);
    // the layout may still give it less.
    void SetFrameSide(int side);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QAction* UpdatePictureListAction() const { return UpdatePictureList1; }
    QAction* HighQualityAction() const { return HighQualityImages1; }
    void SetHighQuality(bool highQuality);

    // picture.dir into the picture index.
    void LoadPictureIndex();
    // Walks BITMAPS into the picture index and picture.dir.
    void UpdatePictureIndex();
    // The lines of picture.dir, as loaded or built last.
    const QStringList& PictureIndex() const { return pictureIndex_; }
    // Shows the entry's picture, the emulator's own one when it has none,
    // else noimage.bmp; a picture that cannot be decoded leaves the view.
    void ShowGamePicture(int emulatorIndex, const QString& shortName, const QString& entryName);
    // After a play: a game without a picture of its own gets its newest
    // snapshot from its emulator's snapshot folder (pictures/Snapshot.h) as
    // its picture, indexed at once.
    void AdoptSnapshot(const QString& entryName);

signals:
    // The pictures or their quality changed: the selected one is shown again.
    void picturesChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdatePictureList1Click();
    void HighQualityImages1Click();

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    SelectionSource& selection_;
    QStringList pictureIndex_;
    bool highQuality_ = false;
    int frameSide_;
    PictureView* ImageEn1;
    QAction* UpdatePictureList1;
    QAction* HighQualityImages1;
};
