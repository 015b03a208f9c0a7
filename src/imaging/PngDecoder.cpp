#include "imaging/PngDecoder.h"

#include <png.h>
#include <QIODevice>
#include <csetjmp>
#include <memory>

#include "imaging/PictureFormat.h"

namespace {

// What libpng reads through: the stream, how far it was read and may be
// read, and the rows decoded of those the picture has.
struct Source {
    QIODevice* stream = nullptr;
    qint64 read = 0;
    qint64 allowed = kMaxPngHeadBytes;
    qint64 rowsDecoded = 0;
    qint64 rows = 0;
};

// Past what it may read, or at the stream's end, the reader stops as on a
// broken file.
void readData(png_structp png, png_bytep data, size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    const qint64 wanted = qint64(length);
    if (wanted > source->allowed - source->read ||
        source->stream->read(reinterpret_cast<char*>(data), wanted) != wanted) {
        png_error(png, "read");
    }
    source->read += wanted;
}

// Called for each row libpng has decoded (inflated, unfiltered and
// converted) before it stores the row. After the last one libpng would go
// on to inflate whatever compressed data follow, to check that they end
// there: nothing more may be read, so that stops at once.
void rowDecoded(png_structp png, png_row_infop, png_bytep) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (++source->rowsDecoded == source->rows) {
        source->allowed = source->read;
    }
}

[[noreturn]] void fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// The rows the file stores: all of them, or those of each interlace pass
// that has columns.
qint64 storedRows(png_uint_32 width, png_uint_32 height, bool interlaced) {
    if (!interlaced) {
        return height;
    }
    qint64 rows = 0;
    for (int pass = 0; pass < 7; ++pass) {
        rows += PNG_PASS_COLS(width, pass) > 0 ? PNG_PASS_ROWS(height, pass) : 0;
    }
    return rows;
}

// Owns libpng's structures. Everything that can jump lies in decode(); the
// picture lives in the object, not in that frame.
class Reader {
public:
    explicit Reader(QIODevice& stream) {
        source_.stream = &stream;
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, ignoreWarning);
        if (png_) {
            info_ = png_create_info_struct(png_);
        }
    }
    ~Reader() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool decode() {
        if (!png_ || !info_) {
            return false;
        }
        if (setjmp(png_jmpbuf(png_)) != 0) {
            return source_.rows > 0 && source_.rowsDecoded == source_.rows;
        }
        png_set_read_fn(png_, &source_, readData);
        // Only the pixels are shown: every chunk but the palette and its
        // transparency is skipped, never inflated or kept.
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
        png_set_user_limits(png_, kMaxPictureSide, kMaxPictureSide);
        png_read_info(png_, info_);
        png_uint_32 width = 0, height = 0;
        int depth = 0, colour = 0, interlace = 0;
        png_get_IHDR(png_, info_, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
        if (!acceptablePictureSize(width, height)) {
            return false;
        }
        const qint64 bitsPerPixel = qint64(png_get_channels(png_, info_)) * depth;
        const bool alpha =
            (colour & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
        // Eight bits of red, green, blue and alpha (or a filler) a pixel.
        png_set_expand(png_);
        png_set_scale_16(png_);
        png_set_gray_to_rgb(png_);
        if (!alpha) {
            png_set_filler(png_, 0xff, PNG_FILLER_AFTER);
        }
        const int passes = png_set_interlace_handling(png_);
        png_set_read_user_transform_fn(png_, rowDecoded);
        png_read_update_info(png_, info_);
        if (png_get_rowbytes(png_, info_) != size_t(width) * 4) {
            return false;
        }
        image_ = QImage(int(width), int(height),
                        alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
        if (image_.isNull()) {
            return false;
        }
        source_.rows = storedRows(width, height, passes > 1);
        const qint64 head = source_.read;
        qint64 data = 0;  // the rows' bytes before compression, filter bytes included
        for (int pass = 0; pass < passes; ++pass) {
            const qint64 columns = passes > 1 ? PNG_PASS_COLS(width, pass) : width;
            const qint64 rowBytes = columns > 0 ? (columns * bitsPerPixel + 7) / 8 + 1 : 0;
            for (png_uint_32 y = 0; y < height; ++y) {
                if (passes == 1 || PNG_ROW_IN_INTERLACE_PASS(y, pass)) {
                    data += rowBytes;
                }
                if (source_.rowsDecoded < source_.rows) {
                    source_.allowed = head + kPngDataSlack + data + data / 32;
                }
                png_read_row(png_, image_.scanLine(int(y)), nullptr);
            }
        }
        return true;
    }

    QImage& image() { return image_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    Source source_;
    QImage image_;
};

}  // namespace

std::optional<QImage> decodePng(QIODevice& stream) {
    auto reader = std::make_unique<Reader>(stream);
    if (!reader->decode()) {
        return std::nullopt;
    }
    return std::move(reader->image());
}
