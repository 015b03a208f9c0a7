#include "imaging/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <span>

#include "imaging/BmpDecoder.h"
#include "imaging/EmfDecoder.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "imaging/PcxDecoder.h"
#include "imaging/TiffDecoder.h"
#include "imaging/WmfDecoder.h"

namespace {

// No picture file of a game is this big; a bigger one is not read at all.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

std::optional<QImage> decodePng(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    // Qt would otherwise try every format it knows once PNG fails.
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!acceptablePictureSize(size.width(), size.height())) {
        return std::nullopt;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    return image;
}

}  // namespace

std::optional<QImage> decodePicture(const QByteArray& data, PictureFormat format) {
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.constData()),
                                         size_t(data.size()));
    switch (format) {
        case PictureFormat::Bmp:
            return decodeBmp(bytes);
        case PictureFormat::Pcx:
            return decodePcx(bytes);
        case PictureFormat::Jpeg: {
            QBuffer buffer;
            buffer.setData(data);
            buffer.open(QIODevice::ReadOnly);
            return decodeJpeg(buffer);
        }
        case PictureFormat::Tiff:
            return decodeTiff(bytes);
        case PictureFormat::Gif:
            return decodeGif(bytes);
        case PictureFormat::Png:
            return decodePng(data);
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
    if (format == PictureFormat::Jpeg) {
        return decodeJpeg(file, shownAt);  // read as a stream, block by block
    }
    return decodePicture(file.readAll(), format);
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
