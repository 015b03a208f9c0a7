// Metafiles written record by record: a Windows metafile with no placeable
// header, which the programs at hand never write, framed by its window
// records, with text and a stretched bitmap; an enhanced metafile with an
// anisotropic mapping, wide-character text and a stretched bitmap, which
// pstoedit and Inkscape do not write either; then the same files broken.
#include <gtest/gtest.h>

#include "LittleEndian.h"
#include "PictureFiles.h"
#include "imaging/PictureDecoder.h"

namespace {

using LittleEndian::le16;
using LittleEndian::le32;

class WmfWriter {
public:
    void record(int function, std::initializer_list<qint64> words, const QByteArray& tail = {}) {
        QByteArray params = le16(words) + tail;
        if (params.size() % 2) {
            params += '\0';
        }
        records_ += le32({3 + params.size() / 2}) + le16({function}) + params;
    }
    // With a placeable header framing `frame` at `inch` units per inch; its
    // checksum stays 0, players do not check it.
    QByteArray file(std::optional<QRect> frame, int inch = 96) const {
        const QByteArray placeable =
            frame ? le32({0x9AC6CDD7}) +
                        le16({0, frame->left(), frame->top(), frame->right() + 1,
                              frame->bottom() + 1, inch}) +
                        le32({0}) + le16({0})
                  : QByteArray();
        // Four object slots, then the records and the end of file.
        return placeable + le16({1, 9, 0x300}) + le32({9 + (records_.size() + 6) / 2}) + le16({4}) +
               le32({64}) + le16({0}) + records_ + le32({3}) + le16({0});
    }

private:
    QByteArray records_;
};

// A 2 by 2 bitmap of 24 bits, rows bottom-up: bottom row white and yellow,
// top row cyan and magenta, each row padded to four bytes.
QByteArray tinyDib() {
    return le32({40, 2, 2}) + le16({1, 24}) + QByteArray(24, '\0') +
           QByteArray::fromHex("ffffff00ffff0000ffff00ff00ff0000");
}

// Drawn in logical units 100..180 by 50..110 (80 by 60 pixels): a red
// rectangle top left, a blue ellipse bottom right, a green triangle made
// with a brush that took the slot of a deleted one, blue text top right,
// the bitmap bottom left.
WmfWriter drawing(bool windowRecords) {
    WmfWriter w;
    if (windowRecords) {
        w.record(0x020b, {50, 100});  // SetWindowOrg(y, x)
        w.record(0x020c, {60, 80});   // SetWindowExt(y, x)
    }
    w.record(0x02fc, {0, 0x00ff, 0x0000, 0});  // solid red brush: slot 0
    w.record(0x02fa, {5, 0, 0, 0, 0});         // null pen: slot 1
    w.record(0x012d, {0});
    w.record(0x012d, {1});
    w.record(0x041b, {80, 140, 50, 100});      // Rectangle(bottom, right, top, left)
    w.record(0x02fc, {0, 0x0000, 0x00ff, 0});  // blue brush: slot 2
    w.record(0x012d, {2});
    w.record(0x0418, {110, 180, 80, 140});  // Ellipse
    w.record(0x01f0, {0});                  // the red brush goes
    w.record(0x02fc, {0, 0xff00, 0, 0});    // green brush: slot 0 again
    w.record(0x012d, {0});
    w.record(0x0324, {3, 140, 80, 160, 80, 150, 60});  // Polygon(count, x, y, ...)
    w.record(0x0209, {0x0000, 0x00ff});                // SetTextColor: blue
    w.record(0x0103, {1});                             // SetBkMode: transparent
    w.record(0x02fb, {-20, 0, 0, 0, 700, 0, 0, 0, 0}, QByteArray("Sans\0", 5));
    w.record(0x012d, {3});
    w.record(0x0521, {2}, "Hi" + le16({52, 142}));  // TextOut: count, text, y, x
    w.record(0x0f43, {0x0020, 0x00cc, 0, 2, 2, 0, 0, 20, 20, 90, 100}, tinyDib());  // StretchDIB
    return w;
}

class EmfWriter {
public:
    void record(int type, const QByteArray& params) {
        records_ += le32({type, 8 + params.size()}) + params;
        ++count_;
    }
    // A frame of one inch by half an inch on a reference device of 96
    // pixels per inch, four object slots.
    QByteArray file() const {
        const QByteArray end = le32({14, 20, 0, 16, 20});
        return le32({1, 88, 0, 0, 95, 47, 0, 0, 2540, 1270, 0x464D4520, 0x10000,
                     88 + records_.size() + end.size(), count_ + 2}) +
               le16({4, 0}) + le32({0, 0, 0, 960, 960, 254, 254}) + records_ + end;
    }

private:
    QByteArray records_;
    int count_ = 0;
};

// Logical units ten times the picture's pixels (96 by 48): a red square on
// the left half, the bitmap top right, blue text bottom right.
QByteArray emfDrawing() {
    EmfWriter e;
    e.record(17, le32({8}));              // SetMapMode: anisotropic
    e.record(9, le32({960, 480}));        // SetWindowExtEx
    e.record(11, le32({96, 48}));         // SetViewportExtEx
    e.record(39, le32({1, 0, 0xff, 0}));  // CreateBrushIndirect: slot 1, red
    e.record(37, le32({1}));
    e.record(37, le32({0x80000008}));      // the stock null pen
    e.record(43, le32({0, 0, 480, 480}));  // Rectangle
    // StretchDIBits: bounds, destination, source, bitmap offsets, usage,
    // raster operation, destination size; then the bitmap.
    e.record(81, le32({0, 0, 0, 0, 480, 0, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00cc0020, 240, 240}) +
                     tinyDib());
    QByteArray font = le32({2, -200, 0, 0, 0, 700}) + QByteArray(8, '\0');
    QByteArray face = QByteArray("S\0a\0n\0s\0", 8);
    face.resize(64, '\0');
    e.record(82, font + face);  // ExtCreateFontIndirectW: slot 2
    e.record(37, le32({2}));
    e.record(24, le32({0xff0000}));  // SetTextColor: blue
    e.record(18, le32({1}));         // SetBkMode: transparent
    // ExtTextOutW: bounds, graphics mode, scales, reference, count, string
    // offset, options, rectangle, spacing offset; then "Hi" and spacing.
    QByteArray text = le32({0, 0, 0, 0, 1, 0, 0, 500, 260, 2, 76, 0, 0, 0, 0, 0, 80});
    text += QByteArray("H\0i\0", 4) + le32({100, 100});
    e.record(84, text);
    return e.file();
}

// Opaque blue pixels in the area: the text's ink.
int textPixels(const QImage& p, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = p.pixel(x, y);
            count += qAlpha(c) > 128 && qBlue(c) > 128 && qRed(c) < 100 ? 1 : 0;
        }
    }
    return count;
}

class HandMadeMetafileTest : public ::testing::Test {};

TEST_F(HandMadeMetafileTest, WindowRecordsFrameAFileWithoutPlaceableHeader) {
    const auto plain = decodePicture(drawing(true).file(std::nullopt), PictureFormat::Wmf);
    ASSERT_TRUE(plain);
    ASSERT_EQ(plain->size(), QSize(80, 60));
    const QImage p = plain->convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(p.pixel(20, 15), 0xffff0000u);  // rectangle
    EXPECT_EQ(p.pixel(60, 45), 0xff0000ffu);  // ellipse's centre
    EXPECT_EQ(p.pixel(50, 25), 0xff00ff00u);  // triangle, in the reused slot
    EXPECT_EQ(p.pixel(5, 45), 0xff00ffffu);   // bitmap's top row, left: cyan
    EXPECT_EQ(p.pixel(15, 55), 0xffffff00u);  // bottom row, right: yellow
    EXPECT_EQ(qAlpha(p.pixel(79, 29)), 0);    // nothing drawn: transparent
    EXPECT_GT(textPixels(p, QRect(42, 0, 38, 28)), 20);
}

TEST_F(HandMadeMetafileTest, PlaceableHeaderFramesTheSameDrawing) {
    const auto plain = decodePicture(drawing(true).file(std::nullopt), PictureFormat::Wmf);
    const auto placeable =
        decodePicture(drawing(false).file(QRect(100, 50, 80, 60)), PictureFormat::Wmf);
    ASSERT_TRUE(plain && placeable);
    EXPECT_EQ(PictureFiles::maxDifference(*plain, *placeable, true), 0);
    // Twice as many units per inch: half the pixels.
    const auto half =
        decodePicture(drawing(false).file(QRect(100, 50, 80, 60), 192), PictureFormat::Wmf);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->size(), QSize(40, 30));
}

TEST_F(HandMadeMetafileTest, EnhancedMetafileMapsTextAndBitmap) {
    const auto picture = decodePicture(emfDrawing(), PictureFormat::Emf);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->size(), QSize(96, 48));
    const QImage p = picture->convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(p.pixel(24, 24), 0xffff0000u);  // square
    EXPECT_EQ(qAlpha(p.pixel(24, 47)), 255);
    EXPECT_EQ(qAlpha(p.pixel(49, 24)), 0);
    EXPECT_EQ(p.pixel(52, 4), 0xff00ffffu);   // bitmap's top row, left: cyan
    EXPECT_EQ(p.pixel(68, 20), 0xffffff00u);  // bottom row, right: yellow
    EXPECT_EQ(qAlpha(p.pixel(74, 12)), 0);
    EXPECT_GT(textPixels(p, QRect(48, 24, 48, 24)), 20);
    const QByteArray whole = emfDrawing();
    PictureFiles::expectCutShortGivesNothing(whole, PictureFormat::Emf,
                                             {40, 100, whole.size() - 20});
    EXPECT_FALSE(decodePicture(whole, PictureFormat::Wmf));
}

TEST_F(HandMadeMetafileTest, BrokenFilesGiveNothing) {
    const QByteArray whole = drawing(true).file(std::nullopt);
    EXPECT_FALSE(decodePicture(whole, PictureFormat::Emf));
    PictureFiles::expectCutShortGivesNothing(whole, PictureFormat::Wmf,
                                             {1, 17, whole.size() / 2, whole.size() - 6});
    // With no window records a headerless file has no frame.
    EXPECT_FALSE(decodePicture(drawing(false).file(std::nullopt), PictureFormat::Wmf));
    // A record claiming more words than the file has.
    QByteArray lying = whole;
    lying[18] = char(0xff);
    lying[19] = char(0x7f);
    EXPECT_FALSE(decodePicture(lying, PictureFormat::Wmf));
}

}  // namespace
