#include "imaging/TiffDecoder.h"

#include <cstring>
#include <memory>
#include <vector>

#include <tiffio.h>

#include "imaging/PictureFormat.h"

namespace {

// The file's bytes as libtiff's client stream.
struct MemoryStream {
    std::span<const uint8_t> data;
    toff_t position = 0;
};

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t size) {
    auto* stream = static_cast<MemoryStream*>(handle);
    if (size < 0 || stream->position >= stream->data.size()) {
        return 0;
    }
    const tmsize_t count =
        std::min<tmsize_t>(size, tmsize_t(stream->data.size() - stream->position));
    std::memcpy(buffer, stream->data.data() + stream->position, size_t(count));
    stream->position += toff_t(count);
    return count;
}

tmsize_t writeProc(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence) {
    auto* stream = static_cast<MemoryStream*>(handle);
    const int64_t base = whence == SEEK_CUR   ? int64_t(stream->position)
                         : whence == SEEK_END ? int64_t(stream->data.size())
                                              : 0;
    const int64_t target = base + int64_t(offset);
    if (target < 0) {
        return toff_t(-1);
    }
    stream->position = toff_t(target);
    return stream->position;
}

int closeProc(thandle_t) {
    return 0;
}

toff_t sizeProc(thandle_t handle) {
    return static_cast<MemoryStream*>(handle)->data.size();
}

// libtiff's messages would go to stderr; a broken picture is not worth one.
int quietHandler(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct TiffDeleter {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

}  // namespace

std::optional<QImage> decodeTiff(std::span<const uint8_t> data) {
    MemoryStream stream{data};
    const std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), quietHandler, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), quietHandler, nullptr);
    // "m": no memory mapping, the stream is all there is.
    const std::unique_ptr<TIFF, TiffDeleter> tiff(
        TIFFClientOpenExt("picture", "rm", &stream, readProc, writeProc, seekProc, closeProc,
                          sizeProc, nullptr, nullptr, options.get()));
    if (!tiff) {
        return std::nullopt;
    }
    uint32_t width = 0;
    uint32_t height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    if (!acceptablePictureSize(width, height)) {
        return std::nullopt;
    }
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tiff.get(), message)) {
        return std::nullopt;
    }
    std::vector<uint32_t> raster(size_t(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT,
                                   1)) {
        return std::nullopt;
    }
    // libtiff hands out the colours already multiplied by alpha.
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return std::nullopt;
    }
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t* source = raster.data() + size_t(y) * width;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t p = source[x];
            target[x] = qRgba(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p), TIFFGetA(p));
        }
    }
    return image;
}
