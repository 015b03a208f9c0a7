#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// TIFF through libtiff: the first directory, in whatever sample layout and
// compression libtiff reads, turned into RGBA with the origin at the top left.
std::optional<QImage> decodeTiff(std::span<const uint8_t> data);
