#pragma once

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <list>
#include <optional>

// Pictures decoded and resampled for the view, by the file they came from,
// so that scrolling back to a game shows its picture without decoding it
// again. An entry is keyed by the file's path, modification time and size
// and by the target size and quality: a file changed since is decoded
// anew. The least recently shown pictures go once the bound is passed.
// The last file decoded is kept decoded besides, so that showing it at
// another size or quality (the window resized, the quality switched)
// only resamples it. Files that gave no picture are remembered too (the
// last few), so that a file refused for its cost is not paid for again at
// every selection, size or quality.
class ResampledPictureCache {
public:
    // 128 pictures of the view's 256 by 256 pixels.
    static constexpr qint64 kDefaultBytes = 32LL * 1024 * 1024;

    explicit ResampledPictureCache(qint64 maxBytes = kDefaultBytes) : maxBytes_(maxBytes) {}

    // The host file decoded by its extension, drawn over `background`
    // where it is transparent and resampled to `size` (Lanczos-3 when
    // `highQuality`, else the halftone stretch); nothing, and nothing kept,
    // when it cannot be decoded.
    std::optional<QImage> picture(const QString& hostPath, QSize size, bool highQuality,
                                  QColor background);

    void clear();
    // Files decoded so far: a picture served from the cache adds none.
    int decodes() const { return decodes_; }
    qint64 bytes() const { return bytes_; }

private:
    struct File {
        QString path;
        QDateTime modified;
        qint64 size = 0;
        bool operator==(const File&) const = default;
    };
    struct Key {
        File file;
        QSize size;
        bool highQuality = false;
        bool operator==(const Key&) const = default;
    };
    struct Entry {
        Key key;
        QImage image;
    };
    struct Decoded {
        File file;
        QSize shownAt;  // what it was decoded for; empty when it came whole
        QImage image;
    };

    // The file decoded, from the last decoding when that serves `size`.
    std::optional<QImage> decoded(const File& file, QSize size);

    static constexpr size_t kRefusedKept = 64;

    qint64 maxBytes_;
    std::list<Entry> entries_;  // the most recently shown first
    std::list<File> refused_;   // the most recently refused first
    std::optional<Decoded> last_;
    qint64 bytes_ = 0;
    int decodes_ = 0;
};
