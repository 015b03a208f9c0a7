#include "imaging/GifDecoder.h"

#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

#include "imaging/PictureFormat.h"

namespace {

// The file's bytes as giflib reads them; once the frame's data has taken
// more than its pixels can need, the stream ends for giflib.
struct MemoryStream {
    std::span<const uint8_t> data;
    size_t position = 0;
    size_t end = data.size();
};

int readProc(GifFileType* gif, GifByteType* buffer, int size) {
    auto* stream = static_cast<MemoryStream*>(gif->UserData);
    const size_t count = std::min(size_t(std::max(size, 0)), stream->end - stream->position);
    std::memcpy(buffer, stream->data.data() + stream->position, count);
    stream->position += count;
    return int(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// The transparent colour index of a graphic control extension, or -1.
int transparentIndex(const GifHandle& gif, int code, GifByteType* extension) {
    GraphicsControlBlock block;
    if (code == GRAPHICS_EXT_FUNC_CODE && extension != nullptr &&
        DGifExtensionToGCB(extension[0], extension + 1, &block) == GIF_OK) {
        return block.TransparentColor;
    }
    return -2;  // not a control block: keeps what an earlier one said
}

// The rows of an interlaced frame arrive in four passes.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            order.push_back(y);
        }
        return order;
    }
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            order.push_back(y);
        }
    }
    return order;
}

}  // namespace

std::optional<QImage> decodeGif(std::span<const uint8_t> data) {
    MemoryStream stream{data};
    int error = 0;
    const GifHandle gif(DGifOpen(&stream, readProc, &error));
    if (!gif) {
        return std::nullopt;
    }
    int transparent = -1;
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    qint64 blocks = 0;  // records and their sub-blocks
    do {
        if (++blocks > kMaxGifBlocks || DGifGetRecordType(gif.get(), &record) != GIF_OK) {
            return std::nullopt;
        }
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* extension = nullptr;
            if (DGifGetExtension(gif.get(), &code, &extension) != GIF_OK) {
                return std::nullopt;
            }
            const int index = transparentIndex(gif, code, extension);
            if (index != -2) {
                transparent = index;
            }
            while (extension != nullptr) {
                if (++blocks > kMaxGifBlocks ||
                    DGifGetExtensionNext(gif.get(), &extension) != GIF_OK) {
                    return std::nullopt;
                }
            }
        }
    } while (record != IMAGE_DESC_RECORD_TYPE && record != TERMINATE_RECORD_TYPE);
    if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif.get()) != GIF_OK) {
        return std::nullopt;
    }
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr || frame.Width <= 0 || frame.Height <= 0 ||
        !acceptablePictureSize(frame.Width, frame.Height)) {
        return std::nullopt;
    }
    // The screen holds the frame; a screen smaller than its frame grows to it.
    const int width = std::max(gif->SWidth, frame.Left + frame.Width);
    const int height = std::max(gif->SHeight, frame.Top + frame.Height);
    if (!acceptablePictureSize(width, height)) {
        return std::nullopt;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return std::nullopt;
    }
    image.fill(Qt::transparent);
    // A code stream of nothing but clear codes would make giflib read the
    // whole file for one line.
    stream.end = size_t(std::min<qint64>(
        qint64(stream.data.size()), qint64(stream.position) +
                                        qint64(frame.Width) * frame.Height * kMaxGifBytesPerPixel +
                                        4096));
    std::vector<GifPixelType> line(size_t(frame.Width));
    for (const int y : rowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) != GIF_OK) {
            return std::nullopt;
        }
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(frame.Top + y)) + frame.Left;
        for (int x = 0; x < frame.Width; ++x) {
            const int index = line[size_t(x)];
            if (index == transparent) {
                continue;
            }
            if (index < map->ColorCount) {
                const GifColorType& c = map->Colors[index];
                target[x] = qRgb(c.Red, c.Green, c.Blue);
            } else {
                target[x] = qRgb(0, 0, 0);
            }
        }
    }
    return image;
}
