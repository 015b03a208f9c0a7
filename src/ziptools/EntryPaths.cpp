#include "ziptools/EntryPaths.h"

#include <algorithm>

#include "dosnames/DosCase.h"

namespace EntryPaths {

std::string withSlashes(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::vector<std::string> components(std::string_view path) {
    std::vector<std::string> out;
    const std::string unified = withSlashes(path);
    size_t start = 0;
    while (start <= unified.size()) {
        const size_t end = std::min(unified.find('/', start), unified.size());
        const std::string part = unified.substr(start, end - start);
        if (!part.empty() && part != ".") {
            out.push_back(part);
        }
        start = end + 1;
    }
    return out;
}

std::optional<std::vector<std::string>> safeEntryPath(std::string_view entryName) {
    const std::string unified = withSlashes(entryName);
    if (unified.empty() || unified.front() == '/') {
        return std::nullopt;
    }
    if (unified.size() >= 2 && unified[1] == ':') {
        return std::nullopt;
    }
    std::vector<std::string> parts = components(unified);
    if (parts.empty() || std::find(parts.begin(), parts.end(), "..") != parts.end()) {
        return std::nullopt;
    }
    return parts;
}

Mask parseMask(std::string_view text) {
    Mask mask;
    const std::string unified = withSlashes(text);
    mask.folder = components(unified);
    if (!unified.empty() && unified.back() != '/' && !mask.folder.empty()) {
        mask.pattern = mask.folder.back();
        mask.folder.pop_back();
    }
    if (mask.pattern.empty()) {
        mask.pattern = "*.*";
    }
    return mask;
}

bool startsWithFolder(const std::vector<std::string>& path,
                      const std::vector<std::string>& folder) {
    if (folder.size() > path.size()) {
        return false;
    }
    return std::equal(
        folder.begin(), folder.end(), path.begin(),
        [](const std::string& a, const std::string& b) { return DosCase::same(a, b); });
}

}  // namespace EntryPaths
