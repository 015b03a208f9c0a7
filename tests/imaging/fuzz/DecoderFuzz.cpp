// libFuzzer target: the first byte picks the decoder, the rest is the file.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "imaging/PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    static constexpr PictureFormat kFormats[] = {PictureFormat::Bmp,  PictureFormat::Pcx,
                                                 PictureFormat::Jpeg, PictureFormat::Tiff,
                                                 PictureFormat::Gif,  PictureFormat::Png};
    const PictureFormat format = kFormats[data[0] % std::size(kFormats)];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const auto picture = decodePicture(bytes, format);
    return picture && picture->isNull() ? 1 : 0;
}
