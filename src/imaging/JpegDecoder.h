#pragma once

#include <QImage>
#include <QSize>
#include <optional>

class QIODevice;

// What one JPEG may cost, so that any file is shown or refused in well
// under a second; past any of these the file is refused. A file can repeat
// scans at will and every scan visits each coefficient block of its
// components, so a small file can hold minutes of work: ordinary
// progressive files have about ten scans, which at the largest picture
// accepted visit some nine million blocks. Progressive and arithmetic
// coding take about 40 ns a byte here, sequential Huffman coding a fifth of
// that; markers cost time to parse whatever they say.
inline constexpr int kMaxJpegScans = 100;
inline constexpr qint64 kMaxJpegBlockVisits = 16'000'000;
inline constexpr qint64 kMaxJpegFileBytes = 64LL * 1024 * 1024;
inline constexpr qint64 kMaxProgressiveJpegBytes = 12LL * 1024 * 1024;
// JPEGs decode reduced for the view, so they may be bigger than others.
inline constexpr qint64 kMaxJpegPixels = 40'000'000;

// JPEG through libjpeg, read from a stream: baseline, progressive, greyscale
// and CMYK (Adobe's inverted form included). A stream that ends before the
// picture does gives nothing. With `shownAt`, a picture more than twice as
// big as that on both sides comes reduced by a half, a quarter or an eighth
// (libjpeg scales while it decodes), never below twice `shownAt`, so that
// resampling it to `shownAt` keeps its quality.
std::optional<QImage> decodeJpeg(QIODevice& stream, QSize shownAt = QSize());
