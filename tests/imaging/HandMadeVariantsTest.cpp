// The variants ImageMagick does not write, written byte by byte: BMP with
// RLE4 and stored top-down, PCX with 1 and 4 bits in one or more planes.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "LittleEndian.h"
#include "PictureFiles.h"
#include "imaging/PictureDecoder.h"

using PictureFiles::Pattern;

namespace {

using LittleEndian::bytes;
using LittleEndian::le16;
using LittleEndian::le32;

// The pattern's colours as palette indexes.
struct Indexed {
    QList<QRgb> palette;
    std::vector<int> pixels;
    int width;
    int height;
};

Indexed indexed(const QImage& image) {
    Indexed out{{}, {}, image.width(), image.height()};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            qsizetype i = out.palette.indexOf(c);
            if (i < 0) {
                i = out.palette.size();
                out.palette.append(c);
            }
            out.pixels.push_back(int(i));
        }
    }
    while (out.palette.size() < 16) {
        out.palette.append(qRgb(1, 2, 3));
    }
    return out;
}

QByteArray bmpHeaders(const Indexed& p, int bitCount, int compression, int height,
                      qint64 dataSize) {
    const int paletteBytes = 4 * (1 << bitCount);
    QByteArray out =
        "BM" + le32({54 + paletteBytes + dataSize, 0, 54 + paletteBytes, 40, p.width, height}) +
        le16({1, bitCount}) + le32({compression, dataSize, 2835, 2835, 0, 0});
    for (int i = 0; i < (1 << bitCount); ++i) {
        out += le32({p.palette.value(i) & 0xffffff});  // blue, green, red, 0
    }
    return out;
}

// RLE4, bottom-up: each row as an absolute run of its first 4 pixels, then
// encoded runs of two pixels, an end of line; a delta skips nothing useful
// but must be followed.
QByteArray rle4(const Indexed& p) {
    QByteArray data;
    for (int y = p.height - 1; y >= 0; --y) {
        const int* row = p.pixels.data() + size_t(y) * p.width;
        data += bytes({0, 4, (row[0] << 4) | row[1], (row[2] << 4) | row[3]});
        for (int x = 4; x < p.width; x += 2) {
            const int n = std::min(2, p.width - x);
            data += bytes({n, (row[x] << 4) | (n > 1 ? row[x + 1] : 0)});
        }
        data += bytes({0, 0});
    }
    data += bytes({0, 1});
    return data;
}

QByteArray topDown4(const Indexed& p) {
    const int stride = ((p.width * 4 + 31) / 32) * 4;
    QByteArray data(qsizetype(stride) * p.height, '\0');
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const int v = p.pixels[size_t(y) * p.width + x];
            data[y * stride + x / 2] = char(data[y * stride + x / 2] | (x % 2 ? v : v << 4));
        }
    }
    return data;
}

// PCX with `bits` per pixel in `planes` planes, run-length encoded.
QByteArray pcx(const Indexed& p, int bits, int planes) {
    QByteArray out(128, '\0');
    out.replace(0, 12,
                QByteArray(bytes({0x0a, 5, 1, bits}) + le16({0, 0, p.width - 1, p.height - 1})));
    for (int i = 0; i < 16; ++i) {
        out[16 + 3 * i] = char(qRed(p.palette[i]));
        out[17 + 3 * i] = char(qGreen(p.palette[i]));
        out[18 + 3 * i] = char(qBlue(p.palette[i]));
    }
    out[65] = char(planes);
    const int bytesPerLine = ((p.width * bits + 15) / 16) * 2;
    out.replace(66, 2, le16({bytesPerLine}));
    const int perByte = 8 / bits;
    for (int y = 0; y < p.height; ++y) {
        for (int plane = 0; plane < planes; ++plane) {
            QByteArray line(bytesPerLine, '\0');
            for (int x = 0; x < p.width; ++x) {
                const int value =
                    (p.pixels[size_t(y) * p.width + x] >> (plane * bits)) & ((1 << bits) - 1);
                line[x / perByte] =
                    char(line[x / perByte] | (value << (8 - bits * (x % perByte + 1))));
            }
            for (const char c : line) {  // every byte as a run of one
                out += bytes({0xc1, c});
            }
        }
    }
    return out;
}

struct HandMade {
    const char* name;
    Pattern pattern;
    QByteArray (*write)(const Indexed&);
    PictureFormat format;
};

void PrintTo(const HandMade& h, std::ostream* os) {
    *os << h.name;
}

class HandMadeVariantTest : public ::testing::TestWithParam<HandMade> {};

TEST_P(HandMadeVariantTest, DecodesToTheSourcePixels) {
    const HandMade& h = GetParam();
    const QImage source = PictureFiles::pattern(h.pattern);
    const auto decoded = decodePicture(h.write(indexed(source)), h.format);
    ASSERT_TRUE(decoded) << h.name;
    EXPECT_EQ(PictureFiles::maxDifference(*decoded, source), 0) << h.name;
}

const HandMade kHandMade[] = {
    {"bmpRle4", Pattern::Sixteen,
     [](const Indexed& p) -> QByteArray {
         const QByteArray data = rle4(p);
         return bmpHeaders(p, 4, 2, p.height, data.size()) + data;
     },
     PictureFormat::Bmp},
    {"bmpTopDown", Pattern::Sixteen,
     [](const Indexed& p) -> QByteArray {
         const QByteArray data = topDown4(p);
         return bmpHeaders(p, 4, 0, -p.height, data.size()) + data;
     },
     PictureFormat::Bmp},
    {"pcx1", Pattern::Mono, [](const Indexed& p) { return pcx(p, 1, 1); }, PictureFormat::Pcx},
    {"pcx1x4planes", Pattern::Sixteen, [](const Indexed& p) { return pcx(p, 1, 4); },
     PictureFormat::Pcx},
    {"pcx4", Pattern::Sixteen, [](const Indexed& p) { return pcx(p, 4, 1); }, PictureFormat::Pcx},
};

INSTANTIATE_TEST_SUITE_P(Variants, HandMadeVariantTest, ::testing::ValuesIn(kHandMade),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HandMadeVariant, RunLengthOfAnotherDepthIsRefused) {
    const Indexed p = indexed(PictureFiles::pattern(Pattern::Sixteen));
    const QByteArray data = rle4(p);
    // Found by the fuzz run: RLE4's indexes in a 1-bit picture, palette of two.
    EXPECT_FALSE(
        decodePicture(bmpHeaders(p, 1, 2, p.height, data.size()) + data, PictureFormat::Bmp));
}

}  // namespace
