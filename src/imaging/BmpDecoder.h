#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// Windows and OS/2 bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4 and
// RLE8, bit-field masks, rows stored bottom-up or top-down.
std::optional<QImage> decodeBmp(std::span<const uint8_t> data);
