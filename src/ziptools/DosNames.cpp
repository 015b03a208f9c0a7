#include "ziptools/DosNames.h"

#include <algorithm>

namespace DosNames {
namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool globMatch(std::string_view pattern, std::string_view name) {
    // Iterative matching with one back-track point: linear enough for file names.
    size_t p = 0;
    size_t n = 0;
    size_t star = std::string_view::npos;
    size_t afterStar = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            afterStar = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++afterStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

bool matchesWildcard(std::string_view pattern, std::string_view name) {
    if (globMatch(pattern, name)) {
        return true;
    }
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos) {
        return globMatch(pattern.substr(0, pattern.size() - 2), name);
    }
    return false;
}

bool hasWildcard(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

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
        [](const std::string& a, const std::string& b) { return equalIgnoringCase(a, b); });
}

}  // namespace DosNames
