#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <optional>

#include "imaging/PictureFormat.h"

// Decodes a picture's bytes with the decoder of `format`; nothing when the
// data are not a picture of that format, are cut short or are too big.
std::optional<QImage> decodePicture(const QByteArray& data, PictureFormat format);

// Reads a host file and decodes it by its extension.
std::optional<QImage> loadPicture(const QString& hostPath);

// The picture drawn over a plain background: transparent parts take its colour.
QImage flattenOnto(const QImage& picture, const QColor& background);
