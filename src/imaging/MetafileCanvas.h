#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QSet>
#include <QTransform>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

// What a metafile's font record asks for, kept in logical units: its pixel
// size is only known once the mapping is applied at drawing time.
struct MetafileFont {
    QString family;
    double height = -12;  // negative: character height; positive: cell height
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    double escapement = 0;  // tenths of a degree, counter-clockwise
};

// A text record's characters, one byte each (Windows-1252, read as
// Latin-1, whose letters agree) or two (UTF-16): decoded only once the
// canvas has priced them.
struct MetafileText {
    std::span<const uint8_t> bytes;
    bool wide = false;
    qsizetype size() const { return qsizetype(bytes.size() / (wide ? 2 : 1)); }
    QString decode() const;
};

// Adds a polygon of a poly-polygon record to a path (closed, for a fill);
// a polygon of fewer than two points draws nothing.
void addPolygon(QPainterPath& path, const QPolygonF& polygon, bool closed);

// A COLORREF (0x00bbggrr).
QColor colourRef(uint32_t value);
// The pen and brush of the create records' LOGPEN and LOGBRUSH fields;
// `width` in logical units, 0 for one pixel whatever the mapping.
QPen metafilePen(uint32_t style, double width, uint32_t colour);
QBrush metafileBrush(uint32_t style, uint32_t colour, uint32_t hatch);

// A slot that a record took but that draws nothing (palettes, regions,
// pattern brushes): it still counts, so later indexes stay right.
struct UnsupportedMetafileObject {};

using MetafileObject =
    std::variant<std::monostate, UnsupportedMetafileObject, QPen, QBrush, MetafileFont>;

// The logical coordinate system as the set-up records leave it.
struct MetafileMapping {
    int mapMode = 1;  // MM_TEXT
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF viewportOrg;
    QSizeF viewportExt{1, 1};
    QTransform world;
};

// The device context both metafile players draw through: a QPainter on a
// picture, the object table, the selected pen, brush and font and the text
// settings. Object indexes and drawing coordinates come from the file, so
// every one is checked here: a bad index does nothing, and a shape far off
// the picture is not drawn (the rasteriser would only spend time on it).
class MetafileCanvas {
public:
    MetafileCanvas(QSize size, int objectSlots);
    ~MetafileCanvas();
    MetafileCanvas(const MetafileCanvas&) = delete;
    MetafileCanvas& operator=(const MetafileCanvas&) = delete;

    // The picture drawn so far; the canvas draws nothing more after it.
    QImage finish();

    MetafileMapping& mapping() { return state_.mapping; }
    // Logical to picture coordinates, computed by the player from mapping().
    void setTransform(const QTransform& logicalToPicture);

    // Windows metafiles put a new object in the lowest free slot; enhanced
    // ones name the slot.
    void createInFreeSlot(MetafileObject object);
    void createAt(uint32_t slot, MetafileObject object);
    void select(uint32_t slot);
    void selectStock(uint32_t stockObject);
    void remove(uint32_t slot);

    void setTextColour(QColor colour) { state_.textColour = colour; }
    void setBackgroundColour(QColor colour) { state_.backgroundColour = colour; }
    void setBackgroundOpaque(bool opaque) { state_.opaque = opaque; }
    void setTextAlign(uint32_t align) { state_.textAlign = align; }
    void setWindingFill(bool winding) { state_.winding = winding; }

    void save();
    // `which` is negative (relative to the newest saved state) or positive
    // (absolute); false when there is no such saved state.
    bool restore(int which);

    void moveTo(QPointF p);
    void lineTo(QPointF p);
    QPointF position() const { return state_.position; }
    void drawPolygon(const QPolygonF& polygon);
    void drawPolyline(const QPolygonF& polyline);
    void drawRectangle(const QRectF& rect);
    void drawRoundRect(const QRectF& rect, QSizeF corner);
    void drawEllipse(const QRectF& rect);
    void drawPath(QPainterPath path, bool stroke, bool fill);
    // Text at a logical reference point, aligned by the text-align flags;
    // `opaqueRect`, when given, is first filled with the background colour.
    void drawText(QPointF reference, const MetafileText& text, std::optional<QRectF> opaqueRect);
    // A bitmap stretched onto a logical rectangle; a negative width or
    // height mirrors it.
    void drawImage(const QRectF& target, const QImage& image, const QRect& source);
    // Whether a bitmap of this info header may still be decoded: false
    // once the file's bitmaps passed more pixels than any picture needs,
    // so that a broken or hostile file costs no more time.
    bool spendBitmap(std::span<const uint8_t> info);
    // Whether `count` more points (or path elements) may be read and kept
    // for drawing: asked before a record's points are read, so that a
    // record of millions of them stops the drawing before they cost
    // anything.
    bool spendPoints(qint64 count);

    // Drawings and bitmap pixels one file may cost at most; and the work
    // of the drawings (DrawingWork): the first drawing that would pass it
    // is not drawn, nor is anything after it.
    static constexpr int kMaxDrawings = 100'000;
    static constexpr qint64 kMaxBitmapPixels = 64'000'000;

private:
    struct State {
        MetafileMapping mapping;
        QPen pen;
        QBrush brush;
        MetafileFont font;
        QColor textColour = Qt::black;
        QColor backgroundColour = Qt::white;
        bool opaque = true;
        uint32_t textAlign = 0;
        bool winding = false;
        QPointF position;
    };

    // Counts a drawing and tells whether it is to be drawn: its bounds lie
    // near the picture and its estimated work fits in the budget.
    bool onPicture(const QRectF& logicalBounds, qint64 work);
    bool spend(qint64 work);
    // The work of filling and stroking a logical outline (its bounds
    // `logicalBounds`): the inside of a filled one, and its edge all round.
    template <class Outline>
    qint64 outlineWork(const Outline& logical, const QRectF& logicalBounds, bool fill,
                       bool stroke) const;
    // What tells one font asked for from another.
    QString fontRequest(int pixels) const;
    QPen pen() const;
    void applyPen();
    double fontPixels() const;
    QFont qfont() const;

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    std::vector<MetafileObject> objects_;
    size_t firstFree_ = 0;  // no free slot below it
    int drawings_ = 0;
    qint64 bitmapPixels_ = 0;
    qint64 work_ = 0;
    bool outOfWork_ = false;
    QSet<QString> fonts_;  // asked for so far
    State state_;
    std::vector<State> saved_;
    QTransform transform_;
};
