#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// Besides the picture's size, a GIF may cost this much at most: records
// and extension sub-blocks before its first frame (each a call into
// giflib), and bytes of the frame's codes per pixel (twelve-bit codes with
// a clear code after every pixel need three). Past either the file is
// refused.
inline constexpr qint64 kMaxGifBlocks = 65536;
inline constexpr qint64 kMaxGifBytesPerPixel = 4;

// GIF through giflib: the first frame on the logical screen. Pixels of the
// transparent colour, and the screen outside the frame, are left
// transparent so that the view's background shows through.
std::optional<QImage> decodeGif(std::span<const uint8_t> data);
