#include "imaging/EmfDecoder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

#include "imaging/BmpDecoder.h"
#include "imaging/ByteReader.h"
#include "imaging/MetafileCanvas.h"
#include "imaging/MetafileRecords.h"
#include "imaging/MetafileSize.h"

namespace {

constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr int kMaxObjects = 4096;
constexpr size_t kRecordHeader = 8;

enum Type : uint32_t {
    kHeader = 1,
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kPolyPolygon = 8,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kEof = 14,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kMoveToEx = 27,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSetWorldTransform = 35,
    kModifyWorldTransform = 36,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kCreatePalette = 49,
    kLineTo = 54,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kAbortPath = 68,
    kBitBlt = 76,
    kStretchBlt = 77,
    kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kPolyPolygon16 = 91,
    kCreateMonoBrush = 93,
    kCreateDibPatternBrushPt = 94,
    kExtCreatePen = 95,
};

struct Record {
    uint32_t type;
    std::span<const uint8_t> bytes;  // the whole record, its header included
};

struct Frame {
    QRectF device;  // the frame in the reference device's pixels
    QSize pixels;
    QSizeF pixelsPerMm;
};

std::optional<std::vector<Record>> readRecords(ByteReader& in) {
    return readMetafileRecords<Record>(in, [](ByteReader& in) -> MetafileRecordRead<Record> {
        const size_t start = in.position();
        const auto type = in.u32();
        const auto size = in.u32();
        if (!size || *size < kRecordHeader || !in.seek(start)) {
            return {MetafileRecordRead<Record>::Broken};
        }
        const auto bytes = in.bytes(*size);
        if (!bytes) {
            return {MetafileRecordRead<Record>::Broken};
        }
        if (*type == kEof) {
            return {MetafileRecordRead<Record>::End};
        }
        return {MetafileRecordRead<Record>::One, {*type, *bytes}};
    });
}

constexpr MetafileStateCodes kStateCodes{kSetBkMode,       kSetBkColor, kSetTextColor, kSetTextAlign,
                                         kSetPolyFillMode, kSaveDc,     kRestoreDc};

QRectF readRect(ByteReader& in) {
    const double left = in.i32().value_or(0), top = in.i32().value_or(0);
    const double right = in.i32().value_or(0), bottom = in.i32().value_or(0);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPointF readPoint(ByteReader& in, bool small) {
    if (small) {
        const double x = in.i16().value_or(0);
        return QPointF(x, in.i16().value_or(0));
    }
    const double x = in.i32().value_or(0);
    return QPointF(x, in.i32().value_or(0));
}

// Whether `count` points follow in the record.
bool holdsPoints(const ByteReader& in, uint64_t count, bool small) {
    return count <= in.remaining() / (small ? 4 : 8);
}

std::optional<QPolygonF> readPoints(ByteReader& in, size_t count, bool small) {
    if (!holdsPoints(in, count, small)) {
        return std::nullopt;
    }
    QPolygonF polygon;
    polygon.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i) {
        polygon.append(readPoint(in, small));
    }
    return polygon;
}

// A bitmap's source coordinates, kept where no arithmetic on them overflows.
constexpr int kMaxSource = 1 << 20;
int coordinate(ByteReader& in) {
    return std::clamp(in.i32().value_or(0), -kMaxSource, kMaxSource);
}

std::optional<QTransform> readXform(ByteReader& in) {
    double m[6];
    for (double& v : m) {
        const auto bits = in.u32();
        if (!bits) {
            return std::nullopt;
        }
        v = std::bit_cast<float>(*bits);
        if (!std::isfinite(v)) {
            return std::nullopt;
        }
    }
    return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

// A part of a record named by an offset and a length from its start.
std::span<const uint8_t> part(const Record& r, uint32_t offset, uint32_t size) {
    if (offset > r.bytes.size() || size > r.bytes.size() - offset) {
        return {};
    }
    return r.bytes.subspan(offset, size);
}

MetafileFont readFont(ByteReader& in) {
    MetafileFont font;
    font.height = in.i32().value_or(0);
    in.skip(4);  // width
    font.escapement = in.i32().value_or(0);
    in.skip(4);  // orientation
    font.weight = in.i32().value_or(400);
    font.italic = in.u8().value_or(0) != 0;
    font.underline = in.u8().value_or(0) != 0;
    font.strikeOut = in.u8().value_or(0) != 0;
    in.skip(5);
    QString name;
    while (name.size() < 32) {
        const auto c = in.u16();
        if (!c || *c == 0) {
            break;
        }
        name.append(QChar(*c));
    }
    font.family = name;
    return font;
}

class EmfPlayer {
public:
    EmfPlayer(const Frame& frame, int objects) : frame_(frame), canvas_(frame.pixels, objects) {
        updateTransform();
    }
    void play(const Record& r);
    QImage finish() { return canvas_.finish(); }

private:
    void updateTransform();
    void polyRecord(ByteReader& in, uint32_t type);
    void polyPolyRecord(ByteReader& in, uint32_t type);
    void text(const Record& r, ByteReader& in);
    void bitmap(const Record& r, ByteReader& in);
    void endPath(bool stroke, bool fill) {
        canvas_.drawPath(std::move(path_), stroke, fill);
        path_ = QPainterPath();
        inPath_ = false;
    }
    // Whether a path is being recorded and may grow by `elements`: each is
    // priced as it is added, since the path is drawn only at its end.
    bool growPath(qint64 elements) { return inPath_ && canvas_.spendPoints(elements); }
    void moveTo(QPointF p) {
        if (growPath(1)) {
            path_.moveTo(p);
        }
        canvas_.moveTo(p);
    }

    Frame frame_;
    MetafileCanvas canvas_;
    bool inPath_ = false;
    QPainterPath path_;
};

void EmfPlayer::updateTransform() {
    const MetafileMapping& m = canvas_.mapping();
    // Logical units to the reference device's pixels, by the mapping mode.
    const double mmX = frame_.pixelsPerMm.width(), mmY = frame_.pixelsPerMm.height();
    double sx = 1, sy = 1;
    switch (m.mapMode) {
        case 2:  // MM_LOMETRIC
            sx = 0.1 * mmX, sy = -0.1 * mmY;
            break;
        case 3:  // MM_HIMETRIC
            sx = 0.01 * mmX, sy = -0.01 * mmY;
            break;
        case 4:  // MM_LOENGLISH
            sx = 0.254 * mmX, sy = -0.254 * mmY;
            break;
        case 5:  // MM_HIENGLISH
            sx = 0.0254 * mmX, sy = -0.0254 * mmY;
            break;
        case 6:  // MM_TWIPS
            sx = 25.4 / 1440 * mmX, sy = -25.4 / 1440 * mmY;
            break;
        case 7:    // MM_ISOTROPIC: the smaller scale both ways
        case 8: {  // MM_ANISOTROPIC
            sx = m.viewportExt.width() / m.windowExt.width();
            sy = m.viewportExt.height() / m.windowExt.height();
            if (m.mapMode == 7) {
                const double s = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(s, sx);
                sy = std::copysign(s, sy);
            }
            break;
        }
        default:
            break;
    }
    const QTransform page(sx, 0, 0, sy, m.viewportOrg.x() - m.windowOrg.x() * sx,
                          m.viewportOrg.y() - m.windowOrg.y() * sy);
    const QRectF& d = frame_.device;
    const double px = frame_.pixels.width() / d.width(), py = frame_.pixels.height() / d.height();
    const QTransform picture(px, 0, 0, py, -d.left() * px, -d.top() * py);
    canvas_.setTransform(m.world * page * picture);
}

void EmfPlayer::play(const Record& r) {
    ByteReader in(r.bytes);
    in.skip(kRecordHeader);
    if (const auto state = kStateCodes.stateOf(r.type)) {
        // A restore counts saved states back from the newest, so it is signed.
        const auto parameter = *state == MetafileState::RestoreDc
                                   ? std::optional<int64_t>(in.i32())
                                   : std::optional<int64_t>(in.u32());
        if (playStateRecord(canvas_, *state, parameter)) {
            updateTransform();
        }
        return;
    }
    MetafileMapping& m = canvas_.mapping();
    switch (r.type) {
        case kSetWindowExtEx:
        case kSetViewportExtEx: {
            const QPointF ext = readPoint(in, false);
            if (ext.x() != 0 && ext.y() != 0) {
                (r.type == kSetWindowExtEx ? m.windowExt : m.viewportExt) =
                    QSizeF(ext.x(), ext.y());
                updateTransform();
            }
            break;
        }
        case kSetWindowOrgEx:
            m.windowOrg = readPoint(in, false);
            updateTransform();
            break;
        case kSetViewportOrgEx:
            m.viewportOrg = readPoint(in, false);
            updateTransform();
            break;
        case kSetMapMode:
            m.mapMode = int(in.u32().value_or(1));
            updateTransform();
            break;
        case kSetWorldTransform:
        case kModifyWorldTransform: {
            const auto xform = readXform(in);
            const uint32_t mode = r.type == kSetWorldTransform ? 4 : in.u32().value_or(0);
            if (mode == 1) {
                m.world = QTransform();
            } else if (xform && mode == 2) {
                m.world = *xform * m.world;
            } else if (xform && mode == 3) {
                m.world = m.world * *xform;
            } else if (xform && mode == 4) {
                m.world = *xform;
            }
            updateTransform();
            break;
        }
        case kMoveToEx:
            moveTo(readPoint(in, false));
            break;
        case kLineTo: {
            const QPointF p = readPoint(in, false);
            if (inPath_) {
                if (growPath(1)) {
                    path_.lineTo(p);
                }
                canvas_.moveTo(p);
            } else {
                canvas_.lineTo(p);
            }
            break;
        }
        case kRectangle:
        case kEllipse: {
            const QRectF rect = readRect(in).normalized();
            if (inPath_) {
                // Five elements for a rectangle, thirteen for an ellipse.
                if (growPath(r.type == kRectangle ? 5 : 13)) {
                    r.type == kRectangle ? path_.addRect(rect) : path_.addEllipse(rect);
                }
            } else {
                r.type == kRectangle ? canvas_.drawRectangle(rect) : canvas_.drawEllipse(rect);
            }
            break;
        }
        case kRoundRect: {
            const QRectF rect = readRect(in);
            const QPointF corner = readPoint(in, false);
            canvas_.drawRoundRect(rect, QSizeF(corner.x(), corner.y()));
            break;
        }
        case kPolyBezier:
        case kPolygon:
        case kPolyline:
        case kPolyBezierTo:
        case kPolylineTo:
        case kPolyBezier16:
        case kPolygon16:
        case kPolyline16:
        case kPolyBezierTo16:
        case kPolylineTo16:
            polyRecord(in, r.type);
            break;
        case kPolyPolyline:
        case kPolyPolygon:
        case kPolyPolyline16:
        case kPolyPolygon16:
            polyPolyRecord(in, r.type);
            break;
        case kBeginPath:
            path_ = QPainterPath();
            path_.moveTo(canvas_.position());
            inPath_ = true;
            break;
        case kEndPath:
            inPath_ = false;
            break;
        case kCloseFigure:
            if (growPath(1)) {
                path_.closeSubpath();
            }
            break;
        case kFillPath:
            endPath(false, true);
            break;
        case kStrokeAndFillPath:
            endPath(true, true);
            break;
        case kStrokePath:
            endPath(true, false);
            break;
        case kAbortPath:
            path_ = QPainterPath();
            inPath_ = false;
            break;
        case kCreatePen: {
            const uint32_t slot = in.u32().value_or(0), style = in.u32().value_or(0);
            const double width = in.i32().value_or(0);
            in.skip(4);
            canvas_.createAt(slot, metafilePen(style, width, in.u32().value_or(0)));
            break;
        }
        case kExtCreatePen: {
            const uint32_t slot = in.u32().value_or(0);
            in.skip(16);  // a pattern bitmap: its colour serves
            const uint32_t style = in.u32().value_or(0);
            const double width = in.u32().value_or(0);
            const uint32_t brushStyle = in.u32().value_or(0);
            const uint32_t colour = in.u32().value_or(0);
            const bool geometric = (style & 0xf0000) == 0x10000;
            canvas_.createAt(slot, brushStyle == 1
                                       ? QPen(Qt::NoPen)
                                       : metafilePen(style, geometric ? width : 0, colour));
            break;
        }
        case kCreateBrushIndirect: {
            const uint32_t slot = in.u32().value_or(0), style = in.u32().value_or(0);
            const uint32_t colour = in.u32().value_or(0);
            canvas_.createAt(slot, metafileBrush(style, colour, in.u32().value_or(0)));
            break;
        }
        case kCreateMonoBrush:
        case kCreateDibPatternBrushPt: {
            const uint32_t slot = in.u32().value_or(0);
            in.skip(4);  // colour usage
            const uint32_t offBmi = in.u32().value_or(0), cbBmi = in.u32().value_or(0);
            const uint32_t offBits = in.u32().value_or(0), cbBits = in.u32().value_or(0);
            const auto info = part(r, offBmi, cbBmi), bits = part(r, offBits, cbBits);
            const auto pattern = info.empty() || bits.empty() || !canvas_.spendBitmap(info)
                                     ? std::nullopt
                                     : decodeDib(info, bits);
            canvas_.createAt(slot, pattern ? MetafileObject(QBrush(*pattern))
                                           : MetafileObject(UnsupportedMetafileObject{}));
            break;
        }
        case kCreatePalette:
            canvas_.createAt(in.u32().value_or(0), UnsupportedMetafileObject{});
            break;
        case kExtCreateFontIndirectW: {
            const uint32_t slot = in.u32().value_or(0);
            canvas_.createAt(slot, readFont(in));
            break;
        }
        case kSelectObject: {
            const uint32_t slot = in.u32().value_or(0);
            if (slot & 0x80000000u) {
                canvas_.selectStock(slot & 0x7fffffffu);
            } else {
                canvas_.select(slot);
            }
            break;
        }
        case kDeleteObject:
            canvas_.remove(in.u32().value_or(0));
            break;
        case kExtTextOutA:
        case kExtTextOutW:
            text(r, in);
            break;
        case kBitBlt:
        case kStretchBlt:
        case kStretchDiBits:
            bitmap(r, in);
            break;
        default:
            break;  // records that change nothing a picture shows
    }
}

void EmfPlayer::polyRecord(ByteReader& in, uint32_t type) {
    in.skip(16);  // bounds
    const bool small = type >= kPolyBezier16;
    const uint32_t kind = small ? type - kPolyBezier16 + kPolyBezier : type;
    const uint32_t count = in.u32().value_or(0);
    // A moved-to point, the points and a closing element at most.
    if (count == 0 || !holdsPoints(in, count, small) || !canvas_.spendPoints(qint64(count) + 2)) {
        return;
    }
    const auto points = readPoints(in, count, small);
    if (!points) {
        return;
    }
    const QPolygonF& p = *points;
    if (kind == kPolygon || kind == kPolyline) {
        if (inPath_) {
            path_.moveTo(p.first());
            for (const QPointF& q : p) {
                path_.lineTo(q);
            }
            if (kind == kPolygon) {
                path_.closeSubpath();
            }
        } else {
            kind == kPolygon ? canvas_.drawPolygon(p) : canvas_.drawPolyline(p);
        }
        return;
    }
    // The curves and the "to" forms: one path from the current position
    // (or the first point), which then moves to the last point.
    QPainterPath segment;
    const bool to = kind == kPolyBezierTo || kind == kPolylineTo;
    QPainterPath& target = inPath_ ? path_ : segment;
    qsizetype first = 0;
    if (!inPath_) {
        segment.moveTo(to ? canvas_.position() : p.first());
    } else if (!to) {
        target.moveTo(p.first());
    }
    if (!to) {
        first = 1;
    }
    if (kind == kPolyBezier || kind == kPolyBezierTo) {
        for (qsizetype i = first; i + 2 < p.size(); i += 3) {
            target.cubicTo(p[i], p[i + 1], p[i + 2]);
        }
    } else {
        for (qsizetype i = first; i < p.size(); ++i) {
            target.lineTo(p[i]);
        }
    }
    if (!inPath_) {
        canvas_.drawPath(std::move(segment), true, false);
    }
    canvas_.moveTo(p.last());
}

void EmfPlayer::polyPolyRecord(ByteReader& in, uint32_t type) {
    in.skip(16);  // bounds
    const bool small = type >= kPolyBezier16;
    const uint32_t count = in.u32().value_or(0);
    in.skip(4);  // all points: counted from the sizes instead
    const auto sizeBytes = in.bytes(size_t(count) * 4);
    if (!sizeBytes) {
        return;
    }
    uint64_t points = 0;
    ByteReader sizes(*sizeBytes);
    while (const auto size = sizes.u32()) {
        points += *size;
    }
    // Each polygon a moved-to point, its points and a closing element.
    if (!holdsPoints(in, points, small) ||
        !canvas_.spendPoints(qint64(points) + 2 * qint64(count))) {
        return;
    }
    const bool closed = type == kPolyPolygon || type == kPolyPolygon16;
    QPainterPath polygons;
    sizes.seek(0);
    while (const auto size = sizes.u32()) {
        const auto polygon = readPoints(in, *size, small);
        if (!polygon) {
            return;
        }
        if (inPath_) {
            path_.addPolygon(*polygon);
            if (closed) {
                path_.closeSubpath();
            }
        } else if (closed) {
            addPolygon(polygons, *polygon, true);
        } else {
            canvas_.drawPolyline(*polygon);
        }
    }
    if (!inPath_ && closed) {
        canvas_.drawPath(std::move(polygons), true, true);
    }
}

void EmfPlayer::text(const Record& r, ByteReader& in) {
    in.skip(16 + 12);  // bounds, graphics mode and scales
    const QPointF reference = readPoint(in, false);
    const uint32_t count = in.u32().value_or(0);
    const uint32_t offset = in.u32().value_or(0);
    const uint32_t options = in.u32().value_or(0);
    const QRectF rect = readRect(in);
    const bool wide = r.type == kExtTextOutW;
    const uint64_t bytes = uint64_t(count) * (wide ? 2 : 1);
    const auto string = part(r, offset, bytes > r.bytes.size() ? 0 : uint32_t(bytes));
    if (string.size() != bytes) {
        return;
    }
    constexpr uint32_t kOpaque = 2;
    canvas_.drawText(reference, MetafileText{string, wide},
                     options & kOpaque ? std::optional(rect) : std::nullopt);
}

void EmfPlayer::bitmap(const Record& r, ByteReader& in) {
    in.skip(16);  // bounds
    const double x = in.i32().value_or(0), y = in.i32().value_or(0);
    QRectF target;
    QRect source;
    uint32_t offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
    bool fromBottom = false;
    if (r.type == kStretchDiBits) {
        const int xSrc = coordinate(in), ySrc = coordinate(in);
        const int cxSrc = coordinate(in), cySrc = coordinate(in);
        offBmi = in.u32().value_or(0), cbBmi = in.u32().value_or(0);
        offBits = in.u32().value_or(0), cbBits = in.u32().value_or(0);
        in.skip(8);  // colour usage and raster operation
        const double cx = in.i32().value_or(0), cy = in.i32().value_or(0);
        target = QRectF(x, y, cx, cy);
        source = QRect(xSrc, ySrc, std::abs(cxSrc), std::abs(cySrc));
        fromBottom = true;
    } else {
        const double cx = in.i32().value_or(0), cy = in.i32().value_or(0);
        in.skip(4);  // raster operation
        const int xSrc = coordinate(in), ySrc = coordinate(in);
        in.skip(24 + 8);  // source transform, background colour, colour usage
        offBmi = in.u32().value_or(0), cbBmi = in.u32().value_or(0);
        offBits = in.u32().value_or(0), cbBits = in.u32().value_or(0);
        int cxSrc = std::clamp(int(cx), -kMaxSource, kMaxSource);
        int cySrc = std::clamp(int(cy), -kMaxSource, kMaxSource);
        if (r.type == kStretchBlt) {
            cxSrc = coordinate(in), cySrc = coordinate(in);
        }
        target = QRectF(x, y, cx, cy);
        source = QRect(xSrc, ySrc, std::abs(cxSrc), std::abs(cySrc));
    }
    const auto info = part(r, offBmi, cbBmi), bits = part(r, offBits, cbBits);
    if (info.empty() || bits.empty() || !canvas_.spendBitmap(info)) {
        return;  // a pattern fill with no bitmap
    }
    const auto image = decodeDib(info, bits);
    if (!image) {
        return;
    }
    if (fromBottom) {  // the bitmap's own rows count from its bottom
        source.moveTop(image->height() - source.top() - source.height());
    }
    canvas_.drawImage(target, *image, source);
}

}  // namespace

std::optional<QImage> decodeEmf(std::span<const uint8_t> data) {
    ByteReader in(data);
    const auto type = in.u32(), size = in.u32();
    const QRectF bounds = readRect(in);
    const QRectF frameMm = readRect(in);  // hundredths of a millimetre
    const auto signature = in.u32();
    in.skip(12);  // version, bytes, records
    const auto handles = in.u16();
    in.skip(14);  // reserved, description, palette
    const QPointF device = readPoint(in, false);
    const QPointF millimetres = readPoint(in, false);
    if (!in.u32() || *type != kHeader || *signature != kSignature || *size < 88 ||
        !in.seek(*size)) {
        return std::nullopt;
    }
    const auto records = readRecords(in);
    if (!records) {
        return std::nullopt;
    }
    Frame frame;
    frame.pixelsPerMm =
        device.x() > 0 && device.y() > 0 && millimetres.x() > 0 && millimetres.y() > 0
            ? QSizeF(device.x() / millimetres.x(), device.y() / millimetres.y())
            : QSizeF(kScreenDpi / 25.4, kScreenDpi / 25.4);
    std::optional<QSize> pixels;
    if (frameMm.width() > 0 && frameMm.height() > 0) {
        frame.device = QRectF(frameMm.left() / 100 * frame.pixelsPerMm.width(),
                              frameMm.top() / 100 * frame.pixelsPerMm.height(),
                              frameMm.width() / 100 * frame.pixelsPerMm.width(),
                              frameMm.height() / 100 * frame.pixelsPerMm.height());
        pixels = metafilePixels(frameMm.width() / 2540 * kScreenDpi,
                                frameMm.height() / 2540 * kScreenDpi);
    } else {  // no frame: the bounds, in device pixels, inclusive
        frame.device = bounds.normalized().adjusted(0, 0, 1, 1);
        pixels = metafilePixels(frame.device.width(), frame.device.height());
    }
    if (!pixels || frame.device.width() <= 0 || frame.device.height() <= 0) {
        return std::nullopt;
    }
    frame.pixels = *pixels;
    EmfPlayer player(frame, std::min<int>(*handles, kMaxObjects));
    for (const Record& r : *records) {
        player.play(r);
    }
    return player.finish();
}
