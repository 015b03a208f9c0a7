#include "imaging/MetafileCanvas.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "imaging/ByteReader.h"
#include "imaging/DrawingWork.h"

namespace {

// Far beyond any picture a metafile gives, near enough that the rasteriser
// never meets coordinates it handles badly.
constexpr double kFarAway = 1 << 20;
// Deeper nesting of saved states is no drawing's need, only a broken file's.
constexpr size_t kMaxSavedStates = 256;
constexpr int kMaxFontPixels = 4096;

enum TextAlign : uint32_t {
    kUpdateCp = 1,
    kHorizontalMask = 6,
    kRight = 2,
    kCentre = 6,
    kVerticalMask = 24,
    kBottom = 8,
    kBaseline = 24
};

}  // namespace

QString MetafileText::decode() const {
    if (!wide) {
        return QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()), size());
    }
    QString text(size(), Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.data(), size(), text.data());
    return text;
}

void addPolygon(QPainterPath& path, const QPolygonF& polygon, bool closed) {
    if (polygon.size() > 1) {
        path.addPolygon(polygon);
        if (closed) {
            path.closeSubpath();
        }
    }
}

QColor colourRef(uint32_t value) {
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

QPen metafilePen(uint32_t style, double width, uint32_t colour) {
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                               Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                               Qt::SolidLine};
    const uint32_t kind = style & 0xf;
    QPen pen(colourRef(colour), std::abs(width),
             kind < std::size(kStyles) ? kStyles[kind] : Qt::SolidLine);
    // End caps and joins (PS_ENDCAP_*, PS_JOIN_*): round is the default.
    static constexpr Qt::PenCapStyle kCaps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static constexpr Qt::PenJoinStyle kJoins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    pen.setCapStyle(kCaps[std::min<uint32_t>((style >> 8) & 0xf, 2)]);
    pen.setJoinStyle(kJoins[std::min<uint32_t>((style >> 12) & 0xf, 2)]);
    return pen;
}

QBrush metafileBrush(uint32_t style, uint32_t colour, uint32_t hatch) {
    switch (style) {
        case 1:  // BS_NULL
            return QBrush(Qt::NoBrush);
        case 2: {  // BS_HATCHED
            static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                          Qt::FDiagPattern, Qt::BDiagPattern,
                                                          Qt::CrossPattern, Qt::DiagCrossPattern};
            return QBrush(colourRef(colour),
                          hatch < std::size(kHatches) ? kHatches[hatch] : Qt::SolidPattern);
        }
        default:
            return QBrush(colourRef(colour));
    }
}

MetafileCanvas::MetafileCanvas(QSize size, int objectSlots)
    : image_(size, QImage::Format_ARGB32_Premultiplied), objects_(size_t(objectSlots)) {
    image_.fill(Qt::transparent);
    painter_ = std::make_unique<QPainter>(&image_);
    state_.pen = QPen(Qt::black, 0);
    state_.brush = QBrush(Qt::white);
}

MetafileCanvas::~MetafileCanvas() = default;

QImage MetafileCanvas::finish() {
    painter_.reset();
    return image_;
}

void MetafileCanvas::setTransform(const QTransform& logicalToPicture) {
    transform_ = logicalToPicture;
    if (painter_) {
        painter_->setTransform(transform_);
    }
}

void MetafileCanvas::createInFreeSlot(MetafileObject object) {
    for (; firstFree_ < objects_.size(); ++firstFree_) {
        if (std::holds_alternative<std::monostate>(objects_[firstFree_])) {
            objects_[firstFree_++] = std::move(object);
            return;
        }
    }
}

void MetafileCanvas::createAt(uint32_t slot, MetafileObject object) {
    if (slot < objects_.size()) {
        objects_[slot] = std::move(object);
    }
}

void MetafileCanvas::select(uint32_t slot) {
    if (slot >= objects_.size()) {
        return;
    }
    const MetafileObject& object = objects_[slot];
    if (const auto* pen = std::get_if<QPen>(&object)) {
        state_.pen = *pen;
    } else if (const auto* brush = std::get_if<QBrush>(&object)) {
        state_.brush = *brush;
    } else if (const auto* font = std::get_if<MetafileFont>(&object)) {
        state_.font = *font;
    }
}

void MetafileCanvas::selectStock(uint32_t stockObject) {
    switch (stockObject) {
        case 0:
            state_.brush = QBrush(Qt::white);
            break;
        case 1:
            state_.brush = QBrush(QColor(0xc0, 0xc0, 0xc0));
            break;
        case 2:
            state_.brush = QBrush(QColor(0x80, 0x80, 0x80));
            break;
        case 3:
            state_.brush = QBrush(QColor(0x40, 0x40, 0x40));
            break;
        case 4:
            state_.brush = QBrush(Qt::black);
            break;
        case 5:
            state_.brush = QBrush(Qt::NoBrush);
            break;
        case 6:
            state_.pen = QPen(Qt::white, 0);
            break;
        case 7:
            state_.pen = QPen(Qt::black, 0);
            break;
        case 8:
            state_.pen = QPen(Qt::NoPen);
            break;
        default:
            break;  // fonts and palettes: the defaults serve
    }
}

void MetafileCanvas::remove(uint32_t slot) {
    if (slot < objects_.size()) {
        objects_[slot] = std::monostate();
        firstFree_ = std::min(firstFree_, size_t(slot));
    }
}

void MetafileCanvas::save() {
    if (saved_.size() < kMaxSavedStates) {
        saved_.push_back(state_);
    }
}

bool MetafileCanvas::restore(int which) {
    const qint64 count = qint64(saved_.size());
    const qint64 index = which < 0 ? count + which : qint64(which) - 1;
    if (index < 0 || index >= count) {
        return false;
    }
    state_ = saved_[size_t(index)];
    saved_.resize(size_t(index));
    return true;
}

bool MetafileCanvas::spendBitmap(std::span<const uint8_t> info) {
    ByteReader in(info);
    const auto headerSize = in.u32();
    qint64 width = 0, height = 0;
    if (headerSize == 12u) {  // OS/2 core header
        width = in.u16().value_or(0);
        height = in.u16().value_or(0);
    } else {
        width = std::abs(qint64(in.i32().value_or(0)));
        height = std::abs(qint64(in.i32().value_or(0)));
    }
    if (!painter_ || width * height > kMaxBitmapPixels - bitmapPixels_ ||
        !spend(width * height * DrawingWork::kBitmapPixel)) {
        return false;
    }
    bitmapPixels_ += width * height;
    return true;
}

bool MetafileCanvas::spendPoints(qint64 count) {
    // More points than the whole budget pays for, without overflowing.
    const bool past = count > DrawingWork::kBudget / DrawingWork::kPoint;
    return painter_ && spend(past ? DrawingWork::kBudget + 1 : count * DrawingWork::kPoint);
}

bool MetafileCanvas::spend(qint64 work) {
    if (outOfWork_ || work > DrawingWork::kBudget - work_) {
        outOfWork_ = true;
        return false;
    }
    work_ += work;
    return true;
}

bool MetafileCanvas::onPicture(const QRectF& logicalBounds, qint64 work) {
    if (!painter_ || drawings_ >= kMaxDrawings) {
        return false;
    }
    ++drawings_;
    const QRectF bounds = transform_.mapRect(logicalBounds);
    return std::isfinite(bounds.left()) && std::isfinite(bounds.right()) &&
           std::isfinite(bounds.top()) && std::isfinite(bounds.bottom()) &&
           std::abs(bounds.left()) < kFarAway && std::abs(bounds.right()) < kFarAway &&
           std::abs(bounds.top()) < kFarAway && std::abs(bounds.bottom()) < kFarAway && spend(work);
}

QPen MetafileCanvas::pen() const {
    QPen pen = state_.pen;
    // A pen wider than the picture paints nothing more than one that
    // covers it, only more slowly.
    const double scale = std::sqrt(std::abs(transform_.determinant()));
    const double widest = 2.0 * std::max(image_.width(), image_.height());
    if (scale > 0 && pen.widthF() * scale > widest) {
        pen.setWidthF(widest / scale);
    }
    return pen;
}

template <class Outline>
qint64 MetafileCanvas::outlineWork(const Outline& logical, const QRectF& logicalBounds, bool fill,
                                   bool stroke) const {
    qint64 work = 0;
    if (fill && state_.brush.style() != Qt::NoBrush) {
        work += DrawingWork::fill(transform_.mapRect(logicalBounds), image_.size()) +
                DrawingWork::edges(logical, transform_, image_.size());
    }
    const QPen stroked = pen();
    if (stroke && stroked.style() != Qt::NoPen) {
        const double scale = std::sqrt(std::abs(transform_.determinant()));
        const double width = stroked.widthF() * (stroked.isCosmetic() ? 1 : scale);
        // A shape that is filled is outlined all round; a line is not.
        work += DrawingWork::stroke(logical, fill, width, transform_, image_.size());
    }
    return work;
}

void MetafileCanvas::applyPen() {
    painter_->setPen(pen());
    painter_->setBrush(state_.brush);
}

void MetafileCanvas::moveTo(QPointF p) {
    state_.position = p;
}

void MetafileCanvas::lineTo(QPointF p) {
    const QPolygonF line{state_.position, p};
    if (onPicture(line.boundingRect().adjusted(-1, -1, 1, 1),
                  outlineWork(line, line.boundingRect(), false, true))) {
        applyPen();
        painter_->drawLine(state_.position, p);
    }
    state_.position = p;
}

void MetafileCanvas::drawPolygon(const QPolygonF& polygon) {
    if (polygon.size() < 2) {
        return;
    }
    const QRectF bounds = polygon.boundingRect();
    if (onPicture(bounds, outlineWork(polygon, bounds, true, true))) {
        applyPen();
        painter_->drawPolygon(polygon, state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    }
}

void MetafileCanvas::drawPolyline(const QPolygonF& polyline) {
    if (polyline.size() < 2) {
        return;
    }
    const QRectF bounds = polyline.boundingRect();
    if (onPicture(bounds, outlineWork(polyline, bounds, false, true))) {
        applyPen();
        painter_->drawPolyline(polyline);
    }
}

void MetafileCanvas::drawRectangle(const QRectF& rect) {
    if (onPicture(rect.normalized(),
                  outlineWork(QPolygonF(rect.normalized()), rect.normalized(), true, true))) {
        applyPen();
        painter_->drawRect(rect.normalized());
    }
}

void MetafileCanvas::drawRoundRect(const QRectF& rect, QSizeF corner) {
    if (onPicture(rect.normalized(),
                  outlineWork(QPolygonF(rect.normalized()), rect.normalized(), true, true))) {
        applyPen();
        painter_->drawRoundedRect(rect.normalized(), std::abs(corner.width()) / 2,
                                  std::abs(corner.height()) / 2);
    }
}

void MetafileCanvas::drawEllipse(const QRectF& rect) {
    if (onPicture(rect.normalized(),
                  outlineWork(QPolygonF(rect.normalized()), rect.normalized(), true, true))) {
        applyPen();
        painter_->drawEllipse(rect.normalized());
    }
}

void MetafileCanvas::drawPath(QPainterPath path, bool stroke, bool fill) {
    if (path.isEmpty()) {
        return;
    }
    const QRectF bounds = path.controlPointRect();
    if (!onPicture(bounds, outlineWork(path, bounds, fill, stroke))) {
        return;
    }
    applyPen();
    path.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    if (!stroke) {
        painter_->setPen(Qt::NoPen);
    }
    if (!fill) {
        painter_->setBrush(Qt::NoBrush);
    }
    painter_->drawPath(path);
}

double MetafileCanvas::fontPixels() const {
    // The mapping's vertical scale: text is drawn upright on the picture
    // even where the logical y axis points up.
    const double scale = std::hypot(transform_.m12(), transform_.m22());
    const double pixels = std::abs(state_.font.height) * scale;
    return state_.font.height == 0 || !std::isfinite(pixels) ? 12 : pixels;
}

QString MetafileCanvas::fontRequest(int pixels) const {
    return QStringLiteral("%1/%2/%3/%4%5%6")
        .arg(state_.font.family)
        .arg(pixels)
        .arg(state_.font.weight)
        .arg(state_.font.italic)
        .arg(state_.font.underline)
        .arg(state_.font.strikeOut);
}

QFont MetafileCanvas::qfont() const {
    QFont font(state_.font.family.isEmpty() ? QStringLiteral("Sans Serif") : state_.font.family);
    font.setWeight(
        QFont::Weight(std::clamp(state_.font.weight == 0 ? 400 : state_.font.weight, 100, 900)));
    font.setItalic(state_.font.italic);
    font.setUnderline(state_.font.underline);
    font.setStrikeOut(state_.font.strikeOut);
    const double pixels = fontPixels();
    font.setPixelSize(std::clamp(int(std::lround(pixels)), 1, kMaxFontPixels));
    if (state_.font.height > 0) {  // a cell height includes the leading
        const double cell = QFontMetricsF(font).height();
        if (cell > 0) {
            font.setPixelSize(
                std::clamp(int(std::lround(pixels * pixels / cell)), 1, kMaxFontPixels));
        }
    }
    return font;
}

void MetafileCanvas::drawText(QPointF reference, const MetafileText& characters,
                              std::optional<QRectF> opaqueRect) {
    if (!painter_) {
        return;
    }
    if (opaqueRect &&
        onPicture(opaqueRect->normalized(),
                  DrawingWork::fill(transform_.mapRect(*opaqueRect), image_.size()))) {
        painter_->fillRect(opaqueRect->normalized(), state_.backgroundColour);
    }
    if (state_.textAlign & kUpdateCp) {
        reference = state_.position;
    }
    // Fonts need the window system's font database: a program without one
    // (no QGuiApplication) gets the picture without its text.
    const qsizetype count = characters.size();
    if (count == 0 || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return;
    }
    // The work: the characters and their glyphs, a box for the background
    // at most the glyphs' cells wide, and finding and loading a font not
    // asked for before; priced before a character is decoded.
    const int pixels = std::clamp(int(std::lround(fontPixels())), 1, kMaxFontPixels);
    const QPointF at = transform_.map(reference);
    const QRectF box(at - QPointF(0, pixels), QSizeF(double(count) * pixels, 2.0 * pixels));
    const QString request = fontRequest(pixels);
    const qint64 work = DrawingWork::text(count, pixels) + DrawingWork::fill(box, image_.size()) +
                        (fonts_.contains(request) ? 0 : DrawingWork::kNewFont);
    if (!onPicture(QRectF(reference, QSizeF(1, 1)), work)) {
        return;
    }
    fonts_.insert(request);
    const QString text = characters.decode();
    const QFont font = qfont();
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    double dx = 0;
    switch (state_.textAlign & kHorizontalMask) {
        case kRight:
            dx = -width;
            break;
        case kCentre:
            dx = -width / 2;
            break;
        default:
            break;
    }
    double dy = metrics.ascent();
    switch (state_.textAlign & kVerticalMask) {
        case kBottom:
            dy = -metrics.descent();
            break;
        case kBaseline:
            dy = 0;
            break;
        default:
            break;
    }
    painter_->save();
    painter_->resetTransform();
    painter_->translate(at);
    painter_->rotate(-state_.font.escapement / 10.0);
    painter_->setFont(font);
    if (state_.opaque && !opaqueRect) {
        painter_->fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()),
                           state_.backgroundColour);
    }
    painter_->setPen(state_.textColour);
    painter_->drawText(QPointF(dx, dy), text);
    painter_->restore();
}

void MetafileCanvas::drawImage(const QRectF& target, const QImage& image, const QRect& source) {
    const QRect part = source.intersected(image.rect());
    if (part.isEmpty() || !onPicture(target.normalized(),
                                     DrawingWork::fill(transform_.mapRect(target), image_.size()) +
                                         2 * qint64(part.width()) * part.height())) {
        return;
    }
    painter_->drawImage(target.normalized(),
                        image.copy(part).mirrored(target.width() < 0, target.height() < 0));
}
