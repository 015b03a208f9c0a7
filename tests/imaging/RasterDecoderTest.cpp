// Every listed variant of the raster formats decodes to the size and pixel
// values of the picture it was made from. ImageMagick writes most files;
// the variants it cannot write are written here byte by byte.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "PictureFiles.h"
#include "imaging/PictureDecoder.h"

using PictureFiles::Pattern;

namespace {

struct Variant {
    const char* name;
    Pattern pattern;
    QStringList options;
    const char* output;  // with ImageMagick's format prefix where needed
    int tolerance;       // 0: lossless
    // Header bytes that prove the file is the variant meant: offset, value.
    std::vector<std::pair<int, int>> header = {};
};

// Little-endian 16-bit value in a file.
int u16At(const QByteArray& data, int offset) {
    return uint8_t(data[offset]) | (uint8_t(data[offset + 1]) << 8);
}

void PrintTo(const Variant& v, std::ostream* os) {
    *os << v.name;
}

class RasterDecoderTest : public ::testing::TestWithParam<Variant> {};

TEST_P(RasterDecoderTest, DecodesToTheSourcePixels) {
    const Variant& v = GetParam();
    QTemporaryDir dir;
    ASSERT_FALSE(PictureFiles::convertProgram().isEmpty()) << "ImageMagick is not installed";
    const QImage source = PictureFiles::pattern(v.pattern);
    const QString output = QString::fromLatin1(v.output).replace(u'@', dir.path() + u'/');
    const QByteArray file = PictureFiles::convert(dir.path(), source, v.options, output);
    ASSERT_FALSE(file.isEmpty()) << v.name;
    for (const auto& [offset, value] : v.header) {
        ASSERT_EQ(offset == 3 || offset == 65 ? uint8_t(file[offset]) : u16At(file, offset), value)
            << v.name << ": not the variant meant, header byte " << offset;
    }
    const auto decoded = decodePicture(file, pictureFormatOf(QString::fromLatin1(v.output)));
    ASSERT_TRUE(decoded) << v.name;
    EXPECT_EQ(decoded->size(), source.size()) << v.name;
    EXPECT_LE(PictureFiles::maxDifference(decoded->convertToFormat(QImage::Format_RGB32), source),
              v.tolerance)
        << v.name;
}

const std::vector<Variant> kVariants = {
    // BMP: bit count at 28, compression at 30, header size at 14.
    {"bmp1", Pattern::Mono, {"-type", "bilevel"}, "BMP3:@p.bmp", 0, {{28, 1}}},
    {"bmp4", Pattern::Sixteen, {"-type", "palette"}, "BMP3:@p.bmp", 0, {{28, 4}}},
    {"bmp8",
     Pattern::Palette,
     {"-type", "palette", "-compress", "None"},
     "BMP3:@p.bmp",
     0,
     {{28, 8}, {30, 0}}},
    {"bmp8rle",
     Pattern::Palette,
     {"-type", "palette", "-compress", "RLE"},
     "BMP3:@p.bmp",
     0,
     {{28, 8}, {30, 1}}},
    {"bmp8os2", Pattern::Palette, {"-type", "palette"}, "BMP2:@p.bmp", 0, {{14, 12}}},
    {"bmp16", Pattern::Colour, {"-define", "bmp:subtype=RGB565"}, "@p.bmp", 8, {{28, 16}, {30, 3}}},
    {"bmp16x555", Pattern::Colour, {"-define", "bmp:subtype=RGB555"}, "@p.bmp", 8, {{28, 16}}},
    {"bmp24", Pattern::Colour, {"-type", "truecolor"}, "BMP3:@p.bmp", 0, {{28, 24}}},
    {"bmp32", Pattern::Colour, {"-type", "truecoloralpha"}, "@p.bmp", 0, {{28, 32}, {30, 3}}},
    // PCX: bits per pixel at 3, planes at 65 (ImageMagick writes no 1 or 4 bits).
    {"pcx8", Pattern::Palette, {"-type", "palette"}, "@p.pcx", 0, {{3, 8}, {65, 1}}},
    {"pcx24", Pattern::Colour, {"-type", "truecolor"}, "@p.pcx", 0, {{3, 8}, {65, 3}}},
    // JPEG: flat cells, compared after the lossy coding.
    {"jpeg", Pattern::Blocks, {"-quality", "95"}, "@p.jpg", 24},
    {"jpegProgressive", Pattern::Blocks, {"-quality", "95", "-interlace", "Plane"}, "@p.jpeg", 24},
    {"jpegGrey", Pattern::Grey, {"-quality", "98", "-colorspace", "Gray"}, "@p.jpg", 24},
    {"jpegCmyk", Pattern::Blocks, {"-quality", "95", "-colorspace", "CMYK"}, "@p.jpg", 40},
    // TIFF through libtiff, in several layouts.
    {"tiffRaw", Pattern::Colour, {"-compress", "None"}, "@p.tif", 0},
    {"tiffLzw", Pattern::Colour, {"-compress", "LZW"}, "@p.tiff", 0},
    {"tiffZipTiled",
     Pattern::Colour,
     {"-compress", "Zip", "-define", "tiff:tile-geometry=16x16"},
     "@p.tif",
     0},
    {"tiffPalette", Pattern::Sixteen, {"-type", "palette"}, "@p.tif", 0},
    {"tiffGrey16", Pattern::Grey, {"-colorspace", "Gray", "-depth", "16"}, "@p.tif", 0},
    {"tiffPlanar", Pattern::Colour, {"-interlace", "Plane"}, "@p.tif", 0},
    // GIF through giflib.
    {"gif", Pattern::Palette, {}, "@p.gif", 0},
    {"gifInterlaced", Pattern::Sixteen, {"-interlace", "GIF"}, "@p.gif", 0},
    // PNG, what current emulators save, through libpng. Bit depth and colour
    // type at 24 and 25 (read as one value: depth + 256 * type), interlace
    // at 28 (27 read as 256 * interlace).
    {"png", Pattern::Colour, {}, "PNG24:@p.png", 0, {{24, 8 + 2 * 256}, {27, 0}}},
    {"pngPalette", Pattern::Palette, {}, "PNG8:@p.png", 0, {{24, 8 + 3 * 256}}},
    {"pngMono", Pattern::Mono, {"-type", "bilevel"}, "@p.png", 0, {{24, 1}}},
    {"pngGrey16",
     Pattern::Grey,
     {"-define", "png:bit-depth=16", "-define", "png:color-type=0"},
     "@p.png",
     0,
     {{24, 16}}},
    {"pngRgba16", Pattern::Colour, {}, "PNG64:@p.png", 0, {{24, 16 + 6 * 256}}},
    {"pngInterlaced", Pattern::Colour, {"-interlace", "PNG"}, "PNG24:@p.png", 0, {{27, 256}}},
};

INSTANTIATE_TEST_SUITE_P(Variants, RasterDecoderTest, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
