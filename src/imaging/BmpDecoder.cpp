#include "imaging/BmpDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/PictureFormat.h"

namespace {

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t colorsUsed = 0;
    size_t headerSize = 0;
    std::array<uint32_t, 4> masks{};  // red, green, blue, alpha
};

// One channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            bits = std::popcount(mask >> shift);
        }
    }
    uint8_t operator()(uint32_t pixel) const {
        if (mask == 0) {
            return 0;
        }
        const uint32_t value = (pixel & mask) >> shift;
        const uint32_t maximum = bits >= 32 ? 0xffffffffu : (1u << bits) - 1;
        return uint8_t((uint64_t(value) * 255 + maximum / 2) / maximum);
    }
};

std::optional<Header> readHeader(ByteReader& in) {
    Header h;
    const auto size = in.u32();
    if (!size) {
        return std::nullopt;
    }
    h.headerSize = *size;
    if (h.headerSize == 12) {  // OS/2 core header
        const auto w = in.u16(), ht = in.u16();
        in.skip(2);  // planes
        const auto bits = in.u16();
        if (!bits) {
            return std::nullopt;
        }
        h.width = *w;
        h.height = *ht;
        h.bitCount = *bits;
        return h;
    }
    if (h.headerSize < 40 || h.headerSize > 4096) {
        return std::nullopt;
    }
    const auto w = in.i32(), ht = in.i32();
    in.skip(2);  // planes
    const auto bits = in.u16();
    const auto comp = in.u32();
    in.skip(12);  // image size and resolution
    const auto used = in.u32();
    if (!in.skip(4)) {
        return std::nullopt;
    }
    h.width = *w;
    h.topDown = *ht < 0;
    h.height = *ht == INT32_MIN ? 0 : (*ht < 0 ? -*ht : *ht);
    h.bitCount = *bits;
    h.compression = *comp;
    h.colorsUsed = *used;
    const bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    // The masks lie inside a longer header, or follow the 40-byte one.
    const int maskCount =
        h.headerSize >= 56 || (h.headerSize == 40 && h.compression == kAlphaBitFields) ? 4 : 3;
    if (fields || h.headerSize >= 52) {
        for (int i = 0; i < maskCount; ++i) {
            const auto mask = in.u32();
            if (!mask) {
                return std::nullopt;
            }
            h.masks[i] = *mask;
        }
    }
    const size_t paletteStart =
        14 + h.headerSize + (h.headerSize == 40 && fields ? size_t(maskCount) * 4 : 0);
    if (!in.seek(paletteStart)) {
        return std::nullopt;
    }
    return h;
}

// Pixels of 1, 4 and 8 bits: indexes into the palette, decoded into a plain
// index buffer by the raw or the run-length reader.
using Indexes = std::vector<uint8_t>;

bool readRawIndexes(std::span<const uint8_t> pixels, const Header& h, Indexes& out) {
    const size_t stride = ((size_t(h.width) * h.bitCount + 31) / 32) * 4;
    if (pixels.size() < stride * (h.height - 1) + (size_t(h.width) * h.bitCount + 7) / 8) {
        return false;
    }
    const int perByte = 8 / h.bitCount;
    const uint8_t mask = uint8_t((1 << h.bitCount) - 1);
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* row = pixels.data() + stride * y;
        uint8_t* target = out.data() + size_t(y) * h.width;
        for (int x = 0; x < h.width; ++x) {
            const int shift = 8 - h.bitCount * (x % perByte + 1);
            target[x] = (row[x / perByte] >> shift) & mask;
        }
    }
    return true;
}

// RLE4 and RLE8: rows stored bottom-up, as in the file; pixels a run skips
// stay 0. Runs may pass the end of a row (some writers round them up), but
// a stream that describes more than twice the picture is refused: two bytes
// can describe 255 pixels, so such a stream could keep the decoder busy for
// long on pixels no one sees.
bool readRunLengthIndexes(std::span<const uint8_t> pixels, const Header& h, Indexes& out) {
    ByteReader in(pixels);
    const bool four = h.compression == kRle4;
    const qint64 allowed = 2 * qint64(h.width) * h.height + 2 * qint64(h.height) + 1024;
    qint64 described = 0;
    int x = 0;
    int y = 0;
    // Only the pixels inside the row are visited.
    const auto run = [&](int count, auto indexAt) {
        described += count;
        const int visible = y < h.height ? std::clamp(h.width - x, 0, count) : 0;
        for (int i = 0; i < visible; ++i) {
            out[size_t(y) * h.width + x + i] = indexAt(i);
        }
        x = int(std::min<qint64>(qint64(x) + count, h.width + 1));
    };
    while (y < h.height) {
        const auto count = in.u8(), value = in.u8();
        if (!value || described > allowed) {
            return false;  // no end-of-bitmap marker before the data ended
        }
        if (*count > 0) {
            run(*count, [&](int i) -> uint8_t {
                return four ? ((i % 2 == 0) ? *value >> 4 : *value & 0x0f) : *value;
            });
            continue;
        }
        if (*value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (*value == 1) {  // end of bitmap
            return true;
        } else if (*value == 2) {  // delta
            const auto dx = in.u8(), dy = in.u8();
            if (!dy) {
                return false;
            }
            x = std::min(x + *dx, h.width + 1);
            y += *dy;
        } else {  // a literal run, padded to a 16-bit boundary
            const int n = *value;
            const int byteCount = four ? (n + 1) / 2 : n;
            const auto literal = in.bytes(byteCount + (byteCount % 2));
            if (!literal) {
                return false;
            }
            run(n, [&](int i) -> uint8_t {
                return four ? ((i % 2 == 0) ? (*literal)[i / 2] >> 4 : (*literal)[i / 2] & 0x0f)
                            : (*literal)[i];
            });
        }
    }
    return true;
}

std::optional<QImage> decodeIndexed(ByteReader& in, std::span<const uint8_t> data, size_t offset,
                                    const Header& h) {
    const bool core = h.headerSize == 12;
    const size_t maxColours = size_t(1) << h.bitCount;
    const size_t colours =
        h.colorsUsed == 0 || h.colorsUsed > maxColours ? maxColours : h.colorsUsed;
    QList<QRgb> palette;
    for (size_t i = 0; i < colours; ++i) {
        const auto entry = in.bytes(core ? 3 : 4);
        if (!entry) {
            break;  // a short palette: the rest of the entries are black
        }
        palette.append(qRgb((*entry)[2], (*entry)[1], (*entry)[0]));
    }
    while (palette.size() < qsizetype(maxColours)) {
        palette.append(qRgb(0, 0, 0));
    }
    if (offset == 0) {
        offset = in.position();
    }
    if (offset > data.size()) {
        return std::nullopt;
    }
    const auto pixels = data.subspan(offset);
    Indexes indexes(size_t(h.width) * h.height, 0);
    const bool runLength = h.compression == kRle8 || h.compression == kRle4;
    // RLE8 holds 8-bit indexes and RLE4 4-bit ones: with another depth they
    // would index past the palette (RLE4 in a 1-bit picture reaches 15 of 2).
    if (runLength && h.bitCount != (h.compression == kRle8 ? 8 : 4)) {
        return std::nullopt;
    }
    if (!(runLength ? readRunLengthIndexes(pixels, h, indexes)
                    : readRawIndexes(pixels, h, indexes))) {
        return std::nullopt;
    }
    QImage image(h.width, h.height, QImage::Format_RGB32);
    if (image.isNull()) {
        return std::nullopt;
    }
    const bool topDown = h.topDown && !runLength;
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* source = indexes.data() + size_t(y) * h.width;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(topDown ? y : h.height - 1 - y));
        for (int x = 0; x < h.width; ++x) {
            target[x] = palette[source[x]];
        }
    }
    return image;
}

std::optional<QImage> decodeDirect(std::span<const uint8_t> data, size_t offset, const Header& h) {
    const int bytesPerPixel = h.bitCount / 8;
    const size_t stride = ((size_t(h.width) * h.bitCount + 31) / 32) * 4;
    if (offset > data.size() ||
        data.size() - offset < stride * (h.height - 1) + size_t(h.width) * bytesPerPixel) {
        return std::nullopt;
    }
    const bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    if (!fields && h.compression != kRgb) {
        return std::nullopt;
    }
    std::array<uint32_t, 4> masks = h.masks;
    if (!fields) {
        masks = h.bitCount == 16 ? std::array<uint32_t, 4>{0x7c00, 0x03e0, 0x001f, 0}
                                 : std::array<uint32_t, 4>{0xff0000, 0x00ff00, 0x0000ff, 0};
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    const bool hasAlpha = masks[3] != 0;
    QImage image(h.width, h.height, hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) {
        return std::nullopt;
    }
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* row = data.data() + offset + stride * y;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(h.topDown ? y : h.height - 1 - y));
        for (int x = 0; x < h.width; ++x) {
            const uint8_t* p = row + size_t(x) * bytesPerPixel;
            uint32_t pixel = 0;
            for (int b = 0; b < bytesPerPixel; ++b) {
                pixel |= uint32_t(p[b]) << (8 * b);
            }
            target[x] = qRgba(red(pixel), green(pixel), blue(pixel), hasAlpha ? alpha(pixel) : 255);
        }
    }
    return image;
}

}  // namespace

std::optional<QImage> decodeBmp(std::span<const uint8_t> data) {
    ByteReader in(data);
    const auto b = in.u8(), m = in.u8();
    if (!m || *b != 'B' || *m != 'M') {
        return std::nullopt;
    }
    in.skip(8);
    const auto offset = in.u32();
    if (!offset) {
        return std::nullopt;
    }
    const auto header = readHeader(in);
    if (!header || !acceptablePictureSize(header->width, header->height)) {
        return std::nullopt;
    }
    // An offset that points into the headers is a writer's mistake: the
    // pixels then follow the palette.
    const size_t pixelOffset = *offset >= 14 + header->headerSize ? *offset : 0;
    switch (header->bitCount) {
        case 1:
        case 4:
        case 8:
            return decodeIndexed(in, data, pixelOffset, *header);
        case 16:
        case 24:
        case 32:
            if (header->bitCount == 24 && header->compression != kRgb) {
                return std::nullopt;
            }
            return decodeDirect(data, pixelOffset != 0 ? pixelOffset : in.position(), *header);
        default:
            return std::nullopt;
    }
}

std::optional<QImage> decodeDib(std::span<const uint8_t> info, std::span<const uint8_t> pixels) {
    // The file header a bitmap file would have; an offset of 0 makes the
    // decoder take the pixels from right after the colour table.
    const size_t offset = pixels.empty() ? 0 : 14 + info.size();
    std::vector<uint8_t> file(14);
    file[0] = 'B';
    file[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        file[10 + i] = uint8_t(offset >> (8 * i));
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return decodeBmp(file);
}
