#pragma once

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QSize>

// Estimates of what a metafile's drawing costs the rasteriser, in about
// nanoseconds of this machine, made from the drawing's outline on the
// picture before it is drawn. A file may hold a hundred thousand drawings
// each covering the whole picture, or polygons whose every edge crosses
// every scan line; the estimates let the players stop at a budget instead.
// They err on the dear side.
namespace DrawingWork {

// What drawing one file may cost: about 0.3 s.
inline constexpr qint64 kBudget = 300'000'000;
// A font not asked for before: finding and loading it.
inline constexpr qint64 kNewFont = 1'000'000;
// A bitmap's pixel: decoded, copied and mirrored.
inline constexpr qint64 kBitmapPixel = 10;

// Filling a rectangle, as much of it as lies on the picture.
qint64 fill(const QRectF& bounds, QSize picture);
// Filling the inside of a polygon or a path, beyond its bounds: its edges
// and the scan lines they cross (curves by their control points).
qint64 edges(const QPolygonF& outline, QSize picture);
qint64 edges(const QPainterPath& outline, QSize picture);
// Stroking with a pen `width` pixels wide (0: a cosmetic pen).
qint64 stroke(const QPolygonF& line, double width, QSize picture);
qint64 stroke(const QPainterPath& line, double width, QSize picture);
// Characters of a font `pixels` high.
qint64 text(qsizetype characters, int pixels);

}  // namespace DrawingWork
