#include "ziptools/HostFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "ziptools/FolderNames.h"

namespace HostFiles {
namespace {

namespace fs = std::filesystem;

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
    return FolderNames::list(dirFd).existing(name);
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
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    UniqueFd fd(::openat(dirFd, name.c_str(), flags));
    if (!fd.valid() && errno == ENOENT && create) {
        if (::mkdirat(dirFd, name.c_str(), 0777) != 0 && errno != EEXIST) {
            error = "cannot make folder " + name + ": " + std::strerror(errno);
            return UniqueFd();
        }
        fd = UniqueFd(::openat(dirFd, name.c_str(), flags));
    }
    if (!fd.valid()) {
        error = (errno == ELOOP || errno == ENOTDIR)
                    ? name + " is a link or not a folder; it is not followed"
                    : "cannot open folder " + name + ": " + std::strerror(errno);
    }
    return fd;
}

UniqueFd openFolder(const std::string& path, const DriveBounds& bounds, std::string& error) {
    // The part that exists is where the caller points, links and all, and
    // must stay on a drive; what is made below it follows no link.
    fs::path existing = fs::absolute(path.empty() ? fs::path(".") : fs::path(path));
    std::vector<std::string> missing;
    struct stat st {};
    while (::stat(existing.c_str(), &st) != 0 && existing.has_relative_path()) {
        if (!existing.filename().empty()) {
            missing.insert(missing.begin(), existing.filename().string());
        }
        existing = existing.parent_path();
    }
    const std::string real = DriveBounds::realLocation(existing.string());
    const std::string refusal = bounds.refusal(real, path);
    if (!refusal.empty()) {
        error = refusal;
        return UniqueFd();
    }
    UniqueFd fd(::open(real.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        error = "cannot open folder " + path + ": " + std::strerror(errno);
        return fd;
    }
    for (const std::string& name : missing) {
        if (name == ".") {
            continue;
        }
        if (name == "..") {
            error =
                "cannot make folder " + path + ": it climbs out of a folder that does not exist";
            return UniqueFd();
        }
        fd = openSubfolder(fd.get(), name, true, error);
        if (!fd.valid()) {
            return fd;
        }
    }
    return fd;
}

}  // namespace HostFiles
