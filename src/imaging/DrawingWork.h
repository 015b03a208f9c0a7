#pragma once

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QTransform>

// Estimates of what a metafile's drawing costs, in about nanoseconds of
// this machine, made before the work is done: from a record's counts
// before its points or characters are read, and from a drawing's outline
// on the picture before it is drawn. A file may hold a hundred thousand
// drawings each covering the whole picture, polygons whose every edge
// crosses every scan line, millions of points or characters in one
// record; the estimates let the players stop at a budget instead. They err
// on the dear side.
namespace DrawingWork {

// What drawing one file may cost: about 0.3 s.
inline constexpr qint64 kBudget = 300'000'000;
// A font not asked for before: finding and loading it.
inline constexpr qint64 kNewFont = 1'000'000;
// A bitmap's pixel: decoded, copied and mirrored.
inline constexpr qint64 kBitmapPixel = 10;
// A point read from a record and kept, in a polygon or a path, until it is
// drawn: read, kept and handed to the rasteriser (a path of 2.9 million
// points took 0.3 s of processor time). It also bounds what a file's
// points take in memory: 3 million at most.
inline constexpr qint64 kPoint = 100;

// Filling a rectangle, as much of it as lies on the picture.
qint64 fill(const QRectF& bounds, QSize picture);
// Filling the inside of a polygon (closed, as a fill closes it) or a path,
// beyond its bounds: its edges and the scan lines they cross (curves by
// their control points), taken to the picture by `toPicture`.
qint64 edges(const QPolygonF& outline, const QTransform& toPicture, QSize picture);
qint64 edges(const QPainterPath& outline, const QTransform& toPicture, QSize picture);
// Stroking with a pen `width` pixels wide (0: a cosmetic pen); a `closed`
// polygon goes back to its first point (a path's subpaths close by their
// own elements).
qint64 stroke(const QPolygonF& line, bool closed, double width, const QTransform& toPicture,
              QSize picture);
qint64 stroke(const QPainterPath& line, bool closed, double width, const QTransform& toPicture,
              QSize picture);
// Characters of a font `pixels` high: laid out one by one, then drawn.
qint64 text(qsizetype characters, int pixels);

}  // namespace DrawingWork
