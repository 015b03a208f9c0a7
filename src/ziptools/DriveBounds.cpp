#include "ziptools/DriveBounds.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "platform/HostBounds.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

struct FreeChars {
    void operator()(char* text) const { ::free(text); }
};

}  // namespace

DriveBounds DriveBounds::fromEnvironment() {
    DriveBounds bounds;
    bounds.problem_ = DriveMap::environmentProblem().toStdString();
    bounds.drives_ = DriveMap::fromEnvironment();
    if (bounds.problem_.empty() && bounds.drives_.isEmpty()) {
        bounds.problem_ = "no drive is mapped";
    }
    return bounds;
}

// realpath(3) on the bytes: host names need not be valid UTF-8, and a name
// that does not survive the trip through QString must not slip past the check.
std::string DriveBounds::realLocation(const std::string& hostPath) {
    fs::path missing;
    fs::path existing = fs::absolute(hostPath.empty() ? fs::path(".") : fs::path(hostPath));
    for (;;) {
        const std::unique_ptr<char, FreeChars> real(::realpath(existing.c_str(), nullptr));
        if (real) {
            // What is missing holds no link yet, so ".." in it is plain text.
            return missing.empty() ? std::string(real.get())
                                   : (fs::path(real.get()) / missing).lexically_normal().string();
        }
        if (!existing.has_relative_path()) {
            return existing.string();
        }
        missing = missing.empty() ? existing.filename() : existing.filename() / missing;
        existing = existing.parent_path();
    }
}

std::string DriveBounds::refusal(const std::string& hostPath, const std::string& shown) const {
    const std::string real = realLocation(hostPath);
    if (HostBounds::isOnDrive(drives_, QFile::decodeName(QByteArray::fromStdString(real)))) {
        return {};
    }
    return "Access denied - " + shown + ": it leads to " + real + ", outside every drive";
}

std::string DriveBounds::writeTarget(const std::string& hostPath) {
    std::string path = hostPath;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return realLocation(path);
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length <= 0) {
            return realLocation(path);
        }
        const fs::path next(std::string(target, static_cast<size_t>(length)));
        path = next.is_absolute() ? next.string() : (fs::path(path).parent_path() / next).string();
    }
    return {};
}

std::optional<std::string> DriveBounds::hostWord(const std::string& word,
                                                 std::string& error) const {
    const bool letter =
        !word.empty() && ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= 'a' && word[0] <= 'z'));
    if (!letter || word.size() < 2 || word[1] != ':') {
        return word;
    }
    const QString root = drives_.hostRoot(QChar(word[0]));
    if (root.isEmpty()) {
        const char upper = word[0] >= 'a' ? static_cast<char>(word[0] - 'a' + 'A') : word[0];
        error = std::string("drive ") + upper + ": is not mapped: " + word;
        return std::nullopt;
    }
    std::string host = QFile::encodeName(root).toStdString();
    std::string rest = word.substr(2);
    // "C:NAME" is below the current folder when that lies on C:, as DOS keeps
    // a current folder per drive; a new process's is the drive's root.
    std::error_code code;
    const std::string current = fs::current_path(code).string();
    if (!rest.empty() && !isSeparator(rest.front()) && !code &&
        (host == "/" || current == host || current.rfind(host + '/', 0) == 0)) {
        host = current;
    }
    std::replace(rest.begin(), rest.end(), '\\', '/');
    const size_t start = rest.find_first_not_of('/');
    rest = start == std::string::npos ? std::string() : rest.substr(start);
    if (!rest.empty()) {
        host += (host.back() == '/' ? "" : "/") + rest;
    }
    return host;
}
