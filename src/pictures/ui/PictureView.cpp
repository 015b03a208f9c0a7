#include "pictures/ui/PictureView.h"

#include <QPainter>

#include "imaging/PictureDecoder.h"
#include "imaging/Resample.h"

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor::fromRgb(kBackground));
    setPalette(silver);
}

bool PictureView::loadFile(const QString& hostPath) {
    const auto decoded = loadPicture(hostPath);
    if (!decoded) {
        return false;
    }
    // Transparent parts take the view's background now, so that resampling
    // blends them with silver as they will be seen.
    picture_ = flattenOnto(*decoded, QColor::fromRgb(kBackground));
    update();
    return true;
}

void PictureView::resampleToView(bool highQuality) {
    if (picture_.isNull() || picture_.size() == size()) {
        return;
    }
    picture_ =
        highQuality ? resampleLanczos3(picture_, size()) : resampleHalftone(picture_, size());
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (!picture_.isNull()) {
        QPainter(this).drawImage(0, 0, picture_);
    }
}
