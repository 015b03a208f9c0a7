#pragma once

#include <string>

#include "ziptools/DriveBounds.h"

// Host file-system helpers for tools that see DOS-style names: names are found
// ignoring case, and nothing below a chosen folder is reached through a link.
namespace HostFiles {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    ~UniqueFd();

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_ = -1;
};

// The path with each component that does not exist as written replaced by a
// sibling of the same name in another case (first in byte order); the rest of
// the path, from the first component found in no case, is kept as written.
std::string resolveIgnoringCase(const std::string& path);

// The name of the entry in the folder open as `dirFd` that equals `name`
// ignoring case (the exact name first, else the first in byte order), or
// `name` itself when there is none.
std::string existingName(int dirFd, const std::string& name);

// Opens (creating it when asked) the sub-folder `name` of `dirFd`, the name
// as it stands on disk, refusing a link. On failure the result is invalid and
// `error` says why.
UniqueFd openSubfolder(int dirFd, const std::string& name, bool create, std::string& error);

// Opens the folder, making what is missing of it (mkdir -p). The part that
// exists may be reached through links as long as it lies on a drive; the
// folders made below it follow none. On failure `error` says why.
UniqueFd openFolder(const std::string& path, const DriveBounds& bounds, std::string& error);

}  // namespace HostFiles
