#include "HostilePictures.h"

#include "LittleEndian.h"

#include <zlib.h>
#include <QString>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace HostilePictures {

namespace {

using LittleEndian::bytes;
using LittleEndian::le16;
using LittleEndian::le32;

QByteArray be16(int value) {
    return QByteArray(1, char((value >> 8) & 0xff)) + char(value & 0xff);
}
QByteArray be32(qint64 value) {
    return be16(int((value >> 16) & 0xffff)) + be16(int(value & 0xffff));
}
// A JPEG with a quantisation table of ones and one-symbol Huffman tables
// (DC difference 0, AC end of block); progressive scans are first DC
// scans, baseline ones the whole spectrum. Scans hold no data.
QByteArray jpeg(int width, int height, int components, int scans, bool progressive) {
    QByteArray out = QByteArray::fromHex("ffd8ffdb004300") + QByteArray(64, char(1));
    for (const int table : {0x00, 0x10}) {
        out += QByteArray::fromHex("ffc40014") + char(table) + char(1) + QByteArray(16, '\0');
    }
    out += bytes({0xff, progressive ? 0xc2 : 0xc0, 0, 8 + 3 * components, 8}) + be16(height) +
           be16(width) + char(components);
    for (int c = 1; c <= components; ++c) {
        out += bytes({c, 0x11, 0});
    }
    for (int s = 0; s < scans; ++s) {
        out += bytes({0xff, 0xda, 0, 6 + 2 * components, components});
        for (int c = 1; c <= components; ++c) {
            out += bytes({c, 0});
        }
        out += bytes({0, progressive ? 0 : 63, 0});
    }
    return out + QByteArray::fromHex("ffd9");
}

// A little-endian TIFF: `data` after the header, then the arrays, then the
// directory, every entry a LONG or an array of them.
QByteArray tiff(const QByteArray& data, const std::map<int, std::vector<qint64>>& tags) {
    QByteArray arrays;
    QByteArray entries = le16({qint64(tags.size())});
    const qint64 arraysAt = 8 + data.size();
    for (const auto& [tag, values] : tags) {
        entries += le16({tag, 4}) + le32({qint64(values.size())});
        if (values.size() == 1) {
            entries += le32({values[0]});
            continue;
        }
        entries += le32({arraysAt + arrays.size()});
        for (const qint64 v : values) {
            arrays += le32({v});
        }
    }
    return "II" + le16({42}) + le32({arraysAt + arrays.size()}) + data + arrays + entries +
           le32({0});
}

std::map<int, std::vector<qint64>> tiffLayout(int width, int height, int samples, int bits,
                                              int compression) {
    std::map<int, std::vector<qint64>> tags{
        {256, {width}},
        {257, {height}},
        {258, std::vector<qint64>(size_t(samples), bits)},
        {259, {compression}},
        {262, {samples >= 3 ? 2 : 1}},
        {277, {samples}},
        {284, {1}},
    };
    if (samples == 4) {
        tags[338] = {2};  // unassociated alpha
    }
    return tags;
}

// Codes of three bits, least significant bit first, in sub-blocks.
QByteArray gifCodes(const std::vector<int>& codes) {
    QByteArray packed;
    uint32_t buffer = 0;
    int held = 0;
    for (const int code : codes) {
        buffer |= uint32_t(code) << held;
        for (held += 3; held >= 8; held -= 8, buffer >>= 8) {
            packed += char(buffer & 0xff);
        }
    }
    if (held > 0) {
        packed += char(buffer & 0xff);
    }
    QByteArray out;
    for (qsizetype i = 0; i < packed.size(); i += 255) {
        const QByteArray block = packed.mid(i, 255);
        out += char(block.size()) + block;
    }
    return out + '\0';
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
    return be32(data.size()) + body + be32(qint64(crc));
}

// A PNG of one grey pixel of 8 bits whose image data are the raw deflate
// data `deflated` of `inflated` zero bytes (the first two the pixel's row,
// interlaced or not alike), in IDAT chunks of 1 MB, after the chunks
// `before`.
QByteArray pngOfOnePixel(const QByteArray& deflated, qint64 inflated, const QByteArray& before = {},
                         bool interlaced = false) {
    constexpr qsizetype kIdatBytes = 1 << 20;
    // The Adler-32 sum of zeros: 1, and the count.
    const QByteArray stream =
        QByteArray::fromHex("7801") + deflated + be32(((inflated % 65521) << 16) | 1);
    QByteArray out = QByteArray::fromHex("89504e470d0a1a0a") +
                     pngChunk("IHDR", be32(1) + be32(1) + bytes({8, 0, 0, 0, interlaced ? 1 : 0})) +
                     before;
    for (qsizetype i = 0; i < stream.size(); i += kIdatBytes) {
        out += pngChunk("IDAT", stream.mid(i, kIdatBytes));
    }
    return out + pngChunk("IEND", {});
}

// Zeros as raw deflate data, a final block at the end. Each 16 MB of
// zeros after the first deflates to the same bytes (run-length matches
// look back one byte only), so gigabytes take a moment to write.
QByteArray deflatedZeros(qint64 count) {
    constexpr qint64 kUnit = 16LL << 20;
    static const QByteArray zeros(kUnit, '\0');
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_RLE);
    QByteArray buffer(1 << 20, '\0');
    const auto run = [&](qint64 n, int flush) {
        QByteArray out;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
        z.avail_in = uInt(n);
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer.data());
            z.avail_out = uInt(buffer.size());
            deflate(&z, flush);
            out.append(buffer.constData(), buffer.size() - qsizetype(z.avail_out));
        } while (z.avail_out == 0);
        return out;
    };
    QByteArray out, previous;
    bool repeats = false;
    for (qint64 left = count; left > 0; left -= kUnit) {
        if (repeats && left >= kUnit) {
            out += previous;
            continue;
        }
        const QByteArray unit = run(std::min(left, kUnit), Z_SYNC_FLUSH);
        repeats = unit == previous;
        previous = unit;
        out += unit;
    }
    out += run(0, Z_FINISH);
    deflateEnd(&z);
    return out;
}

// Deflate's bit stream: fields from the least significant bit, Huffman
// codes from their most significant one.
class DeflateBits {
public:
    void put(uint32_t value, int count) {
        buffer_ |= uint64_t(value) << held_;
        for (held_ += count; held_ >= 8; held_ -= 8, buffer_ >>= 8) {
            out_ += char(buffer_ & 0xff);
        }
    }
    void code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            put((code >> i) & 1, 1);
        }
    }
    QByteArray finish() {
        if (held_ > 0) {
            out_ += char(buffer_ & 0xff);
        }
        return out_;
    }

private:
    QByteArray out_;
    uint64_t buffer_ = 0;
    int held_ = 0;
};

// A block with its own code tables that holds nothing: 257 literal and
// length codes, of which only the end of the block has a length.
void emptyDynamicBlock(DeflateBits& bits) {
    bits.put(0, 1);   // not the last block
    bits.put(2, 2);   // dynamic codes
    bits.put(0, 5);   // 257 literal and length codes
    bits.put(0, 5);   // one distance code
    bits.put(15, 4);  // all 19 code length codes
    // Code lengths in their stored order 16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
    // 11, 4, 12, 3, 13, 2, 14, 1, 15: "18" (a run of zeros) 1 bit, "0" and
    // "1" 2 bits.
    for (const int length : {0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0}) {
        bits.put(uint32_t(length), 3);
    }
    bits.code(0, 1);  // 138 zeros
    bits.put(138 - 11, 7);
    bits.code(0, 1);  // 118 zeros
    bits.put(118 - 11, 7);
    bits.code(3, 2);  // the end of the block: length 1
    bits.code(2, 2);  // no distance code
    bits.code(0, 1);  // the end of the block
}

constexpr int kSide = 1024;
constexpr int kStarPoints = 500;
constexpr int kBitmapSide = 2048;

// A packed one-bit bitmap of kBitmapSide pixels a side, both colours red.
QByteArray redDib() {
    return le32({40, kBitmapSide, kBitmapSide}) + le16({1, 1}) + le32({0, 0, 0, 0, 2, 0}) +
           le32({0xff0000, 0xff0000}) + QByteArray(kBitmapSide / 8 * kBitmapSide, '\0');
}

// Points alternately far from the centre and near it: every edge crosses
// many others.
std::vector<qint64> star() {
    std::vector<qint64> xy;
    for (int i = 0; i < kStarPoints; ++i) {
        const double radius = i % 2 ? 500 : 20;
        const double angle = 2 * 3.14159265358979 * i / kStarPoints;
        xy.push_back(kSide / 2 + int(radius * std::cos(angle)));
        xy.push_back(kSide / 2 + int(radius * std::sin(angle)));
    }
    return xy;
}

// Points on one scan line, a pixel apart by turns: edges that cross no
// scan line and cover no area, so that they cost by their number alone.
QByteArray linePoints(qint64 count) {
    QByteArray out(count * 4, '\0');
    const QByteArray pair = le16({kSide / 2, kSide / 2, kSide / 2 + 1, kSide / 2});
    for (qint64 i = 0; i < count; ++i) {
        std::copy_n(pair.constData() + 4 * (i % 2), 4, out.data() + 4 * i);
    }
    return out;
}

// `count` in runs of at most `most`.
std::vector<qint64> runs(qint64 count, qint64 most) {
    std::vector<qint64> out;
    for (; count > 0; count -= most) {
        out.push_back(std::min(count, most));
    }
    return out;
}

bool ofParts(Drawing kind) {
    return kind == Drawing::TinyText || kind == Drawing::PathPoints || kind == Drawing::LinePoints;
}

QByteArray words(const std::vector<qint64>& values, int size) {
    QByteArray out;
    for (const qint64 v : values) {
        out += LittleEndian::fields({v}, size);
    }
    return out;
}

QByteArray emfRecord(int type, const QByteArray& params) {
    return le32({type, 8 + params.size()}) + params;
}

// One drawing of `count` parts (see Drawing); `n` counts the records.
QByteArray emfParts(Drawing kind, int count, int& n) {
    switch (kind) {
        case Drawing::TinyText: {
            QByteArray face = QByteArray("S\0a\0n\0s\0", 8);
            face.resize(64, '\0');
            QByteArray text = QByteArray("A\0", 2).repeated(count);
            text.resize((text.size() + 3) / 4 * 4, '\0');
            n += 3;
            return emfRecord(82, le32({2, -1, 0, 0, 0, 400}) + QByteArray(8, '\0') + face) +
                   emfRecord(37, le32({2})) +
                   emfRecord(
                       84,
                       le32({0, 0, 0, 0, 1, 0, 0, 100, 100, count, 76, 0, 0, 0, 0, 0, 0}) + text);
        }
        case Drawing::PathPoints: {
            const auto sizes = runs(count, 65535);
            QByteArray counts;
            for (const qint64 size : sizes) {
                counts += le32({size});
            }
            n += 4;
            return emfRecord(59, {}) +
                   emfRecord(91, le32({0, 0, kSide, kSide, qint64(sizes.size()), count}) + counts +
                                     linePoints(count)) +
                   emfRecord(60, {}) + emfRecord(62, le32({0, 0, kSide, kSide}));
        }
        default:
            n += 1;
            return emfRecord(87, le32({0, 0, kSide, kSide, count}) + linePoints(count));
    }
}

QByteArray wmfRecord(int function, std::initializer_list<qint64> values,
                     const QByteArray& tail = {}) {
    QByteArray params = le16(values) + tail;
    if (params.size() % 2) {
        params += '\0';
    }
    return le32({3 + params.size() / 2}) + le16({function}) + params;
}

QByteArray wmfParts(Drawing kind, int count) {
    QByteArray records;
    switch (kind) {
        case Drawing::TinyText:
            // A font one unit high in slot 2, freed again after the text.
            records += wmfRecord(0x02fb, {-1, 0, 0, 0, 400, 0, 0, 0, 0}, QByteArray("Sans\0", 5)) +
                       wmfRecord(0x012d, {2});
            for (const qint64 size : runs(count, 65534)) {
                records += wmfRecord(0x0521, {size}, QByteArray(size, 'A') + le16({100, 100}));
            }
            return records + wmfRecord(0x01f0, {2});
        case Drawing::PathPoints: {
            const auto sizes = runs(count, 65535);
            QByteArray counts;
            for (const qint64 size : sizes) {
                counts += le16({size});
            }
            return wmfRecord(0x0538, {qint64(sizes.size())}, counts + linePoints(count));
        }
        default:
            for (const qint64 size : runs(count, 65535)) {
                records += wmfRecord(0x0325, {size}, linePoints(size));
            }
            return records;
    }
}

}  // namespace

QByteArray jpegEmptyScans(int width, int height, int components, int scans) {
    return jpeg(width, height, components, scans, true);
}

QByteArray jpegWithComment(qint64 size, bool progressive) {
    const QByteArray picture = jpeg(8, 8, 1, 1, progressive);
    QByteArray comments;
    for (qint64 left = size; left > 0; left -= 65533) {
        const int part = int(std::min<qint64>(left, 65533));
        comments += QByteArray::fromHex("fffe") + be16(part + 2) + QByteArray(part, 'c');
    }
    return picture.left(2) + comments + picture.mid(2);
}

QByteArray tiffSharedPieces(const TiffForm& form) {
    auto tags = tiffLayout(form.width, form.height, form.samples, form.bits, 8);  // deflate
    const qint64 rows = form.rows > 0 ? form.rows : form.height;
    const qint64 piecePixels = form.tile > 0 ? qint64(form.tile) * form.tile : rows * form.width;
    const QByteArray deflated =
        qCompress(QByteArray(piecePixels * form.samples * form.bits / 8, '\0'), 1).mid(4);
    if (form.tile > 0) {
        const size_t count = size_t((form.width + form.tile - 1) / form.tile) *
                             size_t((form.height + form.tile - 1) / form.tile);
        tags[322] = tags[323] = {form.tile};
        tags[324] = std::vector<qint64>(count, 8);
        tags[325] = std::vector<qint64>(count, deflated.size());
    } else {
        const size_t count = size_t((form.height + rows - 1) / rows);
        tags[273] = std::vector<qint64>(count, 8);
        tags[278] = {rows};
        tags[279] = std::vector<qint64>(count, deflated.size());
    }
    return tiff(deflated, tags);
}

QByteArray tiffJpegStrips(int width, int height, int rows, int scans) {
    auto tags = tiffLayout(width, height, 3, 8, 7);
    const QByteArray strip = jpeg(width, rows, 3, scans, scans > 1);
    const size_t count = size_t(height / rows);
    tags[273] = std::vector<qint64>(count, 8);
    tags[278] = {rows};
    tags[279] = std::vector<qint64>(count, strip.size());
    return tiff(strip, tags);
}

QByteArray pngTrailingZeros(qint64 zeros, bool interlaced) {
    return pngOfOnePixel(deflatedZeros(2 + zeros), 2 + zeros, {}, interlaced);
}

QByteArray pngEmptyBlocks(int blocks) {
    DeflateBits bits;
    for (int i = 0; i < blocks; ++i) {
        emptyDynamicBlock(bits);
    }
    bits.put(1, 1);  // the last block, with fixed codes: the row's two zeros
    bits.put(1, 2);
    bits.code(0x30, 8);
    bits.code(0x30, 8);
    bits.code(0, 7);
    return pngOfOnePixel(bits.finish(), 2);
}

QByteArray pngAfterChunks(int chunks, int bytes) {
    return pngOfOnePixel(deflatedZeros(2), 2,
                         pngChunk("prVt", QByteArray(bytes, 'p')).repeated(chunks));
}

QByteArray gif(int extensions, int subBlocks, int clearCodes, int width, int height) {
    // A global table of four colours.
    QByteArray out =
        "GIF89a" + le16({width, height}) + QByteArray::fromHex("810000000000ff00000000ffffffff");
    const QByteArray comment =
        QByteArray::fromHex("21fe") + QByteArray::fromHex("0178").repeated(subBlocks) + '\0';
    out += comment.repeated(extensions);
    out += char(0x2c) + le16({0, 0, width, height}) + QByteArray::fromHex("0002");
    // Clear codes, then every pair of pixels after a clear code of its own,
    // so that the codes never grow past three bits.
    constexpr int kClear = 4, kEnd = 5;
    std::vector<int> codes(size_t(clearCodes), kClear);
    for (int p = 0; p < width * height; ++p) {
        if (p % 2 == 0) {
            codes.push_back(kClear);
        }
        codes.push_back((p / width + p % width) % 4);
    }
    codes.push_back(kEnd);
    return out + gifCodes(codes) + ';';
}

QByteArray bmpRle8Runs(int runs) {
    constexpr int kWidth = 16, kHeight = 16;
    QByteArray pixels = bytes({255, 1}).repeated(runs);
    for (int y = 0; y < kHeight; ++y) {
        pixels += (y == 0 ? QByteArray() : bytes({kWidth, 1 + y % 2})) + bytes({0, 0});
    }
    pixels += bytes({0, 1});  // end of bitmap
    const int headers = 14 + 40 + 256 * 4;
    QByteArray out = "BM" + le32({headers + pixels.size(), 0, headers, 40, kWidth, kHeight}) +
                     le16({1, 8}) + le32({1, pixels.size(), 0, 0, 256, 0});
    for (int i = 0; i < 256; ++i) {
        out += le32({i * 0x010101});
    }
    return out + pixels;
}

QByteArray pcxPadded(int width, int height, int bytesPerLine) {
    QByteArray out = bytes({0x0a, 5, 1, 8}) + le16({0, 0, width - 1, height - 1, 72, 72}) +
                     QByteArray(49, '\0') + char(1) + le16({bytesPerLine, 1});
    out.resize(128, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out += bytes({0xc1, (x * 16 + y) % 256});  // a run of one: any value fits
        }
        for (int left = bytesPerLine - width; left > 0; left -= 63) {
            out += bytes({0xc0 | std::min(left, 63), 0});
        }
    }
    out += char(0x0c);
    for (int i = 0; i < 256; ++i) {
        out += QByteArray(3, char(i));
    }
    return out;
}

QByteArray emf(Drawing kind, int count) {
    // A red brush in slot 1 and the stock null pen.
    QByteArray records = emfRecord(39, le32({1, 0, 0x0000ff, 0})) + emfRecord(37, le32({1})) +
                         emfRecord(37, le32({0x80000008}));
    int n = 3;
    if (ofParts(kind)) {
        records += emfParts(kind, count, n);
    }
    for (int i = 0; i < count && !ofParts(kind); ++i) {
        switch (kind) {
            case Drawing::Rectangle:
                records += emfRecord(43, le32({0, 0, kSide, kSide}));
                break;
            case Drawing::Star:
                records += emfRecord(3, le32({0, 0, kSide, kSide, kStarPoints}) + words(star(), 4));
                break;
            case Drawing::NewFontText: {
                // A font of a size not used before in slot 2, then "Ab".
                QByteArray face = QByteArray("S\0a\0n\0s\0", 8);
                face.resize(64, '\0');
                records +=
                    emfRecord(82, le32({2, -(10 + i), 0, 0, 0, 400}) + QByteArray(8, '\0') + face) +
                    emfRecord(37, le32({2})) +
                    emfRecord(84, le32({0, 0, 0, 0, 1, 0, 0, 100, 100 + i % 800, 2, 76, 0, 0, 0, 0,
                                        0, 0}) +
                                      QByteArray("A\0b\0", 4));
                n += 2;
                break;
            }
            case Drawing::Bitmap:
            default:
                records += emfRecord(
                    81, le32({0, 0, 0, 0, 0, 0, 0, 0, kBitmapSide, kBitmapSide, 80, 48, 128,
                              kBitmapSide / 8 * kBitmapSide, 0, 0x00cc0020, kSide, kSide}) +
                            redDib());
                break;
        }
        ++n;
    }
    // The blue square, in slot 3.
    records += emfRecord(39, le32({3, 0, 0xff0000, 0})) + emfRecord(37, le32({3})) +
               emfRecord(43, le32({0, 0, 16, 16}));
    n += 3;
    // A frame of 1024 by 1024 pixels on a device of 96 pixels an inch, 16
    // object slots.
    const int mm100 = kSide * 2540 / 96;
    const QByteArray end = le32({14, 20, 0, 16, 20});
    return le32({1, 88, 0, 0, kSide - 1, kSide - 1, 0, 0, mm100, mm100, 0x464D4520, 0x10000,
                 88 + records.size() + end.size(), n + 2}) +
           le16({16, 0}) + le32({0, 0, 0, kSide, kSide, 271, 271}) + records + end;
}

QByteArray wmf(Drawing kind, int count) {
    // A null pen in slot 0, a red brush in slot 1.
    QByteArray records = wmfRecord(0x02fa, {5, 0, 0, 0, 0}) + wmfRecord(0x012d, {0}) +
                         wmfRecord(0x02fc, {0, 0x00ff, 0, 0}) + wmfRecord(0x012d, {1});
    if (ofParts(kind)) {
        records += wmfParts(kind, count);
    }
    for (int i = 0; i < count && !ofParts(kind); ++i) {
        switch (kind) {
            case Drawing::Rectangle:
                records += wmfRecord(0x041b, {kSide, kSide, 0, 0});
                break;
            case Drawing::Star:
                records += wmfRecord(0x0324, {kStarPoints}, words(star(), 2));
                break;
            case Drawing::NewFontText:
                // A font of a size not used before in slot 2, "Ab", and the
                // slot freed again.
                records += wmfRecord(0x02fb, {-(10 + i), 0, 0, 0, 400, 0, 0, 0, 0},
                                     QByteArray("Sans\0", 5)) +
                           wmfRecord(0x012d, {2}) +
                           wmfRecord(0x0521, {2}, "Ab" + le16({100 + i % 800, 100})) +
                           wmfRecord(0x01f0, {2});
                break;
            case Drawing::Bitmap:
            default:
                records += wmfRecord(
                    0x0f43, {0x0020, 0x00cc, 0, kBitmapSide, kBitmapSide, 0, 0, kSide, kSide, 0, 0},
                    redDib());
                break;
        }
    }
    // The blue square, its brush in the next free slot.
    records += wmfRecord(0x02fc, {0, 0, 0x00ff, 0}) + wmfRecord(0x012d, {2}) +
               wmfRecord(0x041b, {16, 16, 0, 0});
    // A placeable frame of 1024 by 1024 units at 96 an inch, 16 slots.
    return le32({0x9AC6CDD7}) + le16({0, 0, 0, kSide, kSide, 96}) + le32({0}) + le16({0}) +
           le16({1, 9, 0x300}) + le32({9 + (records.size() + 6) / 2}) + le16({16}) + le32({0}) +
           le16({0}) + records + le32({3}) + le16({0});
}

}  // namespace HostilePictures
