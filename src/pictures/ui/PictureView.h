#pragma once

#include <QImage>
#include <QWidget>

// The picture view ImageEn1: a picture drawn over a silver background, at
// the view's top left. It shows what it was last given; a file that cannot
// be decoded leaves it as it was.
class PictureView : public QWidget {
    Q_OBJECT
public:
    static constexpr QRgb kBackground = 0xffc0c0c0;  // silver

    explicit PictureView(QWidget* parent = nullptr);

    // Decodes the host file by its extension; false, and nothing changed,
    // when it cannot.
    bool loadFile(const QString& hostPath);
    // The shown picture resampled to the view's own width and height:
    // Lanczos-3 when `highQuality`, else the halftone stretch.
    void resampleToView(bool highQuality);

    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};
