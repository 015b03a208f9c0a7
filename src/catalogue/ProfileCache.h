#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <unordered_map>

#include "catalogue/ProfileFile.h"

class DosFileSystem;

// Parsed profile files kept while the file on disk stays the same (path,
// size, modification time and inode), so that a 45,000-line list file is not
// parsed again for every game; a changed file is read again.
class ProfileCache {
public:
    std::shared_ptr<const ProfileFile> get(const DosFileSystem& fs, const QString& dosPath);

    // While a hold lives, a path asked for again gets what it got the first
    // time in the hold, the disk not looked at: for a short run of lookups
    // that rewrites none of the files, such as one tick of the list build,
    // which looks a game up in its list and merge files five times.
    class Hold {
    public:
        explicit Hold(ProfileCache& cache) : cache_(cache) { ++cache_.holds_; }
        ~Hold() {
            if (--cache_.holds_ == 0) {
                cache_.held_.clear();
            }
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ProfileCache& cache_;
    };

private:
    std::shared_ptr<const ProfileFile> load(const DosFileSystem& fs, const QString& dosPath);

    struct Entry {
        qint64 size = -1;
        qint64 mtimeNs = 0;
        quint64 inode = 0;
        qint64 loadedAtNs = 0;
        std::shared_ptr<const ProfileFile> profile;
        // What was parsed, kept while the file's time is too recent to
        // prove it unchanged: equal bytes prove it instead of a new parse.
        QByteArray content;
    };
    std::unordered_map<QString, Entry> entries_;
    int holds_ = 0;
    std::unordered_map<QString, std::shared_ptr<const ProfileFile>> held_;  // by DOS path
};
