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

private:
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
};
