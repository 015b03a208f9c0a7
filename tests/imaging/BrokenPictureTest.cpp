// Broken files of every format: cut short, empty, with flipped bytes, or
// named with another format's extension. None crashes; none that is cut
// short, empty or misnamed gives a picture.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "PictureFiles.h"
#include "imaging/PictureDecoder.h"

using PictureFiles::Pattern;

namespace {

struct Sample {
    const char* extension;
    QStringList options;
};

const Sample kSamples[] = {
    {"bmp", {"-type", "truecolor"}},
    {"pcx", {}},
    {"jpg", {"-interlace", "Plane"}},
    {"jpeg", {}},
    {"tif", {"-compress", "LZW"}},
    {"gif", {}},
    {"png", {}},
};

class BrokenPictureTest : public ::testing::Test {
protected:
    QByteArray make(const Sample& s) {
        return PictureFiles::convert(dir_.path(), PictureFiles::pattern(Pattern::Colour, 61, 47),
                                     s.options, dir_.path() + u"/p." + QLatin1String(s.extension));
    }
    QTemporaryDir dir_;
};

TEST_F(BrokenPictureTest, CutShortEmptyMisnamedOrBentFiles) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.extension);
        const QByteArray whole = make(s);
        ASSERT_FALSE(whole.isEmpty());
        const PictureFormat format = pictureFormatOf(u"p." + QLatin1String(s.extension));
        ASSERT_TRUE(decodePicture(whole, format));
        PictureFiles::expectCutShortGivesNothing(whole, format, {1, 10, whole.size() / 2});
        for (const Sample& other : kSamples) {
            const PictureFormat otherFormat =
                pictureFormatOf(u"p." + QLatin1String(other.extension));
            if (otherFormat != format) {
                EXPECT_FALSE(decodePicture(whole, otherFormat)) << "named ." << other.extension;
            }
        }
        // Headers are where decoders are most easily led astray.
        PictureFiles::expectBentCopiesNeverCrash(whole, format, 12345, 200, 200);
    }
}

}  // namespace
