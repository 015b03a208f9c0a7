#pragma once

#include <QSize>
#include <optional>

// Metafiles measure in inches or millimetres; they are drawn at the
// resolution of a screen.
inline constexpr double kScreenDpi = 96;
// The view shows 256 by 256 pixels: a bigger drawing only costs time and
// memory, so larger frames are drawn scaled down to this longer side.
inline constexpr int kMaxMetafileSide = 1024;

// The picture's size in pixels for a frame of that many pixels (signs
// ignored); nothing for an empty or absurd frame.
std::optional<QSize> metafilePixels(double width, double height);
