#include "ziptools/FolderNames.h"

#include <dirent.h>
#include <unistd.h>

#include <memory>

#include "dosnames/DosCase.h"

namespace {

struct CloseDir {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

FolderNames FolderNames::list(int dirFd) {
    FolderNames names;
    // A copy, so that listing leaves the caller's descriptor and its offset alone.
    const int copy = ::dup(dirFd);
    if (copy < 0) {
        return names;
    }
    const std::unique_ptr<DIR, CloseDir> dir(::fdopendir(copy));
    if (!dir) {
        ::close(copy);
        return names;
    }
    ::rewinddir(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.add(name);
        }
    }
    return names;
}

std::string FolderNames::existing(const std::string& name) const {
    if (exact_.count(name) != 0) {
        return name;
    }
    const auto found = firstByLowerCase_.find(DosCase::fold(name));
    return found == firstByLowerCase_.end() ? name : found->second;
}

bool FolderNames::holds(const std::string& name) const {
    return exact_.count(name) != 0 || firstByLowerCase_.count(DosCase::fold(name)) != 0;
}

void FolderNames::add(const std::string& name) {
    exact_.insert(name);
    auto [at, added] = firstByLowerCase_.try_emplace(DosCase::fold(name), name);
    if (!added && name < at->second) {
        at->second = name;
    }
}
