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

TEST_F(BrokenPictureTest, CutShortOrEmptyGivesNothing) {
    for (const Sample& s : kSamples) {
        const QByteArray whole = make(s);
        ASSERT_FALSE(whole.isEmpty()) << s.extension;
        const PictureFormat format = pictureFormatOf(u"p." + QLatin1String(s.extension));
        ASSERT_TRUE(decodePicture(whole, format)) << s.extension;
        EXPECT_FALSE(decodePicture(QByteArray(), format)) << s.extension;
        for (const qsizetype size : {qsizetype(1), qsizetype(10), whole.size() / 2}) {
            EXPECT_FALSE(decodePicture(whole.left(size), format))
                << s.extension << " cut to " << size;
        }
    }
}

TEST_F(BrokenPictureTest, MisnamedFileGivesNothing) {
    for (const Sample& s : kSamples) {
        const QByteArray whole = make(s);
        for (const Sample& other : kSamples) {
            const PictureFormat format = pictureFormatOf(u"p." + QLatin1String(other.extension));
            if (format != pictureFormatOf(u"p." + QLatin1String(s.extension))) {
                EXPECT_FALSE(decodePicture(whole, format))
                    << s.extension << " named ." << other.extension;
            }
        }
    }
}

// Flipped bytes may still decode (into a wrong picture) but never crash;
// run under a sanitizer this is where memory faults show.
TEST_F(BrokenPictureTest, FlippedBytesNeverCrash) {
    for (const Sample& s : kSamples) {
        const QByteArray whole = make(s);
        const PictureFormat format = pictureFormatOf(u"p." + QLatin1String(s.extension));
        uint32_t seed = 12345;
        for (int round = 0; round < 200; ++round) {
            QByteArray bent = whole;
            for (int i = 0; i < 1 + round % 8; ++i) {
                seed = seed * 1103515245u + 12345u;
                // Headers are where decoders are most easily led astray.
                const qsizetype at =
                    (seed >> 8) % std::min<qsizetype>(bent.size(), round % 2 ? 200 : bent.size());
                bent[at] = char(bent[at] ^ (1 << ((seed >> 4) % 8)));
            }
            const auto decoded = decodePicture(bent, format);
            if (decoded) {
                EXPECT_FALSE(decoded->isNull());
            }
        }
    }
}

}  // namespace
