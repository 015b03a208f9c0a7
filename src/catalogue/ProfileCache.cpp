#include "catalogue/ProfileCache.h"

#include <sys/stat.h>

#include <QFile>

#include "catalogue/LoadProfile.h"
#include "platform/DosFileSystem.h"
#include "platform/FileClock.h"

namespace {
constexpr size_t kMaxEntries = 256;
}  // namespace

std::shared_ptr<const ProfileFile> ProfileCache::get(const DosFileSystem& fs,
                                                     const QString& dosPath) {
    if (holds_ == 0) {
        return load(fs, dosPath);
    }
    auto it = held_.find(dosPath);
    if (it == held_.end()) {
        it = held_.emplace(dosPath, load(fs, dosPath)).first;
    }
    return it->second;
}

std::shared_ptr<const ProfileFile> ProfileCache::load(const DosFileSystem& fs,
                                                      const QString& dosPath) {
    const QString host = fs.resolve(dosPath);
    struct stat st {};
    if (host.isEmpty() || ::stat(QFile::encodeName(host).constData(), &st) != 0) {
        static const auto empty = std::make_shared<const ProfileFile>();
        return empty;
    }
    const qint64 mtime = FileClock::modifiedNs(st);
    auto it = entries_.find(host);
    if (it != entries_.end() && it->second.size == st.st_size && it->second.mtimeNs == mtime &&
        it->second.inode == st.st_ino) {
        Entry& entry = it->second;
        // A file rewritten with the same size shortly after it was read can
        // keep its old time; only a parse taken well after it is reused.
        if (FileClock::readSettled(mtime, entry.loadedAtNs)) {
            entry.content.clear();
            return entry.profile;
        }
        // A list file just written by the list build is read for every game
        // in the seconds that follow; comparing its bytes is far cheaper
        // than parsing it again.
        const qint64 readAt = FileClock::nowNs();
        if (ReadProfileBytes(host) == entry.content) {
            entry.loadedAtNs = readAt;
            return entry.profile;
        }
    }
    if (entries_.size() >= kMaxEntries) {
        entries_.clear();
    }
    const qint64 loadedAt = FileClock::nowNs();
    QByteArray content = ReadProfileBytes(host);
    auto parsed = std::make_shared<const ProfileFile>(ProfileFile::parse(content));
    Entry entry{st.st_size, mtime, st.st_ino, loadedAt, std::move(parsed), std::move(content)};
    auto profile = entry.profile;
    entries_[host] = std::move(entry);
    return profile;
}
