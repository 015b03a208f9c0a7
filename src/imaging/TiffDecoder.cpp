#include "imaging/TiffDecoder.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include <tiffio.h>

#include "imaging/JpegDecoder.h"
#include "imaging/JpegStreamShape.h"
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

// The strips or tiles, each with the pixels it covers.
struct Pieces {
    uint32_t count = 0;
    qint64 pixelsEach = 0;
};

Pieces piecesOf(TIFF* tiff, uint32_t width, uint32_t height) {
    if (TIFFIsTiled(tiff)) {
        uint32_t tileWidth = 0, tileLength = 0;
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileLength);
        return {TIFFNumberOfTiles(tiff), qint64(tileWidth) * tileLength};
    }
    uint32_t rows = height;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rows);
    return {TIFFNumberOfStrips(tiff), qint64(width) * std::min(rows, height)};
}

// JPEG data in a TIFF costs what it costs in a JPEG file, strip by strip:
// its scans are counted before libtiff decodes any of them. Pieces may
// share their data (a blank tile stored once), which is walked once; but
// pieces that overlap otherwise are no JPEG stream each, and would make
// the count walk the file over and over.
bool jpegPiecesWithinLimits(TIFF* tiff, std::span<const uint8_t> file, const Pieces& pieces,
                            int samples) {
    std::map<std::pair<uint64_t, uint64_t>, JpegStreamShape> walked;
    qint64 walkedBytes = 0;
    qint64 blockVisits = 0;
    qint64 slowBytes = 0;
    for (uint32_t i = 0; i < pieces.count; ++i) {
        const uint64_t offset = TIFFGetStrileOffset(tiff, i);
        const uint64_t size = TIFFGetStrileByteCount(tiff, i);
        if (offset >= file.size() || size > file.size() - offset) {
            continue;  // libtiff finds it missing itself
        }
        auto [known, fresh] = walked.try_emplace({offset, size});
        if (fresh) {
            walkedBytes += qint64(size);
            if (walkedBytes > qint64(file.size())) {
                return false;
            }
            known->second = jpegStreamShape(file.subspan(offset, size));
        }
        const int scans = known->second.scans;
        blockVisits += scans * (pieces.pixelsEach * samples / 64 + 1);
        slowBytes += known->second.progressive ? qint64(size) : 0;
        if (scans > kMaxJpegScans || blockVisits > kMaxJpegBlockVisits ||
            slowBytes > kMaxProgressiveJpegBytes) {
            return false;
        }
    }
    return true;
}

// libtiff's decoders run at 2 to 4 ns a byte of samples here.
bool withinLimits(TIFF* tiff, std::span<const uint8_t> file, uint32_t width, uint32_t height) {
    if (!acceptablePictureSize(width, height)) {
        return false;
    }
    uint16_t samples = 1, bits = 1, compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    if (qint64(width) * height * samples * bits / 8 > kMaxTiffSampleBytes) {
        return false;
    }
    const Pieces pieces = piecesOf(tiff, width, height);
    // Uncompressed pieces cost a copy each; libtiff itself cuts a big one.
    if (compression != COMPRESSION_NONE && pieces.count > kMaxTiffPieces) {
        return false;
    }
    return compression != COMPRESSION_JPEG || jpegPiecesWithinLimits(tiff, file, pieces, samples);
}

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
    if (!withinLimits(tiff.get(), data, width, height)) {
        return std::nullopt;
    }
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tiff.get(), message)) {
        return std::nullopt;
    }
    // libtiff hands out each pixel as 0xAABBGGRR with the colours already
    // multiplied by alpha: in memory on this byte order that is RGBA, so
    // it is read straight into the picture, rows of four-byte pixels
    // needing no padding.
    constexpr bool kLittleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
    QImage image(int(width), int(height),
                 kLittleEndian ? QImage::Format_RGBA8888_Premultiplied
                               : QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || !TIFFReadRGBAImageOriented(tiff.get(), width, height,
                                                     reinterpret_cast<uint32_t*>(image.bits()),
                                                     ORIENTATION_TOPLEFT, 1)) {
        return std::nullopt;
    }
    return kLittleEndian ? image : image.rgbSwapped();
}
