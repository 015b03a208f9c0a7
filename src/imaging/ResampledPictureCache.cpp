#include "imaging/ResampledPictureCache.h"

#include <QFileInfo>
#include <algorithm>

#include "imaging/PictureDecoder.h"
#include "imaging/Resample.h"

std::optional<QImage> ResampledPictureCache::picture(const QString& hostPath, QSize size,
                                                     bool highQuality, QColor background) {
    const QFileInfo info(hostPath);
    if (!info.isFile()) {
        return std::nullopt;
    }
    const Key key{{hostPath, info.lastModified(), info.size()}, size, highQuality};
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->key == key) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front().image;
        }
    }
    const auto source = decoded(key.file, size);
    if (!source) {
        return std::nullopt;
    }
    // Transparent parts take the background before resampling, so that
    // they blend with it as they will be seen.
    QImage image = flattenOnto(*source, background);
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

std::optional<QImage> ResampledPictureCache::decoded(const File& file, QSize size) {
    if (last_ && last_->file == file &&
        (last_->shownAt.isEmpty() ||
         (size.width() <= last_->shownAt.width() && size.height() <= last_->shownAt.height()))) {
        return last_->image;
    }
    if (std::find(refused_.begin(), refused_.end(), file) != refused_.end()) {
        return std::nullopt;
    }
    ++decodes_;
    last_.reset();  // one decoded picture at a time
    auto picture = loadPicture(file.path, size);
    if (!picture) {
        refused_.push_front(file);
        if (refused_.size() > kRefusedKept) {
            refused_.pop_back();
        }
        return std::nullopt;
    }
    last_ = Decoded{file, loadsReduced(pictureFormatOf(file.path)) ? size : QSize(), *picture};
    return picture;
}

void ResampledPictureCache::clear() {
    entries_.clear();
    refused_.clear();
    last_.reset();
    bytes_ = 0;
}
