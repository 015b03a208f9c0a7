#pragma once

#include <sys/stat.h>

#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "ziptools/DriveBounds.h"

// The files a PKZIP command names, each with the entry name it goes in under.
struct Source {
    std::string host;
    std::string entry;
    time_t mtime = 0;
    off_t size = 0;
};

struct Collected {
    std::vector<Source> sources;
    std::vector<std::string> folders;  // walked below the named folders, parents first
    bool failed = false;
};

class SourceCollector {
public:
    // `archive` (may be null) is left out wherever it turns up among the files.
    SourceCollector(const struct stat* archive, const DriveBounds& bounds, std::ostream& err)
        : archive_(archive), bounds_(bounds), err_(err) {}

    // A file, a folder (everything below it) or a wildcard ("roms\pacman\*.*").
    void addName(const std::string& typed, Collected& into) const;

private:
    bool onDrive(const std::string& host, const std::string& typed, Collected& into) const;
    void walk(const std::string& folder, const std::string& pattern, const std::string& prefix,
              Collected& into) const;
    void take(const std::string& host, const std::string& entry, const struct stat& st,
              Collected& into) const;

    const struct stat* archive_;
    const DriveBounds& bounds_;
    std::ostream& err_;
};
