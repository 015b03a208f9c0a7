#include "pictures/ui/PictureView.h"

#include <QPainter>

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor::fromRgb(kBackground));
    setPalette(silver);
}

bool PictureView::showFile(const QString& hostPath, bool highQuality) {
    auto shown = cache_.picture(hostPath, size(), highQuality, QColor::fromRgb(kBackground));
    if (!shown) {
        return false;
    }
    picture_ = std::move(*shown);
    update();
    return true;
}

void PictureView::paintEvent(QPaintEvent*) {
    if (!picture_.isNull()) {
        QPainter(this).drawImage(0, 0, picture_);
    }
}
