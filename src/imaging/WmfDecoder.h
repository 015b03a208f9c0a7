#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// Windows metafiles, with or without the placeable header, drawn record by
// record on a transparent picture: the window set-up, the shapes, text,
// pens, brushes and fonts, and the device-independent bitmaps.
std::optional<QImage> decodeWmf(std::span<const uint8_t> data);
