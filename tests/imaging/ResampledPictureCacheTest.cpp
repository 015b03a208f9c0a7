// The cache of resampled pictures: a picture shown again is not decoded
// again, unless its file changed (modification time or size), nor is the
// file decoded last when it is asked at another size or quality; the least
// recently shown go first once
// the byte bound is passed; a broken file gives nothing, and a refused one
// is not decoded again until it changes; a big JPEG is decoded reduced and
// looks as it would whole.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "HostilePictures.h"
#include "PictureFiles.h"
#include "imaging/JpegDecoder.h"
#include "imaging/PictureDecoder.h"
#include "imaging/Resample.h"
#include "imaging/ResampledPictureCache.h"

namespace {

constexpr QSize kView(64, 64);

class ResampledPictureCacheTest : public ::testing::Test {
protected:
    QString write(const QString& name, QRgb colour, int width = 30) {
        QImage image(width, 20, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir_.path() + u'/' + name;
        image.save(path, "BMP");
        return path;
    }
    static void setModified(const QString& path, const QDateTime& when) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    QRgb shown(const QString& path, bool highQuality = false) {
        const auto picture = cache_.picture(path, kView, highQuality, Qt::gray);
        return picture ? picture->pixel(10, 10) : 0;
    }
    QTemporaryDir dir_;
    ResampledPictureCache cache_;
};

TEST_F(ResampledPictureCacheTest, ShownAgainIsNotDecodedAgain) {
    const QString a = write(u"a.bmp"_qs, qRgb(200, 10, 10));
    const QString b = write(u"b.bmp"_qs, qRgb(10, 200, 10));
    EXPECT_EQ(shown(a), qRgb(200, 10, 10));
    EXPECT_EQ(shown(b), qRgb(10, 200, 10));
    EXPECT_EQ(shown(a), qRgb(200, 10, 10));
    EXPECT_EQ(cache_.decodes(), 2);
    EXPECT_EQ(cache_.picture(a, kView, false, Qt::gray)->size(), kView);
    // The file decoded last, at another quality or size (the quality
    // switched, the window resized), is only resampled; another is decoded.
    EXPECT_EQ(shown(b, true), qRgb(10, 200, 10));
    EXPECT_EQ(cache_.picture(b, QSize(32, 32), false, Qt::gray)->size(), QSize(32, 32));
    EXPECT_EQ(cache_.decodes(), 2);
    shown(a, true);
    EXPECT_EQ(cache_.decodes(), 3);
}

TEST_F(ResampledPictureCacheTest, ChangedFileIsDecodedAgain) {
    const QString a = write(u"a.bmp"_qs, qRgb(200, 10, 10));
    const QDateTime then = QDateTime::currentDateTime().addSecs(-60);
    setModified(a, then);
    EXPECT_EQ(shown(a), qRgb(200, 10, 10));
    // Same size, a new modification time.
    write(u"a.bmp"_qs, qRgb(0, 0, 250));
    setModified(a, then.addSecs(5));
    EXPECT_EQ(shown(a), qRgb(0, 0, 250));
    EXPECT_EQ(cache_.decodes(), 2);
    // The modification time put back, but another size.
    write(u"a.bmp"_qs, qRgb(0, 250, 0), 31);
    setModified(a, then.addSecs(5));
    EXPECT_EQ(shown(a), qRgb(0, 250, 0));
    EXPECT_EQ(cache_.decodes(), 3);
}

TEST_F(ResampledPictureCacheTest, LeastRecentlyShownGoFirstPastTheBound) {
    const qint64 onePicture = QImage(kView, QImage::Format_RGB32).sizeInBytes();
    ResampledPictureCache small(2 * onePicture);
    const QString a = write(u"a.bmp"_qs, qRgb(1, 1, 1));
    const QString b = write(u"b.bmp"_qs, qRgb(2, 2, 2));
    const QString c = write(u"c.bmp"_qs, qRgb(3, 3, 3));
    for (const QString& path : {a, b, a, c}) {  // b is now the least recent
        small.picture(path, kView, false, Qt::gray);
    }
    EXPECT_EQ(small.decodes(), 3);
    EXPECT_EQ(small.bytes(), 2 * onePicture);
    small.picture(a, kView, false, Qt::gray);
    small.picture(c, kView, false, Qt::gray);
    EXPECT_EQ(small.decodes(), 3);
    small.picture(b, kView, false, Qt::gray);
    EXPECT_EQ(small.decodes(), 4);
}

TEST_F(ResampledPictureCacheTest, BrokenOrMissingFileGivesNothing) {
    const QString broken = dir_.path() + u"/broken.bmp";
    PictureFiles::writeFile(broken, "BM not a bitmap");
    EXPECT_FALSE(cache_.picture(broken, kView, false, Qt::gray));
    EXPECT_FALSE(cache_.picture(dir_.path() + u"/none.bmp", kView, false, Qt::gray));
    EXPECT_EQ(cache_.bytes(), 0);
}

TEST_F(ResampledPictureCacheTest, RefusedFileIsNotDecodedAgainUntilItChanges) {
    const QString path = dir_.path() + u"/scans.jpg";
    PictureFiles::writeFile(path, HostilePictures::jpegEmptyScans(64, 64, 3, kMaxJpegScans + 1));
    EXPECT_FALSE(cache_.picture(path, kView, false, Qt::gray));
    EXPECT_FALSE(cache_.picture(path, kView, false, Qt::gray));
    EXPECT_EQ(cache_.decodes(), 1);
    QImage fixed(40, 40, QImage::Format_RGB32);
    fixed.fill(qRgb(0, 0, 250));
    fixed.save(path, "JPG", 100);
    EXPECT_TRUE(cache_.picture(path, kView, false, Qt::gray));
    EXPECT_EQ(cache_.decodes(), 2);
}

TEST_F(ResampledPictureCacheTest, BigJpegIsDecodedReducedAndLooksAsWhole) {
    const QString path = dir_.path() + u"/big.jpg";
    ASSERT_TRUE(
        PictureFiles::pattern(PictureFiles::Pattern::Blocks, 2100, 1100).save(path, "JPG", 90));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto reduced = decodeJpeg(file, kView);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(reduced->size(), QSize(525, 275));  // a quarter: the shape kept
    const auto whole = decodePicture(PictureFiles::readFile(path), PictureFormat::Jpeg);
    ASSERT_TRUE(whole);
    for (const bool highQuality : {false, true}) {
        const auto shown = cache_.picture(path, kView, highQuality, Qt::gray);
        ASSERT_TRUE(shown);
        const QImage expected =
            highQuality ? resampleLanczos3(*whole, kView) : resampleHalftone(*whole, kView);
        ASSERT_EQ(shown->size(), expected.size());
        EXPECT_LT(PictureFiles::meanDifference(*shown, expected), 1.0) << highQuality;
    }
    // Decoded once for both qualities; a view too big for the reduction
    // needs it decoded anew.
    EXPECT_EQ(cache_.decodes(), 1);
    cache_.picture(path, QSize(300, 300), false, Qt::gray);
    EXPECT_EQ(cache_.decodes(), 2);
}

}  // namespace
