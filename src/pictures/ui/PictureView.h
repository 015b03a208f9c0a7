#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "imaging/ResampledPictureCache.h"

// The picture view ImageEn1: a picture drawn over a silver background, at
// the view's top left. It shows what it was last given; a file that cannot
// be decoded leaves it as it was. When the view changes its size the picture
// is resampled to the new size once the size has settled.
class PictureView : public QWidget {
    Q_OBJECT
public:
    static constexpr QRgb kBackground = 0xffc0c0c0;  // silver

    explicit PictureView(QWidget* parent = nullptr);

    // Shows the host file, decoded by its extension and resampled to the
    // view's own width and height (Lanczos-3 when `highQuality`, else the
    // halftone stretch), from the cache when it was shown before; false,
    // and nothing changed, when it cannot be decoded.
    bool showFile(const QString& hostPath, bool highQuality);

    const QImage& picture() const { return picture_; }
    ResampledPictureCache& cache() { return cache_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage picture_;
    ResampledPictureCache cache_;
    // The file shown, resampled again for a new size.
    QString shownPath_;
    bool shownHighQuality_ = false;
    QTimer resample_;
};
