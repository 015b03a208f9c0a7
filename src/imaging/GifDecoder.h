#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// GIF through giflib: the first frame on the logical screen. Pixels of the
// transparent colour, and the screen outside the frame, are left
// transparent so that the view's background shows through.
std::optional<QImage> decodeGif(std::span<const uint8_t> data);
