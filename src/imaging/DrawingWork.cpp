#include "imaging/DrawingWork.h"

#include <algorithm>
#include <cmath>

namespace DrawingWork {

namespace {

constexpr double kPerPixel = 1;
constexpr double kPerEdge = 16;
constexpr double kPerCrossing = 32;
constexpr double kPerThinPixel = 10;
constexpr double kPerGlyphPixel = 16;
// Shaping and measuring a character, whatever its size: a text of 16
// million characters in a font one pixel high took 17 s.
constexpr double kPerCharacter = 1200;

// A coordinate difference as far as the picture reaches; NaN reaches all.
double span(double d, double limit) {
    return std::isfinite(d) ? std::min(std::abs(d), limit) : limit;
}

// What the rasteriser meets in an outline: its edges, the scan lines they
// cross (each as wide as a pen of `width` pixels would make it) and their
// lengths, all as far as the picture reaches.
struct Walk {
    double edges = 0;
    double crossings = 0;
    double length = 0;
};

void add(Walk& walk, QPointF a, QPointF b, double width, QSize picture) {
    const double h = picture.height(), side = picture.width() + picture.height();
    walk.edges += 1;
    walk.crossings += span(span(b.y() - a.y(), h) + width, h);
    walk.length += std::max(span(b.x() - a.x(), side), span(b.y() - a.y(), side));
}

// Point by point, so that no mapped copy of a big outline is made;
// `closed`: back to the first point at the end.
Walk walk(const QPolygonF& outline, bool closed, const QTransform& toPicture, double width,
          QSize picture) {
    Walk w;
    if (outline.isEmpty()) {
        return w;
    }
    const QPointF first = toPicture.map(outline.first());
    QPointF previous = first;
    for (qsizetype i = 1; i < outline.size(); ++i) {
        const QPointF next = toPicture.map(outline[i]);
        add(w, previous, next, width, picture);
        previous = next;
    }
    if (closed && previous != first) {
        add(w, previous, first, width, picture);
    }
    return w;
}

// Curves by their control points, which bound them; subpaths are closed
// by their own elements.
Walk walk(const QPainterPath& outline, bool, const QTransform& toPicture, double width,
          QSize picture) {
    Walk w;
    QPointF previous =
        outline.elementCount() > 0 ? toPicture.map(QPointF(outline.elementAt(0))) : QPointF();
    for (int i = 1; i < outline.elementCount(); ++i) {
        const QPainterPath::Element e = outline.elementAt(i);
        const QPointF next = toPicture.map(QPointF(e));
        if (!e.isMoveTo()) {
            add(w, previous, next, width, picture);
        }
        previous = next;
    }
    return w;
}

// Every scan line sorts the edges active on it, and edges that cross each
// other reorder at every line: a star of 20,000 points took 22 s.
// The work grows with the edges active on a line, the crossings spread
// over the picture's height.
double scanWork(double crossings, QSize picture) {
    const double active = crossings / std::max(picture.height(), 1);
    return crossings * (kPerCrossing + active);
}

qint64 clamped(double work) {
    return work < double(kBudget) * 4 ? qint64(work) : kBudget * 4;
}

template <class Outline>
qint64 edgesOf(const Outline& outline, const QTransform& toPicture, QSize picture) {
    const Walk w = walk(outline, true, toPicture, 0, picture);
    return clamped(w.edges * kPerEdge + scanWork(w.crossings, picture));
}

// Thin pens are walked pixel by pixel; wide ones fill the outline that each
// segment's two sides make.
template <class Outline>
qint64 strokeOf(const Outline& outline, bool closed, double width, const QTransform& toPicture,
                QSize picture) {
    if (width <= 1) {
        const Walk w = walk(outline, closed, toPicture, 0, picture);
        return clamped(w.edges * kPerEdge + w.length * kPerThinPixel);
    }
    const Walk w = walk(outline, closed, toPicture, width, picture);
    return clamped(2 * w.edges * kPerEdge + scanWork(2 * w.crossings, picture));
}

}  // namespace

qint64 fill(const QRectF& bounds, QSize picture) {
    const QRectF on = bounds.normalized().intersected(QRectF(QPointF(0, 0), QSizeF(picture)));
    return on.isEmpty() ? 0 : clamped(on.width() * on.height() * kPerPixel);
}

qint64 edges(const QPolygonF& outline, const QTransform& toPicture, QSize picture) {
    return edgesOf(outline, toPicture, picture);
}

qint64 edges(const QPainterPath& outline, const QTransform& toPicture, QSize picture) {
    return edgesOf(outline, toPicture, picture);
}

qint64 stroke(const QPolygonF& line, bool closed, double width, const QTransform& toPicture,
              QSize picture) {
    return strokeOf(line, closed, width, toPicture, picture);
}

qint64 stroke(const QPainterPath& line, bool closed, double width, const QTransform& toPicture,
              QSize picture) {
    return strokeOf(line, closed, width, toPicture, picture);
}

qint64 text(qsizetype characters, int pixels) {
    return clamped(double(characters) * (kPerCharacter + kPerGlyphPixel * std::max(pixels, 1)));
}

}  // namespace DrawingWork
