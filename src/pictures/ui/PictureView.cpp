#include "pictures/ui/PictureView.h"

#include <QPainter>

namespace {

// A window being dragged to a new size resamples once it rests.
constexpr int kResampleDelayMs = 120;

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor::fromRgb(kBackground));
    setPalette(silver);
    resample_.setSingleShot(true);
    resample_.setInterval(kResampleDelayMs);
    connect(&resample_, &QTimer::timeout, this, [this] {
        if (!shownPath_.isEmpty() && picture_.size() != size()) {
            showFile(shownPath_, shownHighQuality_);
        }
    });
}

bool PictureView::showFile(const QString& hostPath, bool highQuality) {
    auto shown = cache_.picture(hostPath, size(), highQuality, QColor::fromRgb(kBackground));
    if (!shown) {
        return false;
    }
    picture_ = std::move(*shown);
    shownPath_ = hostPath;
    shownHighQuality_ = highQuality;
    update();
    return true;
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!shownPath_.isEmpty()) {
        resample_.start();
    }
}

void PictureView::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    if (picture_.size() == size()) {
        painter.drawImage(0, 0, picture_);
    } else {
        // Until the picture is resampled for the new size, a quick stretch.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
    }
}
