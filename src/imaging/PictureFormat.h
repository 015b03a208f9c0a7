#pragma once

#include <QString>

// The decoder a picture file gets, chosen by its extension as the picture
// index names it.
enum class PictureFormat { Unknown, Bmp, Pcx, Jpeg, Tiff, Gif, Png, Emf, Wmf };

// The extension after the last dot of the last path component (any case,
// DOS or host separators).
PictureFormat pictureFormatOf(const QString& path);

// The largest picture a decoder accepts: bigger ones are refused before any
// memory is taken for them, so a lying header cannot exhaust memory. The
// pixel count also bounds the time: a picture decoded whole, flattened and
// resampled for the view costs up to about 20 ns a pixel here, so even
// the largest is shown in about a third of a second.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr qint64 kMaxPicturePixels = 16'000'000;
bool acceptablePictureSize(qint64 width, qint64 height, qint64 maxPixels = kMaxPicturePixels);
