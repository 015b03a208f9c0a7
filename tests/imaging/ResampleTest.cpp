// Resampling to an exact size: flat colours stay flat, edges are kept at
// the right place, and an average of a region is what the halftone gives.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <iostream>

#include "PictureFiles.h"
#include "imaging/Resample.h"

namespace {

struct Case {
    const char* name;
    QSize from;
    QSize to;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ResampleSizeTest : public ::testing::TestWithParam<Case> {};

TEST_P(ResampleSizeTest, FlatColourStaysFlatAtTheExactSize) {
    const Case& c = GetParam();
    QImage flat(c.from, QImage::Format_RGB32);
    flat.fill(qRgb(200, 100, 7));
    for (auto* resample : {resampleHalftone, resampleLanczos3}) {
        const QImage out = resample(flat, c.to);
        ASSERT_EQ(out.size(), c.to) << c.name;
        QImage expected(c.to, QImage::Format_RGB32);
        expected.fill(qRgb(200, 100, 7));
        EXPECT_EQ(PictureFiles::maxDifference(out, expected), 0) << c.name;
    }
}

const Case kCases[] = {
    {"shrink", {640, 480}, {256, 256}}, {"grow", {31, 17}, {256, 256}},
    {"tall", {3, 900}, {256, 256}},     {"onePixel", {1, 1}, {256, 256}},
    {"same", {256, 256}, {256, 256}},   {"toOne", {50, 40}, {1, 1}},
};

INSTANTIATE_TEST_SUITE_P(Sizes, ResampleSizeTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResampleTest, HalftoneAveragesTheCoveredArea) {
    // Columns alternate black and white: halving averages each pair to grey;
    // a third of the width averages 2 black and 1 white, or the reverse.
    QImage stripes(6, 2, QImage::Format_RGB32);
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 2; ++y) {
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    const QImage half = resampleHalftone(stripes, {3, 1});
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(qRed(half.pixel(x, 0)), 128) << x;
    }
    const QImage third = resampleHalftone(stripes, {2, 1});
    EXPECT_EQ(qRed(third.pixel(0, 0)), 85);
    EXPECT_EQ(qRed(third.pixel(1, 0)), 170);
}

TEST(ResampleTest, LanczosKeepsAnEdgeSharpAndInPlace) {
    // Left half dark, right half light, shrunk by 4: the edge falls between
    // target columns 31 and 32; the filter rings a little, the halftone not.
    QImage edge(256, 8, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 8; ++y) {
            edge.setPixel(x, y, x < 128 ? qRgb(40, 40, 40) : qRgb(220, 220, 220));
        }
    }
    const QImage out = resampleLanczos3(edge, {64, 2});
    EXPECT_EQ(qRed(out.pixel(10, 0)), 40);
    EXPECT_EQ(qRed(out.pixel(50, 1)), 220);
    EXPECT_LT(qRed(out.pixel(31, 0)), 130);
    EXPECT_GT(qRed(out.pixel(32, 0)), 130);
    const int ring = qRed(out.pixel(30, 0));
    EXPECT_LT(ring, 40);  // the lobes of the sinc undershoot before the edge
}

// Our Lanczos-3 against ImageMagick's on pictures of several kinds and
// sizes: shrinking both ways, growing both ways, and one of each.
TEST(ResampleTest, LanczosMatchesImageMagick) {
    QTemporaryDir dir;
    struct Picture {
        const char* name;
        QImage image;
    };
    QImage smooth(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < smooth.height(); ++y) {
        for (int x = 0; x < smooth.width(); ++x) {
            smooth.setPixel(x, y,
                            qRgb(128 + int(100 * std::sin(x / 9.0)),
                                 128 + int(100 * std::cos(y / 13.0)), (x * y) % 256));
        }
    }
    const Picture pictures[] = {
        {"colour640", PictureFiles::pattern(PictureFiles::Pattern::Colour, 640, 480)},
        {"blocks1600", PictureFiles::pattern(PictureFiles::Pattern::Blocks, 1600, 1200)},
        {"mono100", PictureFiles::pattern(PictureFiles::Pattern::Mono, 100, 80)},
        {"smooth300", smooth},
        {"sixteen97", PictureFiles::pattern(PictureFiles::Pattern::Sixteen, 97, 401)},
        // Over eight times the view: first averaged down.
        {"blocks2200", PictureFiles::pattern(PictureFiles::Pattern::Blocks, 2200, 2300)},
    };
    for (const Picture& p : pictures) {
        const QByteArray png = PictureFiles::convert(dir.path(), p.image,
                                                     {"-filter", "Lanczos", "-resize", "256x256!"},
                                                     dir.path() + u"/out.png");
        const QImage theirs = QImage::fromData(png).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(theirs.size(), QSize(256, 256)) << p.name;
        const QImage ours = resampleLanczos3(p.image, {256, 256});
        const double mean = PictureFiles::meanDifference(ours, theirs);
        const int worst = PictureFiles::maxDifference(ours, theirs);
        std::cout << p.name << ": mean " << mean << " max " << worst << std::endl;
        EXPECT_LT(mean, 1.0) << p.name;
        EXPECT_LT(worst, 8) << p.name;
    }
}

}  // namespace
