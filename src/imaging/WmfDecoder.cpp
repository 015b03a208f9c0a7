#include "imaging/WmfDecoder.h"

#include <cmath>
#include <vector>

#include "imaging/BmpDecoder.h"
#include "imaging/ByteReader.h"
#include "imaging/MetafileCanvas.h"
#include "imaging/MetafileRecords.h"
#include "imaging/MetafileSize.h"

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
// A Windows metafile counts its objects in 16 bits; no drawing needs more
// slots than this at once.
constexpr int kMaxObjects = 4096;

enum Function : uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001e,
    kCreatePalette = 0x00f7,
    kSetBkMode = 0x0103,
    kSetMapMode = 0x0104,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012d,
    kSetTextAlign = 0x012e,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01f0,
    kCreatePatternBrush = 0x01f9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020b,
    kSetWindowExt = 0x020c,
    kSetViewportOrg = 0x020d,
    kSetViewportExt = 0x020e,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02fa,
    kCreateFontIndirect = 0x02fb,
    kCreateBrushIndirect = 0x02fc,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kEllipse = 0x0418,
    kRectangle = 0x041b,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061c,
    kCreateRegion = 0x06ff,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0a32,
    kDibStretchBlt = 0x0b41,
    kStretchDib = 0x0f43,
};

struct Record {
    uint16_t function;
    std::span<const uint8_t> params;
};

struct Frame {
    QPointF origin;
    QSizeF extent;
    QSize pixels;
};

// The records, each within the data, up to the end record; nothing when
// one runs past the end or the end record is missing (a cut file).
std::optional<std::vector<Record>> readRecords(ByteReader& in) {
    return readMetafileRecords<Record>(in, [](ByteReader& in) -> MetafileRecordRead<Record> {
        const auto words = in.u32();
        const auto function = in.u16();
        if (!function || *words < 3 || *words > in.size() / 2) {
            return {MetafileRecordRead<Record>::Broken};
        }
        const auto params = in.bytes(size_t(*words) * 2 - 6);
        if (!params) {
            return {MetafileRecordRead<Record>::Broken};
        }
        if (*function == kEof) {
            return {MetafileRecordRead<Record>::End};
        }
        return {MetafileRecordRead<Record>::One, {*function, *params}};
    });
}

constexpr MetafileStateCodes kStateCodes{kSetBkMode,       kSetBkColor, kSetTextColor, kSetTextAlign,
                                         kSetPolyFillMode, kSaveDc,     kRestoreDc};

QPointF point(ByteReader& in, bool yFirst) {
    const int16_t a = in.i16().value_or(0);
    const int16_t b = in.i16().value_or(0);
    return yFirst ? QPointF(b, a) : QPointF(a, b);
}

// Four 16-bit values in the order bottom, right, top, left.
QRectF reversedRect(ByteReader& in) {
    const double bottom = in.i16().value_or(0), right = in.i16().value_or(0);
    const double top = in.i16().value_or(0), left = in.i16().value_or(0);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

std::optional<QPolygonF> points(ByteReader& in, size_t count) {
    if (count > in.remaining() / 4) {
        return std::nullopt;
    }
    QPolygonF polygon;
    polygon.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i) {
        polygon.append(point(in, false));
    }
    return polygon;
}

MetafileText latinText(ByteReader& in, size_t count) {
    return {in.bytes(std::min(count, in.remaining())).value_or(std::span<const uint8_t>()), false};
}

MetafileFont readFont(ByteReader& in) {
    MetafileFont font;
    font.height = in.i16().value_or(0);
    in.skip(2);  // width
    font.escapement = in.i16().value_or(0);
    in.skip(2);  // orientation
    font.weight = in.i16().value_or(400);
    font.italic = in.u8().value_or(0) != 0;
    font.underline = in.u8().value_or(0) != 0;
    font.strikeOut = in.u8().value_or(0) != 0;
    in.skip(5);  // character set, precisions, quality, pitch and family
    QByteArray name;
    while (name.size() < 32) {
        const auto c = in.u8();
        if (!c || *c == 0) {
            break;
        }
        name.append(char(*c));
    }
    font.family = QString::fromLatin1(name);
    return font;
}

class WmfPlayer {
public:
    WmfPlayer(const Frame& frame, int objects) : frame_(frame), canvas_(frame.pixels, objects) {
        canvas_.mapping().windowOrg = frame.origin;
        canvas_.mapping().windowExt = frame.extent;
        updateTransform();
    }

    void play(const Record& r);
    QImage finish() { return canvas_.finish(); }

private:
    // A Windows metafile's window is what fills the picture: players set
    // the viewport to the output rectangle, so the file's own viewport
    // records do not move anything.
    void updateTransform() {
        const MetafileMapping& m = canvas_.mapping();
        const double sx = frame_.pixels.width() / m.windowExt.width();
        const double sy = frame_.pixels.height() / m.windowExt.height();
        canvas_.setTransform(
            QTransform(sx, 0, 0, sy, -m.windowOrg.x() * sx, -m.windowOrg.y() * sy));
    }
    void text(ByteReader& in, bool extended);
    void bitmap(ByteReader& in, uint16_t function);

    Frame frame_;
    MetafileCanvas canvas_;
};

void WmfPlayer::play(const Record& r) {
    ByteReader in(r.params);
    if (const auto state = kStateCodes.stateOf(r.function)) {
        // Modes are words, colours double words, a restore's count signed.
        std::optional<int64_t> parameter;
        if (*state == MetafileState::BackgroundColour || *state == MetafileState::TextColour) {
            parameter = in.u32();
        } else if (*state == MetafileState::RestoreDc) {
            parameter = in.i16();
        } else {
            parameter = in.u16();
        }
        if (playStateRecord(canvas_, *state, parameter)) {
            updateTransform();
        }
        return;
    }
    switch (r.function) {
        case kSetWindowOrg:
            canvas_.mapping().windowOrg = point(in, true);
            updateTransform();
            break;
        case kSetWindowExt: {
            const QPointF ext = point(in, true);
            if (ext.x() != 0 && ext.y() != 0) {
                canvas_.mapping().windowExt = QSizeF(ext.x(), ext.y());
                updateTransform();
            }
            break;
        }
        case kSetViewportOrg:
        case kSetViewportExt:
        case kSetMapMode:
            break;
        case kMoveTo:
            canvas_.moveTo(point(in, true));
            break;
        case kLineTo:
            canvas_.lineTo(point(in, true));
            break;
        case kRectangle:
            canvas_.drawRectangle(reversedRect(in));
            break;
        case kEllipse:
            canvas_.drawEllipse(reversedRect(in));
            break;
        case kRoundRect: {
            const double height = in.i16().value_or(0), width = in.i16().value_or(0);
            canvas_.drawRoundRect(reversedRect(in), QSizeF(width, height));
            break;
        }
        case kPolygon:
        case kPolyline: {
            // Read only once priced: the points, and a closing element.
            const uint16_t count = in.u16().value_or(0);
            if (count > in.remaining() / 4 || !canvas_.spendPoints(count + 1)) {
                break;
            }
            const auto polygon = points(in, count);
            if (polygon && r.function == kPolygon) {
                canvas_.drawPolygon(*polygon);
            } else if (polygon) {
                canvas_.drawPolyline(*polygon);
            }
            break;
        }
        case kPolyPolygon: {
            const uint16_t count = in.u16().value_or(0);
            const auto sizeBytes = in.bytes(size_t(count) * 2);
            if (!sizeBytes) {
                return;
            }
            ByteReader sizes(*sizeBytes);
            uint64_t total = 0;
            while (const auto size = sizes.u16()) {
                total += *size;
            }
            // Each polygon its points, a moved-to point and a closing element.
            if (total > in.remaining() / 4 || !canvas_.spendPoints(qint64(total) + 2 * count)) {
                break;
            }
            QPainterPath polygons;
            sizes.seek(0);
            while (const auto size = sizes.u16()) {
                addPolygon(polygons, points(in, *size).value_or(QPolygonF()), true);
            }
            canvas_.drawPath(std::move(polygons), true, true);
            break;
        }
        case kTextOut:
        case kExtTextOut:
            text(in, r.function == kExtTextOut);
            break;
        case kCreatePenIndirect: {
            const uint16_t style = in.u16().value_or(0);
            const int16_t width = in.i16().value_or(0);
            in.skip(2);
            canvas_.createInFreeSlot(metafilePen(style, width, in.u32().value_or(0)));
            break;
        }
        case kCreateBrushIndirect: {
            const uint16_t style = in.u16().value_or(0);
            const uint32_t colour = in.u32().value_or(0);
            canvas_.createInFreeSlot(metafileBrush(style, colour, in.u16().value_or(0)));
            break;
        }
        case kCreateFontIndirect:
            canvas_.createInFreeSlot(readFont(in));
            break;
        case kDibCreatePatternBrush: {
            // After the style and colour usage, a packed bitmap.
            const auto dib = r.params.subspan(std::min<size_t>(4, r.params.size()));
            const auto pattern = canvas_.spendBitmap(dib) ? decodeDib(dib, {}) : std::nullopt;
            if (pattern) {
                canvas_.createInFreeSlot(QBrush(*pattern));
            } else {
                canvas_.createInFreeSlot(UnsupportedMetafileObject{});
            }
            break;
        }
        case kCreatePalette:
        case kCreatePatternBrush:
        case kCreateRegion:
            canvas_.createInFreeSlot(UnsupportedMetafileObject{});
            break;
        case kSelectObject:
            canvas_.select(in.u16().value_or(0xffff));
            break;
        case kDeleteObject:
            canvas_.remove(in.u16().value_or(0xffff));
            break;
        case kStretchDib:
        case kDibStretchBlt:
        case kDibBitBlt:
            bitmap(in, r.function);
            break;
        default:
            break;  // records that change nothing a picture shows
    }
}

void WmfPlayer::text(ByteReader& in, bool extended) {
    if (!extended) {
        const uint16_t count = in.u16().value_or(0);
        const MetafileText string = latinText(in, count);
        in.skip(count % 2);
        canvas_.drawText(point(in, true), string, std::nullopt);
        return;
    }
    const QPointF at = point(in, true);
    const uint16_t count = in.u16().value_or(0);
    const uint16_t options = in.u16().value_or(0);
    constexpr uint16_t kOpaque = 2, kClipped = 4;
    std::optional<QRectF> opaque;
    if (options & (kOpaque | kClipped)) {
        const double left = in.i16().value_or(0), top = in.i16().value_or(0);
        const double right = in.i16().value_or(0), bottom = in.i16().value_or(0);
        if (options & kOpaque) {
            opaque = QRectF(QPointF(left, top), QPointF(right, bottom));
        }
    }
    canvas_.drawText(at, latinText(in, count), opaque);
}

void WmfPlayer::bitmap(ByteReader& in, uint16_t function) {
    in.skip(4);  // raster operation: pictures copy their bitmaps
    if (function == kStretchDib) {
        in.skip(2);  // colour usage
    }
    int16_t sourceHeight = 0, sourceWidth = 0;
    if (function != kDibBitBlt) {
        sourceHeight = in.i16().value_or(0);
        sourceWidth = in.i16().value_or(0);
    }
    const int16_t sourceY = in.i16().value_or(0), sourceX = in.i16().value_or(0);
    const int16_t height = in.i16().value_or(0), width = in.i16().value_or(0);
    const QPointF at = point(in, true);
    if (function == kDibBitBlt) {
        sourceHeight = height;
        sourceWidth = width;
    }
    const auto rest = in.bytes(in.remaining());
    const auto image = rest && canvas_.spendBitmap(*rest) ? decodeDib(*rest, {}) : std::nullopt;
    if (!image) {
        return;  // a pattern fill with no bitmap, or a broken one
    }
    // A stretched bitmap counts its rows from the bottom, as the bitmap
    // stores them; the blits address a device, from the top.
    const int top = function == kStretchDib ? image->height() - sourceY - sourceHeight : sourceY;
    canvas_.drawImage(QRectF(at, QSizeF(width, height)), *image,
                      QRect(sourceX, top, std::abs(sourceWidth), std::abs(sourceHeight)));
}

}  // namespace

std::optional<QImage> decodeWmf(std::span<const uint8_t> data) {
    ByteReader in(data);
    std::optional<Frame> frame;
    if (in.u32() == kPlaceableKey) {
        in.skip(2);  // handle
        const QPointF topLeft = point(in, false);
        const QPointF bottomRight = point(in, false);
        const uint16_t inch = in.u16().value_or(0);
        if (!in.skip(6) || inch == 0) {
            return std::nullopt;
        }
        const QSizeF extent(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y());
        const auto pixels =
            metafilePixels(extent.width() * kScreenDpi / inch, extent.height() * kScreenDpi / inch);
        if (!pixels) {
            return std::nullopt;
        }
        frame = Frame{topLeft, extent, *pixels};
    } else {
        in.seek(0);
    }
    const auto type = in.u16(), headerWords = in.u16(), version = in.u16();
    in.skip(4);  // size
    const auto objects = in.u16();
    if (!in.skip(6) || (*type != 1 && *type != 2) || *headerWords != 9 ||
        (*version != 0x100 && *version != 0x300)) {
        return std::nullopt;
    }
    const auto records = readRecords(in);
    if (!records) {
        return std::nullopt;
    }
    if (!frame) {
        // Without the placeable header the window the file sets is its frame.
        QPointF origin;
        std::optional<QSizeF> extent;
        for (const Record& r : *records) {
            ByteReader params(r.params);
            if (r.function == kSetWindowOrg && !extent) {
                origin = point(params, true);
            } else if (r.function == kSetWindowExt && !extent) {
                const QPointF ext = point(params, true);
                extent = QSizeF(ext.x(), ext.y());
            }
        }
        const auto pixels =
            extent ? metafilePixels(extent->width(), extent->height()) : std::nullopt;
        if (!pixels) {
            return std::nullopt;
        }
        frame = Frame{origin, *extent, *pixels};
    }
    WmfPlayer player(*frame, std::min<int>(*objects, kMaxObjects));
    for (const Record& r : *records) {
        player.play(r);
    }
    return player.finish();
}
