#pragma once

#include <sys/types.h>
#include <zip.h>

#include <ctime>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ziptools/FolderNames.h"

// Writes archive entries below a destination folder: each file complete or
// not at all, never through a link, never over the archive being read.
class Extractor {
public:
    struct Entry {
        zip_uint64_t index = 0;
        std::vector<std::string> target;  // below the destination
        bool folder = false;
        time_t mtime = 0;
        zip_uint64_t size = 0;  // as the archive records it
    };
    // Where the archive being read lies (st_dev, st_ino).
    struct FileId {
        dev_t device = 0;
        ino_t inode = 0;
    };

    Extractor(zip_t* archive, FileId archiveId, int destination, bool overwrite, std::ostream& out,
              std::ostream& err);

    // False, with a message on `err`, when the entry could not be written.
    bool extract(const Entry& entry);
    // True once an entry could not be read as the archive describes it.
    bool damaged() const { return damaged_; }

private:
    enum class Written { Yes, Exists, Failed };

    FolderNames& namesOf(const std::string& key, int dirFd);
    Written writeFile(int dirFd, FolderNames& names, const Entry& entry, std::string& error);
    Written place(int dirFd, const std::string& temporary, const std::string& name,
                  std::string& error) const;
    bool copyData(const Entry& entry, int fd, std::string& error);

    zip_t* archive_;
    FileId archiveId_;
    int destination_;
    bool overwrite_;
    pid_t pid_;
    std::ostream& out_;
    std::ostream& err_;
    bool damaged_ = false;
    unsigned counter_ = 0;
    // Every folder written to, by its path below the destination as it stands
    // on disk: one listing each, however many entries land there.
    std::map<std::string, FolderNames> folders_;
};
