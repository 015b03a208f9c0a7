#pragma once

#include <QImage>
#include <QSize>

// Resampling to an exact width and height; the aspect ratio is not kept.
// Both work on opaque pictures (flatten transparent ones first) and give
// Format_RGB32.

// The halftone stretch: every target pixel is the average of the source
// area it covers, each source pixel weighted by the part of it covered.
QImage resampleHalftone(const QImage& source, QSize size);

// Separable Lanczos-3: sinc windowed by sinc over 3 lobes, the support
// widened by the reduction factor when shrinking, weights normalised at
// the edges. A picture more than eight times the size is first averaged
// down to eight times (as the halftone stretch does).
QImage resampleLanczos3(const QImage& source, QSize size);
