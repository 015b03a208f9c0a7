#include "imaging/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <span>

#include "imaging/BmpDecoder.h"
#include "imaging/EmfDecoder.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "imaging/PcxDecoder.h"
#include "imaging/PngDecoder.h"
#include "imaging/TiffDecoder.h"
#include "imaging/WmfDecoder.h"

namespace {

// No picture file of a game is this big; a bigger one is not read at all.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

}  // namespace

std::optional<QImage> decodePicture(const QByteArray& data, PictureFormat format) {
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.constData()),
                                         size_t(data.size()));
    switch (format) {
        case PictureFormat::Bmp:
            return decodeBmp(bytes);
        case PictureFormat::Pcx:
            return decodePcx(bytes);
        case PictureFormat::Jpeg:
        case PictureFormat::Png: {
            QBuffer buffer;
            buffer.setData(data);
            buffer.open(QIODevice::ReadOnly);
            return format == PictureFormat::Jpeg ? decodeJpeg(buffer) : decodePng(buffer);
        }
        case PictureFormat::Tiff:
            return decodeTiff(bytes);
        case PictureFormat::Gif:
            return decodeGif(bytes);
        case PictureFormat::Emf:
            return decodeEmf(bytes);
        case PictureFormat::Wmf:
            return decodeWmf(bytes);
        case PictureFormat::Unknown:
            break;
    }
    return std::nullopt;
}

std::optional<QImage> loadPicture(const QString& hostPath, QSize shownAt) {
    const PictureFormat format = pictureFormatOf(hostPath);
    if (format == PictureFormat::Unknown) {
        return std::nullopt;
    }
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) {
        return std::nullopt;
    }
    // Read as streams, only as far as the picture needs.
    if (format == PictureFormat::Jpeg) {
        return decodeJpeg(file, shownAt);
    }
    if (format == PictureFormat::Png) {
        return decodePng(file);
    }
    return decodePicture(file.readAll(), format);
}

bool loadsReduced(PictureFormat format) {
    return format == PictureFormat::Jpeg;
}

QImage flattenOnto(const QImage& picture, const QColor& background) {
    if (!picture.hasAlphaChannel()) {
        return picture.convertToFormat(QImage::Format_RGB32);
    }
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(background);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}
