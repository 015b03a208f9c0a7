#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

#include "imaging/PictureFormat.h"

// Decodes a picture's bytes with the decoder of `format`; nothing when the
// data are not a picture of that format, are cut short or are too big.
std::optional<QImage> decodePicture(const QByteArray& data, PictureFormat format);

// Reads a host file and decodes it by its extension. With `shownAt`, the
// size it is going to be resampled to, a big JPEG may come reduced (see
// decodeJpeg); other formats come whole.
std::optional<QImage> loadPicture(const QString& hostPath, QSize shownAt = QSize());
// Whether loadPicture may give a file of this format reduced for `shownAt`.
bool loadsReduced(PictureFormat format);

// The picture drawn over a plain background: transparent parts take its colour.
QImage flattenOnto(const QImage& picture, const QColor& background);
