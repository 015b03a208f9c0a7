#include "HostilePictures.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace HostilePictures {

namespace {

void be16(QByteArray& out, int v) {
    out += char((v >> 8) & 0xff);
    out += char(v & 0xff);
}
void le16(QByteArray& out, int v) {
    out += char(v & 0xff);
    out += char((v >> 8) & 0xff);
}
void le32(QByteArray& out, qint64 v) {
    le16(out, int(v & 0xffff));
    le16(out, int((v >> 16) & 0xffff));
}
QByteArray le32s(std::initializer_list<qint64> values) {
    QByteArray out;
    for (const qint64 v : values) {
        le32(out, v);
    }
    return out;
}

// Quantisation table 0 of ones, and one-symbol Huffman tables: DC
// difference 0, AC end of block, each coded as a single 0 bit.
QByteArray jpegTables() {
    QByteArray out;
    be16(out, 0xffdb);
    be16(out, 67);
    out += '\0';
    out += QByteArray(64, char(1));
    for (const char table : {char(0x00), char(0x10)}) {
        be16(out, 0xffc4);
        be16(out, 3 + 16 + 1);
        out += table;
        out += char(1);
        out += QByteArray(15, '\0');
        out += '\0';
    }
    return out;
}

QByteArray jpeg(int width, int height, int components, int scans, bool progressive) {
    QByteArray out;
    be16(out, 0xffd8);
    out += jpegTables();
    be16(out, progressive ? 0xffc2 : 0xffc0);
    be16(out, 8 + 3 * components);
    out += char(8);
    be16(out, height);
    be16(out, width);
    out += char(components);
    for (int c = 1; c <= components; ++c) {
        out += char(c);
        out += char(0x11);
        out += '\0';
    }
    for (int s = 0; s < scans; ++s) {
        be16(out, 0xffda);
        be16(out, 6 + 2 * components);
        out += char(components);
        for (int c = 1; c <= components; ++c) {
            out += char(c);
            out += '\0';
        }
        // Progressive: first DC scans; baseline: the whole spectrum.
        out += '\0';
        out += char(progressive ? 0 : 63);
        out += '\0';
    }
    be16(out, 0xffd9);
    return out;
}

class TiffWriter {
public:
    void shorts(int tag, std::vector<qint64> values) { entries_[tag] = {3, std::move(values)}; }
    void longs(int tag, std::vector<qint64> values) { entries_[tag] = {4, std::move(values)}; }
    // Data placed after the header; its offset.
    qint64 data(const QByteArray& bytes) {
        const qint64 at = 8 + data_.size();
        data_ += bytes;
        if (data_.size() % 2) {
            data_ += '\0';
        }
        return at;
    }
    QByteArray file() const {
        // Header, data, the arrays too long for an entry, the directory.
        QByteArray arrays;
        std::map<int, qint64> arrayAt;
        const qint64 arraysStart = 8 + data_.size();
        for (const auto& [tag, entry] : entries_) {
            if (entry.values.size() * (entry.type == 3 ? 2 : 4) > 4) {
                arrayAt[tag] = arraysStart + arrays.size();
                arrays += encode(entry);
            }
        }
        QByteArray out("II");
        le16(out, 42);
        le32(out, arraysStart + arrays.size());
        out += data_ + arrays;
        le16(out, int(entries_.size()));
        for (const auto& [tag, entry] : entries_) {
            le16(out, tag);
            le16(out, entry.type);
            le32(out, qint64(entry.values.size()));
            if (arrayAt.count(tag)) {
                le32(out, arrayAt.at(tag));
            } else {
                QByteArray inline_ = encode(entry);
                inline_.resize(4, '\0');
                out += inline_;
            }
        }
        le32(out, 0);
        return out;
    }

private:
    struct Entry {
        int type;
        std::vector<qint64> values;
    };
    static QByteArray encode(const Entry& entry) {
        QByteArray out;
        for (const qint64 v : entry.values) {
            entry.type == 3 ? le16(out, int(v)) : le32(out, v);
        }
        return out;
    }
    std::map<int, Entry> entries_;
    QByteArray data_;
};

void tiffLayout(TiffWriter& t, int width, int height, int samples, int bits) {
    t.longs(256, {width});
    t.longs(257, {height});
    t.shorts(258, std::vector<qint64>(size_t(samples), bits));
    t.shorts(262, {samples >= 3 ? 2 : 1});
    t.shorts(277, {samples});
    t.shorts(284, {1});
    if (samples == 4) {
        t.shorts(338, {2});  // unassociated alpha
    }
}

// GIF codes of three bits (two-bit pixels), least significant bit first,
// in sub-blocks.
QByteArray gifCodes(const std::vector<int>& codes) {
    QByteArray packed;
    uint32_t buffer = 0;
    int held = 0;
    for (const int code : codes) {
        buffer |= uint32_t(code) << held;
        held += 3;
        while (held >= 8) {
            packed += char(buffer & 0xff);
            buffer >>= 8;
            held -= 8;
        }
    }
    if (held > 0) {
        packed += char(buffer & 0xff);
    }
    QByteArray out;
    for (qsizetype i = 0; i < packed.size(); i += 255) {
        const QByteArray block = packed.mid(i, 255);
        out += char(block.size());
        out += block;
    }
    return out + '\0';
}

// 24-bit BMP-style info header and a one-bit DIB of side `side`, both
// colours red.
QByteArray redDib(int side) {
    QByteArray dib = le32s({40, side, side});
    le16(dib, 1);
    le16(dib, 1);
    dib += le32s({0, 0, 0, 0, 2, 0});
    dib += le32s({0xff0000, 0xff0000});
    dib += QByteArray(qsizetype((side + 31) / 32) * 4 * side, '\0');
    return dib;
}

constexpr int kSide = 1024;
constexpr int kStarPoints = 500;
constexpr int kBitmapSide = 2048;

class EmfWriter {
public:
    void record(int type, const QByteArray& params) {
        le32(records_, type);
        le32(records_, 8 + params.size());
        records_ += params;
        ++count_;
    }
    // A frame of 1024 by 1024 pixels on a device of 96 pixels an inch.
    QByteArray file() const {
        const int mm100 = kSide * 2540 / 96;
        QByteArray out =
            le32s({1, 88, 0, 0, kSide - 1, kSide - 1, 0, 0, mm100, mm100, 0x464D4520, 0x10000});
        le32(out, 88 + records_.size() + 20);
        le32(out, count_ + 2);
        le16(out, 16);  // object slots
        le16(out, 0);
        out += le32s({0, 0, 0, kSide, kSide, 271, 271});
        return out + records_ + le32s({14, 20, 0, 16, 20});
    }

private:
    QByteArray records_;
    int count_ = 0;
};

class WmfWriter {
public:
    void record(int function, const std::vector<int>& words, const QByteArray& tail = {}) {
        QByteArray params;
        for (const int w : words) {
            le16(params, w);
        }
        params += tail;
        if (params.size() % 2) {
            params += '\0';
        }
        le32(records_, 3 + params.size() / 2);
        le16(records_, function);
        records_ += params;
    }
    // A placeable frame of 1024 by 1024 units at 96 an inch.
    QByteArray file() const {
        QByteArray out = le32s({0x9AC6CDD7});
        for (const int v : {0, 0, 0, kSide, kSide, 96}) {
            le16(out, v);
        }
        le32(out, 0);
        le16(out, 0);
        for (const int v : {1, 9, 0x300}) {
            le16(out, v);
        }
        le32(out, 9 + (records_.size() + 6) / 2);
        le16(out, 16);  // object slots
        le32(out, 0);
        le16(out, 0);
        out += records_;
        le32(out, 3);
        le16(out, 0);
        return out;
    }

private:
    QByteArray records_;
};

// Points alternately far from the centre and near it: every edge crosses
// many others.
std::vector<int> star() {
    std::vector<int> xy;
    for (int i = 0; i < kStarPoints; ++i) {
        const double radius = i % 2 ? 500 : 20;
        const double angle = 2 * 3.14159265358979 * i / kStarPoints;
        xy.push_back(kSide / 2 + int(radius * std::cos(angle)));
        xy.push_back(kSide / 2 + int(radius * std::sin(angle)));
    }
    return xy;
}

QByteArray utf16(const QString& text, int bytes) {
    QByteArray out(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    out.resize(std::max<qsizetype>(bytes, out.size()), '\0');
    return out;
}

}  // namespace

QByteArray jpegEmptyScans(int width, int height, int components, int scans) {
    return jpeg(width, height, components, scans, true);
}

QByteArray jpegWithComment(qint64 bytes, bool progressive) {
    const QByteArray picture = jpeg(8, 8, 1, 1, progressive);
    QByteArray comments;
    for (qint64 left = bytes; left > 0; left -= 65533) {
        const int part = int(std::min<qint64>(left, 65533));
        be16(comments, 0xfffe);
        be16(comments, part + 2);
        comments += QByteArray(part, 'c');
    }
    return picture.left(2) + comments + picture.mid(2);
}

QByteArray tiffSharedPieces(const TiffForm& form) {
    TiffWriter t;
    tiffLayout(t, form.width, form.height, form.samples, form.bits);
    t.shorts(259, {8});  // deflate
    const qint64 pixelBytes = qint64(form.samples) * form.bits / 8;
    const qint64 rows = form.rows > 0 ? form.rows : form.height;
    const qint64 pieceBytes =
        form.tile > 0 ? qint64(form.tile) * form.tile * pixelBytes : rows * form.width * pixelBytes;
    const QByteArray deflated = qCompress(QByteArray(pieceBytes, '\0'), 1).mid(4);
    const qint64 at = t.data(deflated);
    if (form.tile > 0) {
        const size_t count = size_t((form.width + form.tile - 1) / form.tile) *
                             size_t((form.height + form.tile - 1) / form.tile);
        t.longs(322, {form.tile});
        t.longs(323, {form.tile});
        t.longs(324, std::vector<qint64>(count, at));
        t.longs(325, std::vector<qint64>(count, deflated.size()));
    } else {
        const size_t count = size_t((form.height + rows - 1) / rows);
        t.longs(273, std::vector<qint64>(count, at));
        t.longs(278, {rows});
        t.longs(279, std::vector<qint64>(count, deflated.size()));
    }
    return t.file();
}

QByteArray tiffJpegStrips(int width, int height, int rows, int scans) {
    TiffWriter t;
    tiffLayout(t, width, height, 3, 8);
    t.shorts(259, {7});
    const QByteArray strip = jpeg(width, rows, 3, scans, scans > 1);
    const qint64 at = t.data(strip);
    const size_t count = size_t(height / rows);
    t.longs(273, std::vector<qint64>(count, at));
    t.longs(278, {rows});
    t.longs(279, std::vector<qint64>(count, strip.size()));
    return t.file();
}

QByteArray gif(int extensions, int subBlocks, int clearCodes, int width, int height) {
    QByteArray out("GIF89a");
    le16(out, width);
    le16(out, height);
    out += char(0x81);  // a global table of four colours
    out += '\0';
    out += '\0';
    out += QByteArray::fromHex("000000ff00000000ffffffff");
    for (int e = 0; e < extensions; ++e) {
        out += QByteArray::fromHex("21fe");
        for (int b = 0; b < subBlocks; ++b) {
            out += QByteArray::fromHex("0178");
        }
        out += '\0';
    }
    out += char(0x2c);
    for (const int v : {0, 0, width, height}) {
        le16(out, v);
    }
    out += '\0';
    out += char(2);  // minimum code size: codes start at three bits
    // Clear codes, then every pixel in a pair after a clear code of its
    // own, so that the codes never grow past three bits.
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
    QByteArray pixels;
    for (int y = 0; y < kHeight; ++y) {
        for (int r = 0; r < (y == 0 ? runs : 1); ++r) {
            pixels += char(y == 0 ? 255 : kWidth);
            pixels += char(1 + y % 2);
        }
        pixels += QByteArray(2, '\0');  // end of line
    }
    pixels += QByteArray::fromHex("0001");  // end of bitmap
    QByteArray out("BM");
    const int headers = 14 + 40 + 256 * 4;
    out += le32s({headers + pixels.size(), 0, headers, 40, kWidth, kHeight});
    le16(out, 1);
    le16(out, 8);
    out += le32s({1, pixels.size(), 0, 0, 256, 0});
    for (int i = 0; i < 256; ++i) {
        out += le32s({i * 0x010101});
    }
    return out + pixels;
}

QByteArray pcxPadded(int width, int height, int bytesPerLine) {
    QByteArray out(128, '\0');
    out[0] = 0x0a;
    out[1] = 5;
    out[2] = 1;
    out[3] = 8;
    QByteArray fields;
    for (const int v : {0, 0, width - 1, height - 1, 72, 72}) {
        le16(fields, v);
    }
    out.replace(4, fields.size(), fields);
    out[65] = 1;
    QByteArray line;
    le16(line, bytesPerLine);
    le16(line, 1);
    out.replace(66, line.size(), line);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out += char(0xc1);  // every pixel a run of one: any value fits
            out += char((x * 16 + y) % 256);
        }
        for (int left = bytesPerLine - width; left > 0; left -= 63) {
            out += char(0xc0 | std::min(left, 63));
            out += '\0';
        }
    }
    out += char(0x0c);
    for (int i = 0; i < 256; ++i) {
        out += QByteArray(3, char(i));
    }
    return out;
}

QByteArray emf(Drawing kind, int count) {
    EmfWriter e;
    e.record(39, le32s({1, 0, 0x0000ff, 0}));  // red brush in slot 1
    e.record(37, le32s({1}));
    e.record(37, le32s({0x80000008}));  // the stock null pen
    for (int i = 0; i < count; ++i) {
        switch (kind) {
            case Drawing::Rectangle:
                e.record(43, le32s({0, 0, kSide, kSide}));
                break;
            case Drawing::Star: {
                QByteArray polygon = le32s({0, 0, kSide, kSide, kStarPoints});
                for (const int v : star()) {
                    le32(polygon, v);
                }
                e.record(3, polygon);
                break;
            }
            case Drawing::NewFontText: {
                // A font of a size not used before, in slot 2, then "Ab".
                const QByteArray font = le32s({2, -(10 + i), 0, 0, 0, 400}) + QByteArray(8, '\0');
                e.record(82, font + utf16(QStringLiteral("Sans"), 64));
                e.record(37, le32s({2}));
                e.record(84,
                         le32s({0, 0, 0, 0, 1, 0, 0, 100, 100 + i % 800, 2, 76, 0, 0, 0, 0, 0, 0}) +
                             utf16(QStringLiteral("Ab"), 4));
                break;
            }
            case Drawing::Bitmap: {
                const QByteArray dib = redDib(kBitmapSide);
                const qint64 bits = (kBitmapSide + 31) / 32 * 4 * kBitmapSide;
                e.record(81, le32s({0, 0, 0, 0, 0, 0, 0, 0, kBitmapSide, kBitmapSide, 80, 48, 128,
                                    bits, 0, 0x00cc0020, kSide, kSide}) +
                                 dib);
                break;
            }
        }
    }
    e.record(39, le32s({3, 0, 0xff0000, 0}));  // blue brush in slot 3
    e.record(37, le32s({3}));
    e.record(43, le32s({0, 0, 16, 16}));
    return e.file();
}

QByteArray wmf(Drawing kind, int count) {
    WmfWriter w;
    w.record(0x02fa, {5, 0, 0, 0, 0});  // null pen: slot 0
    w.record(0x012d, {0});
    w.record(0x02fc, {0, 0x00ff, 0, 0});  // red brush: slot 1
    w.record(0x012d, {1});
    for (int i = 0; i < count; ++i) {
        switch (kind) {
            case Drawing::Rectangle:
                w.record(0x041b, {kSide, kSide, 0, 0});
                break;
            case Drawing::Star: {
                std::vector<int> polygon{kStarPoints};
                const std::vector<int> xy = star();
                polygon.insert(polygon.end(), xy.begin(), xy.end());
                w.record(0x0324, polygon);
                break;
            }
            case Drawing::NewFontText: {
                // A font of a size not used before in slot 2, "Ab", and the
                // slot freed again.
                w.record(0x02fb, {-(10 + i), 0, 0, 0, 400, 0, 0, 0, 0}, QByteArray("Sans\0", 5));
                w.record(0x012d, {2});
                QByteArray at;
                le16(at, 100 + i % 800);
                le16(at, 100);
                w.record(0x0521, {2}, QByteArray("Ab") + at);
                w.record(0x01f0, {2});
                break;
            }
            case Drawing::Bitmap:
                w.record(0x0f43,
                         {0x0020, 0x00cc, 0, kBitmapSide, kBitmapSide, 0, 0, kSide, kSide, 0, 0},
                         redDib(kBitmapSide));
                break;
        }
    }
    w.record(0x02fc, {0, 0x0000, 0x00ff, 0});  // blue brush: the next free slot
    w.record(0x012d, {2});
    w.record(0x041b, {16, 16, 0, 0});
    return w.file();
}

}  // namespace HostilePictures
