// libFuzzer target: the first byte picks the decoder, the rest is the file.
#include <QByteArray>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

#include "imaging/PictureDecoder.h"

// Metafile text needs the fonts of a window system (offscreen here).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    static constexpr PictureFormat kFormats[] = {
        PictureFormat::Bmp, PictureFormat::Pcx, PictureFormat::Jpeg, PictureFormat::Tiff,
        PictureFormat::Gif, PictureFormat::Png, PictureFormat::Emf,  PictureFormat::Wmf};
    const PictureFormat format = kFormats[data[0] % std::size(kFormats)];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const auto picture = decodePicture(bytes, format);
    return picture && picture->isNull() ? 1 : 0;
}
