#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// Enhanced metafiles drawn record by record on a transparent picture the
// size of their frame: mapping modes, window, viewport and world
// transforms, shapes and paths, text, pens, brushes and fonts, and the
// device-independent bitmaps.
std::optional<QImage> decodeEmf(std::span<const uint8_t> data);
