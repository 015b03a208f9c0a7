#pragma once

#include <QImage>
#include <optional>

class QIODevice;

// JPEG through libjpeg, read from a stream: baseline, progressive, greyscale
// and CMYK (Adobe's inverted form included). A stream that ends before the
// picture does gives nothing.
std::optional<QImage> decodeJpeg(QIODevice& stream);
