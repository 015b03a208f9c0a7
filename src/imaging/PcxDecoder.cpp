#include "imaging/PcxDecoder.h"

#include <algorithm>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/PictureFormat.h"

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kTrailingPaletteSize = 769;  // 0x0C and 256 RGB triples

struct Header {
    int bitsPerPixel = 0;
    int planes = 0;
    int bytesPerLine = 0;
    int width = 0;
    int height = 0;
    bool runLength = true;
};

std::optional<Header> readHeader(std::span<const uint8_t> data) {
    if (data.size() < kHeaderSize || data[0] != 0x0a || data[2] > 1) {
        return std::nullopt;
    }
    ByteReader in(data);
    in.seek(4);
    const uint16_t xMin = *in.u16(), yMin = *in.u16(), xMax = *in.u16(), yMax = *in.u16();
    Header h;
    h.runLength = data[2] == 1;
    h.bitsPerPixel = data[3];
    h.planes = data[65];
    in.seek(66);
    h.bytesPerLine = *in.u16();
    h.width = int(xMax) - int(xMin) + 1;
    h.height = int(yMax) - int(yMin) + 1;
    const bool known = (h.bitsPerPixel == 8 && (h.planes == 1 || h.planes == 3 || h.planes == 4)) ||
                       ((h.bitsPerPixel == 1 || h.bitsPerPixel == 2 || h.bitsPerPixel == 4) &&
                        h.planes >= 1 && h.bitsPerPixel * h.planes <= 4);
    if (!known || !acceptablePictureSize(h.width, h.height) ||
        h.bytesPerLine * 8 < h.width * h.bitsPerPixel) {
        return std::nullopt;
    }
    return h;
}

// The bytes of the pixels in each plane row. The file's rows may be padded
// far beyond the pixels (up to 64 KB a row), and some writers let a run go
// on across the end of a row: the runs are followed through the padding
// without storing it, so padding costs neither memory nor more time than
// the runs that describe it.
std::optional<std::vector<uint8_t>> unpack(std::span<const uint8_t> data, const Header& h,
                                           size_t kept) {
    const size_t lines = size_t(h.planes) * h.height;
    const size_t stored = size_t(h.bytesPerLine);
    std::vector<uint8_t> out(lines * kept);
    size_t pos = kHeaderSize;
    if (!h.runLength) {
        if (data.size() - pos < lines * stored) {
            return std::nullopt;
        }
        for (size_t line = 0; line < lines; ++line) {
            std::copy_n(data.begin() + pos + line * stored, kept, out.begin() + line * kept);
        }
        return out;
    }
    size_t line = 0;
    size_t column = 0;
    while (line < lines) {
        if (pos >= data.size()) {
            return std::nullopt;
        }
        uint8_t value = data[pos++];
        size_t count = 1;
        if ((value & 0xc0) == 0xc0) {
            count = value & 0x3f;
            if (pos >= data.size()) {
                return std::nullopt;
            }
            value = data[pos++];
        }
        while (count > 0 && line < lines) {
            const size_t take = std::min(count, stored - column);
            if (column < kept) {
                std::fill_n(out.begin() + line * kept + column, std::min(take, kept - column),
                            value);
            }
            column += take;
            count -= take;
            if (column == stored) {
                column = 0;
                ++line;
            }
        }
    }
    return out;
}

QList<QRgb> palette(std::span<const uint8_t> data, const Header& h) {
    QList<QRgb> colours;
    const int depth = h.bitsPerPixel * h.planes;
    if (depth == 8) {
        const size_t start = data.size() - kTrailingPaletteSize;
        const bool trailing =
            data.size() >= kHeaderSize + kTrailingPaletteSize && data[start] == 0x0c;
        for (int i = 0; i < 256; ++i) {
            colours.append(trailing ? qRgb(data[start + 1 + 3 * i], data[start + 2 + 3 * i],
                                           data[start + 3 + 3 * i])
                                    : qRgb(i, i, i));  // no palette: a grey ramp
        }
        return colours;
    }
    for (int i = 0; i < 16; ++i) {
        colours.append(qRgb(data[16 + 3 * i], data[17 + 3 * i], data[18 + 3 * i]));
    }
    // A two-colour picture whose header palette is blank is black on white.
    if (depth == 1 && colours[0] == colours[1]) {
        colours[0] = qRgb(0, 0, 0);
        colours[1] = qRgb(255, 255, 255);
    }
    return colours;
}

}  // namespace

std::optional<QImage> decodePcx(std::span<const uint8_t> data) {
    const auto header = readHeader(data);
    if (!header) {
        return std::nullopt;
    }
    const Header& h = *header;
    const size_t kept = (size_t(h.width) * h.bitsPerPixel + 7) / 8;
    const auto pixels = unpack(data, h, kept);
    if (!pixels) {
        return std::nullopt;
    }
    QImage image(h.width, h.height, QImage::Format_RGB32);
    if (image.isNull()) {
        return std::nullopt;
    }
    const size_t rowBytes = kept * h.planes;
    if (h.bitsPerPixel == 8 && h.planes >= 3) {
        for (int y = 0; y < h.height; ++y) {
            const uint8_t* row = pixels->data() + rowBytes * y;
            auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < h.width; ++x) {
                target[x] = qRgb(row[x], row[kept + x], row[2 * kept + x]);
            }
        }
        return image;
    }
    const QList<QRgb> colours = palette(data, h);
    const int perByte = 8 / h.bitsPerPixel;
    const int mask = (1 << h.bitsPerPixel) - 1;
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* row = pixels->data() + rowBytes * y;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < h.width; ++x) {
            int index = 0;
            for (int p = 0; p < h.planes; ++p) {
                const uint8_t byte = row[size_t(p) * kept + x / perByte];
                const int shift = 8 - h.bitsPerPixel * (x % perByte + 1);
                index |= ((byte >> shift) & mask) << (p * h.bitsPerPixel);
            }
            target[x] = colours[index];
        }
    }
    return image;
}
