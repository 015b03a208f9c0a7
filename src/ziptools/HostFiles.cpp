#include "ziptools/HostFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "ziptools/DosNames.h"

namespace HostFiles {
namespace {

struct CloseDir {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirPtr = std::unique_ptr<DIR, CloseDir>;

bool existsNoFollow(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string join(const std::string& base, const std::string& name) {
    if (base.empty()) {
        return name;
    }
    return base.back() == '/' ? base + name : base + '/' + name;
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = other.release();
    }
    return *this;
}

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string existingName(int dirFd, const std::string& name) {
    const int copy = ::dup(dirFd);
    if (copy < 0) {
        return name;
    }
    const DirPtr dir(::fdopendir(copy));
    if (!dir) {
        ::close(copy);
        return name;
    }
    ::rewinddir(dir.get());
    std::string best;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if (candidate == name) {
            return name;
        }
        if (DosNames::equalIgnoringCase(candidate, name) && (best.empty() || candidate < best)) {
            best = candidate;
        }
    }
    return best.empty() ? name : best;
}

std::string resolveIgnoringCase(const std::string& path) {
    if (path.empty() || existsNoFollow(path)) {
        return path;
    }
    std::string resolved = path.front() == '/' ? "/" : "";
    const std::vector<std::string> parts = [&] {
        std::vector<std::string> out;
        size_t start = 0;
        while (start <= path.size()) {
            const size_t end = std::min(path.find('/', start), path.size());
            if (end > start) {
                out.push_back(path.substr(start, end - start));
            }
            start = end + 1;
        }
        return out;
    }();
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string exact = join(resolved, parts[i]);
        if (parts[i] == "." || parts[i] == ".." || existsNoFollow(exact)) {
            resolved = exact;
            continue;
        }
        const UniqueFd dir(
            ::open(resolved.empty() ? "." : resolved.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        const std::string found = dir.valid() ? existingName(dir.get(), parts[i]) : parts[i];
        resolved = join(resolved, found);
        if (found == parts[i]) {
            for (size_t j = i + 1; j < parts.size(); ++j) {
                resolved = join(resolved, parts[j]);
            }
            break;
        }
    }
    if (path.back() == '/' && resolved.back() != '/') {
        resolved += '/';
    }
    return resolved;
}

UniqueFd openSubfolder(int dirFd, const std::string& name, bool create, std::string& error) {
    const std::string actual = existingName(dirFd, name);
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    UniqueFd fd(::openat(dirFd, actual.c_str(), flags));
    if (!fd.valid() && errno == ENOENT && create) {
        if (::mkdirat(dirFd, actual.c_str(), 0777) != 0 && errno != EEXIST) {
            error = "cannot make folder " + actual + ": " + std::strerror(errno);
            return UniqueFd();
        }
        fd = UniqueFd(::openat(dirFd, actual.c_str(), flags));
    }
    if (!fd.valid()) {
        error = (errno == ELOOP || errno == ENOTDIR)
                    ? actual + " is a link or not a folder; it is not followed"
                    : "cannot open folder " + actual + ": " + std::strerror(errno);
    }
    return fd;
}

bool makeFolders(const std::string& path, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(path, code);
    if (code || !std::filesystem::is_directory(path, code)) {
        error = "cannot make folder " + path + (code ? ": " + code.message() : std::string());
        return false;
    }
    return true;
}

}  // namespace HostFiles
