#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

// The names of one folder, listed once and kept up to date by whoever adds to
// it, so that finding a name as DOS does (ignoring case) lists nothing again.
class FolderNames {
public:
    // The folder open as `dirFd`; one that cannot be listed gives no names.
    static FolderNames list(int dirFd);

    // The name as written when the folder holds it, else the first in byte
    // order that equals it ignoring case, else the name itself.
    std::string existing(const std::string& name) const;
    // True when the folder holds the name in some case.
    bool holds(const std::string& name) const;
    void add(const std::string& name);

private:
    std::unordered_set<std::string> exact_;
    std::unordered_map<std::string, std::string> firstByLowerCase_;
};
