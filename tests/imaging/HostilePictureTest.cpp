// Files that would keep a decoder busy far beyond their size: each is
// refused, or drawn only as far as the decoder's budget goes, while its
// sane twin (the same form within the limits) decodes.
#include <gtest/gtest.h>

#include <QBuffer>

#include "HostilePictures.h"
#include "PictureFiles.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PngDecoder.h"
#include "imaging/TiffDecoder.h"

using namespace HostilePictures;

namespace {

struct Case {
    const char* name;
    QByteArray file;
    bool refused;
};

void expectOutcomes(const std::vector<Case>& cases, PictureFormat format) {
    for (const Case& c : cases) {
        const auto picture = decodePicture(c.file, format);
        EXPECT_EQ(!picture, c.refused) << c.name;
    }
}

TEST(HostilePictureTest, JpegScansBlocksAndBytes) {
    constexpr qint64 kBlocksPerScan = 3 * 256 * 256;  // 2048 by 2048, three components
    constexpr int kScansInBudget = int(kMaxJpegBlockVisits / kBlocksPerScan);
    const qint64 pastProgressiveBytes = kMaxProgressiveJpegBytes + 65536;
    expectOutcomes(
        {
            {"scans up to the limit", jpegEmptyScans(64, 64, 3, kMaxJpegScans), false},
            {"one scan more", jpegEmptyScans(64, 64, 3, kMaxJpegScans + 1), true},
            {"blocks visited up to the limit", jpegEmptyScans(2048, 2048, 3, kScansInBudget),
             false},
            {"one scan past the blocks", jpegEmptyScans(2048, 2048, 3, kScansInBudget + 1), true},
            {"the reported file: 10,000 scans of 6000 by 6000",
             jpegEmptyScans(6000, 6000, 3, 10000), true},
            {"sequential, long", jpegWithComment(pastProgressiveBytes, false), false},
            {"progressive, as long", jpegWithComment(pastProgressiveBytes, true), true},
            {"past the pixels", jpegEmptyScans(8000, 5001, 1, 1), true},
        },
        PictureFormat::Jpeg);
}

TEST(HostilePictureTest, TiffPiecesSamplesAndJpegData) {
    expectOutcomes(
        {
            {"tiles up to the limit", tiffSharedPieces({2048, 2048, 3, 8, 0, 16}), false},
            {"a row of tiles more", tiffSharedPieces({2048, 2064, 3, 8, 0, 16}), true},
            {"RGBA of 16 bits", tiffSharedPieces({64, 64, 4, 16, 16}), false},
            {"RGBA of 16 bits past the samples", tiffSharedPieces({4096, 2049, 4, 16, 64}), true},
            {"past the pixels", tiffSharedPieces({5000, 5000, 1, 8, 16}), true},
            {"JPEG strips", tiffJpegStrips(2048, 2048, 256, 1), false},
            {"progressive JPEG strips up to the blocks", tiffJpegStrips(2048, 2048, 256, 81),
             false},
            {"one scan past the blocks", tiffJpegStrips(2048, 2048, 256, 82), true},
        },
        PictureFormat::Tiff);
}

TEST(HostilePictureTest, GifRecordsAndCodes) {
    expectOutcomes(
        {
            {"extensions", gif(1000, 1, 0), false},
            {"extensions past the blocks", gif(int(kMaxGifBlocks / 2), 1, 0), true},
            {"sub-blocks past the blocks", gif(1, int(kMaxGifBlocks), 0), true},
            {"clear codes", gif(0, 0, 1000), false},
            {"clear codes past the bytes a pixel needs", gif(0, 0, 100000), true},
        },
        PictureFormat::Gif);
}

TEST(HostilePictureTest, BmpRunsPastThePicture) {
    expectOutcomes(
        {
            {"a run past the row's end", bmpRle8Runs(1), false},
            {"runs describing far more than the picture", bmpRle8Runs(100000), true},
        },
        PictureFormat::Bmp);
}

// Padding is skipped, not stored: rows padded to 64 KB decode to the same
// picture as rows with none.
TEST(HostilePictureTest, PcxPaddingCostsNothing) {
    const auto plain = decodePicture(pcxPadded(16, 64, 16), PictureFormat::Pcx);
    const auto padded = decodePicture(pcxPadded(16, 64, 65534), PictureFormat::Pcx);
    ASSERT_TRUE(plain && padded);
    EXPECT_EQ(plain->pixel(15, 63), qRgb(47, 47, 47));
    EXPECT_EQ(PictureFiles::maxDifference(*plain, *padded), 0);
}

// A PNG is read only as far as its picture: data after the last row are
// neither read nor inflated, and data before it are bounded.
TEST(HostilePictureTest, PngReadAsFarAsThePictureNeeds) {
    constexpr qint64 kGigabyte = 1LL << 30, kPiece = 64 * 1024;
    const struct {
        const char* name;
        QByteArray file;
        bool shown;
        qint64 mostRead;
    } cases[] = {
        {"a gigabyte of zeros after the picture", pngTrailingZeros(kGigabyte), true, kPiece},
        {"the same, interlaced", pngTrailingZeros(kGigabyte, true), true, kPiece},
        {"empty deflate blocks before it", pngEmptyBlocks(1000), true, kPiece},
        {"more than the data may hold", pngEmptyBlocks(int(kPngDataSlack / 10)), false,
         kPngDataSlack + kPiece},
        {"private chunks before it", pngAfterChunks(1000, 1000), true, 1000 * 1012 + kPiece},
        {"more than the head may hold", pngAfterChunks(17, 1 << 20), false,
         kMaxPngHeadBytes + kPiece},
    };
    for (const auto& c : cases) {
        QBuffer buffer;
        buffer.setData(c.file);
        buffer.open(QIODevice::ReadOnly);
        const auto picture = decodePng(buffer);
        EXPECT_EQ(picture.has_value(), c.shown) << c.name;
        if (picture) {
            EXPECT_EQ(picture->size(), QSize(1, 1)) << c.name;
            EXPECT_EQ(picture->pixel(0, 0), qRgb(0, 0, 0)) << c.name;
        }
        EXPECT_LE(buffer.pos(), c.mostRead) << c.name;
    }
}

// A metafile is drawn up to the budget: the blue square drawn after the
// costly drawings shows only when they fit in it.
TEST(HostilePictureTest, MetafilesStopAtTheDrawingBudget) {
    struct Form {
        const char* name;
        Drawing kind;
        int sane;
        int hostile;
    };
    const Form forms[] = {
        {"rectangles over the whole picture", Drawing::Rectangle, 3, 1000},
        {"stars", Drawing::Star, 2, 100},
        {"text in new fonts", Drawing::NewFontText, 3, 1000},
        {"big bitmaps", Drawing::Bitmap, 2, 12},
        // Priced before they are read: characters by their number, not by
        // the pixels of a font one pixel high; points as they are kept.
        {"text of many characters", Drawing::TinyText, 1000, 1'000'000},
        {"points in a path", Drawing::PathPoints, 1000, 4'000'000},
        {"points of a line", Drawing::LinePoints, 1000, 4'000'000},
    };
    for (const Form& f : forms) {
        for (const auto& [format, write] :
             {std::pair{PictureFormat::Emf, &emf}, std::pair{PictureFormat::Wmf, &wmf}}) {
            for (const int count : {f.sane, f.hostile}) {
                const auto picture = decodePicture(write(f.kind, count), format);
                ASSERT_TRUE(picture) << f.name;
                EXPECT_EQ(picture->pixel(8, 8) == qRgb(0, 0, 255), count == f.sane)
                    << f.name << (format == PictureFormat::Emf ? " (EMF) " : " (WMF) ") << count;
            }
        }
    }
}

}  // namespace
