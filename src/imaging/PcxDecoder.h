#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

// ZSoft PCX: 1, 2, 4 and 8 bits with the header's or the trailing 256-colour
// palette, colour in 1 to 4 bit planes, 24 bits as three 8-bit planes, run
// length encoded or raw.
std::optional<QImage> decodePcx(std::span<const uint8_t> data);
