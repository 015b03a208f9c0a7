#pragma once

#include <QImage>
#include <optional>

class QIODevice;

// What a PNG may make its reader read. Before the image data: text,
// colour profiles and private chunks, skipped, up to this many bytes.
inline constexpr qint64 kMaxPngHeadBytes = 16LL * 1024 * 1024;
// The image data: no more than the rows inflated so far take, a 32nd
// more and this. Deflate adds 5 bytes to each stored block of up to 64 KB
// and IDAT chunks 12 bytes each, so no encoder comes near; a stream of
// empty blocks does, and each one costs inflate a few microseconds.
inline constexpr qint64 kPngDataSlack = 256 * 1024;

// PNG through libpng, read from a stream as far as the picture needs: once
// its last row is decoded, nothing more is read or inflated, whatever
// compressed data may follow. Every colour type, bit depth and interlace;
// 16-bit samples come scaled to 8 bits. A stream that ends before the last
// row, or holds more than the limits above, gives nothing.
std::optional<QImage> decodePng(QIODevice& stream);
