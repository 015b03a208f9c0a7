// Metafiles made by real programs (Inkscape writes WMF and EMF, pstoedit
// EMF) drawn by our players and compared with other renderers of the same
// drawing: libwmf's wmf2gd for WMF, Ghostscript for the PostScript that
// pstoedit turned into EMF. Then files written byte by byte for what those
// programs never write (no placeable header, text, a stretched bitmap) and
// broken files.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "PictureFiles.h"
#include "imaging/PictureDecoder.h"
#include "imaging/Resample.h"

namespace {

// Both renderings on white at the reference's size.
QImage onWhite(const QImage& picture, QSize size) {
    return resampleHalftone(flattenOnto(picture, Qt::white), size);
}

// The share of pixels where some channel differs by more than a quarter
// of the range: anti-aliased edges and a renderer's own rounding of
// coordinates differ by a pixel along every outline, a wrong colour, a
// missing shape or a shifted mapping differ over whole areas.
double differingShare(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))}) > 64) {
                ++differing;
            }
        }
    }
    return double(differing) / (a.width() * a.height());
}

// The smallest rectangle holding everything not white: what libwmf draws,
// and what a page renderer's page holds, whatever frame each chose.
QImage content(const QImage& onWhite) {
    QRect box;
    for (int y = 0; y < onWhite.height(); ++y) {
        for (int x = 0; x < onWhite.width(); ++x) {
            if (qGray(onWhite.pixel(x, y)) < 240) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return onWhite.copy(box);
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Coloured areas, lines and a bitmap (a 16 by 16 check of four colours): the
// kinds of records a picture's metafile holds.
QString drawingSvg(const QString& folder) {
    QImage check(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            static const QRgb colours[] = {0xffffff00, 0xff00ffff, 0xffff00ff, 0xff000000};
            check.setPixel(x, y, colours[(x / 8) + 2 * (y / 8)]);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    check.save(&buffer, "PNG");
    const QString path = folder + u"/drawing.svg";
    PictureFiles::writeFile(
        path,
        "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
        "width='200' height='150' viewBox='0 0 200 150'>"
        "<rect x='10' y='10' width='90' height='70' fill='#ff0000' stroke='#000000' "
        "stroke-width='2'/>"
        "<ellipse cx='150' cy='45' rx='35' ry='25' fill='#00a000'/>"
        "<polygon points='20,140 60,95 100,140' fill='#0000ff'/>"
        "<line x1='115' y1='90' x2='190' y2='145' stroke='#800080' stroke-width='4'/>"
        "<image x='130' y='90' width='40' height='40' style='image-rendering:pixelated' "
        "xlink:href='data:image/png;base64," +
            png.toBase64() + "'/></svg>");
    return path;
}

class MetafileTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"inkscape", "wmf2gd", "pstoedit", "gs"}) {
            ASSERT_FALSE(QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                << tool << " is installed by scripts/test.sh";
        }
    }
    // The drawing exported by Inkscape as `type` (wmf or emf).
    QString inkscape(const QString& type) {
        const QString out = dir_.path() + u"/drawing." + type;
        EXPECT_TRUE(run(u"inkscape"_qs, {drawingSvg(dir_.path()), u"--export-type=" + type,
                                         u"--export-filename=" + out}));
        return out;
    }
    QTemporaryDir dir_;
};

// Inside the drawing's shapes, away from their edges, in a 200 by 150 frame.
void expectShapeColours(const QImage& picture, const char* what) {
    const QImage image = onWhite(picture, {200, 150});
    const struct {
        QPoint at;
        QRgb colour;
    } spots[] = {{{50, 45}, 0xffff0000},  {{150, 45}, 0xff00a000},  {{60, 130}, 0xff0000ff},
                 {{135, 95}, 0xffffff00}, {{165, 125}, 0xff000000}, {{60, 88}, 0xffffffff},
                 {{190, 10}, 0xffffffff}};
    for (const auto& spot : spots) {
        EXPECT_EQ(image.pixel(spot.at) & 0xffffff, spot.colour & 0xffffff)
            << what << " at " << spot.at.x() << "," << spot.at.y();
    }
}

TEST_F(MetafileTest, InkscapeWmfDrawsAsLibwmfDoes) {
    const QString wmf = inkscape(u"wmf"_qs);
    const auto ours = decodePicture(PictureFiles::readFile(wmf), PictureFormat::Wmf);
    ASSERT_TRUE(ours);
    // The placeable header's frame at 96 dots per inch: the drawing's size.
    EXPECT_NEAR(ours->width(), 200, 2);
    EXPECT_NEAR(ours->height(), 150, 2);
    expectShapeColours(*ours, "wmf");

    const QString png = dir_.path() + u"/libwmf.png";
    ASSERT_TRUE(run(u"wmf2gd"_qs, {u"-o"_qs, png, wmf}));
    QImage reference(png);
    ASSERT_FALSE(reference.isNull());
    reference = reference.convertToFormat(QImage::Format_RGB32);
    // libwmf fits the drawn content to its picture, where the frame of the
    // placeable header fills ours.
    const QImage image = resampleHalftone(
        content(flattenOnto(*ours, Qt::white).convertToFormat(QImage::Format_RGB32)),
        reference.size());
    const double share = differingShare(image, reference);
    RecordProperty("differing_share", std::to_string(share));
    // Measured 6.2%: the outlines (libwmf does not smooth them, our
    // reduction to its size does) and the bitmap's block edges, which
    // libwmf interpolates. The smallest shape, the ellipse, is 9% of the
    // drawing, and a mapping off by a few percent moves every outline.
    EXPECT_LT(share, 0.08) << "wmf2gd size " << reference.width() << "x" << reference.height();
}

TEST_F(MetafileTest, InkscapeEmfDrawsTheSameDrawing) {
    const auto ours =
        decodePicture(PictureFiles::readFile(inkscape(u"emf"_qs)), PictureFormat::Emf);
    ASSERT_TRUE(ours);
    EXPECT_NEAR(ours->width(), 200, 2);
    EXPECT_NEAR(ours->height(), 150, 2);
    expectShapeColours(*ours, "emf");
}

TEST_F(MetafileTest, PstoeditEmfDrawsAsGhostscriptDoes) {
    // A filled square, a thick line, a disc and a word, on a 200 by 150
    // point page.
    const QString ps = dir_.path() + u"/drawing.ps";
    PictureFiles::writeFile(ps,
                            "%!PS\n%%BoundingBox: 0 0 200 150\n"
                            "1 0 0 setrgbcolor 10 10 moveto 100 10 lineto 100 80 lineto "
                            "10 80 lineto closepath fill\n"
                            "0 0 1 setrgbcolor 6 setlinewidth 120 20 moveto 190 140 lineto "
                            "stroke\n"
                            "0 0.6 0 setrgbcolor newpath 150 60 30 0 360 arc fill\n"
                            "/Helvetica findfont 28 scalefont setfont 0 0 0 setrgbcolor "
                            "15 110 moveto (Brivanel) show\nshowpage\n");
    const QString emf = dir_.path() + u"/drawing.emf";
    ASSERT_TRUE(run(u"pstoedit"_qs, {u"-f"_qs, u"emf:-OO"_qs, ps, emf}));
    const auto ours = decodePicture(PictureFiles::readFile(emf), PictureFormat::Emf);
    ASSERT_TRUE(ours);
    const QString png = dir_.path() + u"/gs.png";
    ASSERT_TRUE(
        run(u"gs"_qs, {u"-q"_qs, u"-dSAFER"_qs, u"-dBATCH"_qs, u"-dNOPAUSE"_qs, u"-dFIXEDMEDIA"_qs,
                       u"-dDEVICEWIDTHPOINTS=200"_qs, u"-dDEVICEHEIGHTPOINTS=150"_qs,
                       u"-sDEVICE=png16m"_qs, u"-r96"_qs, u"-sOutputFile=" + png, ps}));
    const QImage reference = content(QImage(png).convertToFormat(QImage::Format_RGB32));
    ASSERT_FALSE(reference.isNull());
    const QImage image = resampleHalftone(
        content(flattenOnto(*ours, Qt::white).convertToFormat(QImage::Format_RGB32)),
        reference.size());
    const double share = differingShare(image, reference);
    RecordProperty("differing_share", std::to_string(share));
    // Measured 5.2%: the smoothed edges of the word's glyphs and of the
    // shapes. The word's ink alone covers more than the margin.
    EXPECT_LT(share, 0.08);
}

// Files of real programs, cut short, empty or with flipped bytes: a cut or
// empty one gives nothing, a bent one may draw something but never crashes.
TEST_F(MetafileTest, BrokenRealFilesNeverCrash) {
    for (const char* type : {"wmf", "emf"}) {
        const QByteArray whole = PictureFiles::readFile(inkscape(QLatin1String(type)));
        const PictureFormat format = pictureFormatOf(u"p." + QLatin1String(type));
        ASSERT_TRUE(decodePicture(whole, format)) << type;
        SCOPED_TRACE(type);
        PictureFiles::expectCutShortGivesNothing(whole, format, {1, 30, whole.size() / 2});
        PictureFiles::expectBentCopiesNeverCrash(whole, format, 777, 300);
    }
}

}  // namespace
