#include "imaging/ResampledPictureCache.h"

#include <QFileInfo>
#include <algorithm>

#include "imaging/PictureDecoder.h"
#include "imaging/Resample.h"

std::optional<QImage> ResampledPictureCache::picture(const QString& hostPath, QSize size,
                                                     bool highQuality, QColor background) {
    const QFileInfo file(hostPath);
    if (!file.isFile()) {
        return std::nullopt;
    }
    const Key key{hostPath, file.lastModified(), file.size(), size, highQuality};
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->key == key) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front().image;
        }
    }
    if (std::find(refused_.begin(), refused_.end(), key) != refused_.end()) {
        return std::nullopt;
    }
    ++decodes_;
    const auto decoded = loadPicture(hostPath, size);
    if (!decoded) {
        refused_.push_front(key);
        if (refused_.size() > kRefusedKept) {
            refused_.pop_back();
        }
        return std::nullopt;
    }
    // Transparent parts take the background before resampling, so that
    // they blend with it as they will be seen.
    QImage image = flattenOnto(*decoded, background);
    if (image.size() != size) {
        image = highQuality ? resampleLanczos3(image, size) : resampleHalftone(image, size);
    }
    const qint64 cost = image.sizeInBytes();
    if (cost <= maxBytes_) {
        entries_.push_front({key, image});
        bytes_ += cost;
        while (bytes_ > maxBytes_) {
            bytes_ -= entries_.back().image.sizeInBytes();
            entries_.pop_back();
        }
    }
    return image;
}

void ResampledPictureCache::clear() {
    entries_.clear();
    refused_.clear();
    bytes_ = 0;
}
