#include "imaging/PictureFormat.h"

PictureFormat pictureFormatOf(const QString& path) {
    const qsizetype separator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= separator) {
        return PictureFormat::Unknown;
    }
    const QString extension = path.mid(dot + 1).toUpper();
    struct Known {
        const char16_t* extension;
        PictureFormat format;
    };
    static constexpr Known known[] = {
        {u"BMP", PictureFormat::Bmp},  {u"PCX", PictureFormat::Pcx},
        {u"JPG", PictureFormat::Jpeg}, {u"JPEG", PictureFormat::Jpeg},
        {u"TIF", PictureFormat::Tiff}, {u"TIFF", PictureFormat::Tiff},
        {u"GIF", PictureFormat::Gif},  {u"PNG", PictureFormat::Png},
        {u"EMF", PictureFormat::Emf},  {u"WMF", PictureFormat::Wmf},
    };
    for (const Known& k : known) {
        if (extension == QStringView(k.extension)) {
            return k.format;
        }
    }
    return PictureFormat::Unknown;
}

bool acceptablePictureSize(qint64 width, qint64 height, qint64 maxPixels) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= maxPixels;
}
