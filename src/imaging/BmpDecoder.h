#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// Windows and OS/2 bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4 and
// RLE8, bit-field masks, rows stored bottom-up or top-down.
std::optional<QImage> decodeBmp(std::span<const uint8_t> data);

// A device-independent bitmap as metafiles hold it: the info header with
// its colour table, and the pixels; with no `pixels` they follow the colour
// table in `info` (a packed bitmap).
std::optional<QImage> decodeDib(std::span<const uint8_t> info, std::span<const uint8_t> pixels);
