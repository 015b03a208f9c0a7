#include "ziptools/Sources.h"

#include <algorithm>
#include <filesystem>

#include "dosnames/DosWildcard.h"
#include "ziptools/EntryPaths.h"
#include "ziptools/HostFiles.h"

namespace fs = std::filesystem;

void SourceCollector::addName(const std::string& typed, Collected& into) const {
    const std::string path = EntryPaths::withSlashes(typed);
    if (!DosWildcard::hasWildcards(path)) {
        const std::string resolved = HostFiles::resolveIgnoringCase(path);
        struct stat st {};
        if (::lstat(resolved.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            if (onDrive(resolved, typed, into)) {
                walk(resolved, "*.*", "", into);
            }
            return;
        }
        if (::lstat(resolved.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            if (onDrive(resolved, typed, into)) {
                take(resolved, fs::path(resolved).filename().string(), st, into);
            }
            return;
        }
        err_ << "PKZIP: no such file or folder: " << typed << '\n';
        into.failed = true;
        return;
    }
    const size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string resolved = HostFiles::resolveIgnoringCase(folder);
    struct stat st {};
    if (::stat(resolved.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        err_ << "PKZIP: no such folder: " << folder << '\n';
        into.failed = true;
        return;
    }
    if (onDrive(resolved, typed, into)) {
        walk(resolved, pattern, "", into);
    }
}

// Only where a walk starts: below it no link is followed.
bool SourceCollector::onDrive(const std::string& host, const std::string& typed,
                              Collected& into) const {
    const std::string refusal = bounds_.refusal(host, typed);
    if (refusal.empty()) {
        return true;
    }
    err_ << "PKZIP: " << refusal << '\n';
    into.failed = true;
    return false;
}

// Files below sub-folders go in with their relative path, so that a folder
// unpacked with PKUNZIP -d goes back as it came. Hidden names and links are
// left out: DOS would not list the first, and the second may lead anywhere.
void SourceCollector::walk(const std::string& folder, const std::string& pattern,
                           const std::string& prefix, Collected& into) const {
    std::vector<std::string> names;
    std::error_code code;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
        names.push_back(entry.path().filename().string());
    }
    if (code) {
        err_ << "PKZIP: cannot list " << folder << ": " << code.message() << '\n';
        into.failed = true;
        return;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (name.front() == '.') {
            continue;
        }
        const std::string host = folder + (folder.back() == '/' ? "" : "/") + name;
        struct stat st {};
        if (::lstat(host.c_str(), &st) != 0) {
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            into.folders.push_back(host);
            walk(host, pattern, prefix + name + "/", into);
        } else if (S_ISREG(st.st_mode) && DosWildcard::matches(pattern, name)) {
            take(host, prefix + name, st, into);
        }
    }
}

void SourceCollector::take(const std::string& host, const std::string& entry, const struct stat& st,
                           Collected& into) const {
    if (archive_ != nullptr && st.st_dev == archive_->st_dev && st.st_ino == archive_->st_ino) {
        return;
    }
    into.sources.push_back({host, entry, st.st_mtime, st.st_size});
}
