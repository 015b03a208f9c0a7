#include "ziptools/DriveBounds.h"

#include <stdlib.h>

#include <QFile>
#include <filesystem>
#include <memory>

#include "platform/HostBounds.h"

namespace {

namespace fs = std::filesystem;

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
        missing = existing.filename() / missing;
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
