#pragma once

#include <cstdint>
#include <span>

// What a JPEG stream asks of its decoder before it is decoded: found by
// walking its markers by their lengths and skipping the entropy-coded data,
// so a byte in a table or in the data is never taken for a marker.
struct JpegStreamShape {
    int scans = 0;
    bool progressive = false;  // progressive or arithmetic-coded: slow per byte
};

JpegStreamShape jpegStreamShape(std::span<const uint8_t> stream);
