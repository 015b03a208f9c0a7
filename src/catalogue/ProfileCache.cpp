#include "catalogue/ProfileCache.h"

#include <sys/stat.h>
#include <time.h>

#include <QFile>

#include "catalogue/LoadProfile.h"
#include "platform/DosFileSystem.h"

namespace {
constexpr size_t kMaxEntries = 256;
// File times come from a coarse clock, so a file rewritten with the same size
// shortly after it was read can keep its old time; such a parse is not reused.
constexpr qint64 kRacyWindowNs = 3'000'000'000;

qint64 nowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}
}  // namespace

std::shared_ptr<const ProfileFile> ProfileCache::get(const DosFileSystem& fs,
                                                     const QString& dosPath) {
    const QString host = fs.resolve(dosPath);
    struct stat st {};
    if (host.isEmpty() || ::stat(QFile::encodeName(host).constData(), &st) != 0) {
        static const auto empty = std::make_shared<const ProfileFile>();
        return empty;
    }
    const qint64 mtime = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    auto it = entries_.find(host);
    if (it != entries_.end() && it->second.size == st.st_size && it->second.mtimeNs == mtime &&
        it->second.inode == st.st_ino) {
        Entry& entry = it->second;
        if (mtime + kRacyWindowNs < entry.loadedAtNs) {
            entry.content.clear();
            return entry.profile;
        }
        // A list file just written by the list build is read for every game
        // in the seconds that follow; comparing its bytes is far cheaper
        // than parsing it again.
        const qint64 readAt = nowNs();
        if (ReadProfileBytes(host) == entry.content) {
            entry.loadedAtNs = readAt;
            return entry.profile;
        }
    }
    if (entries_.size() >= kMaxEntries) {
        entries_.clear();
    }
    const qint64 loadedAt = nowNs();
    QByteArray content = ReadProfileBytes(host);
    auto parsed = std::make_shared<const ProfileFile>(ProfileFile::parse(content));
    Entry entry{st.st_size, mtime, st.st_ino, loadedAt, std::move(parsed), std::move(content)};
    auto profile = entry.profile;
    entries_[host] = std::move(entry);
    return profile;
}
