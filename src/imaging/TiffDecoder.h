#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// Besides the picture's size, a TIFF may cost this much at most: the bytes
// of its samples as stored (what libtiff decompresses and converts), and
// the strips or tiles of a compressed one (each costs a start of its
// decoder). JPEG-compressed pieces get the limits of JPEG files. Past any of
// them the file is refused.
inline constexpr qint64 kMaxTiffSampleBytes = 64LL * 1024 * 1024;
inline constexpr uint32_t kMaxTiffPieces = 16384;

// TIFF through libtiff: the first directory, in whatever sample layout and
// compression libtiff reads, turned into RGBA with the origin at the top left.
std::optional<QImage> decodeTiff(std::span<const uint8_t> data);
