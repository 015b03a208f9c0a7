#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Paths of archive entries and of the names typed for them, as folders and a
// last component; names compare as DOS compares them (dosnames/DosCase.h).
namespace EntryPaths {

// Separators unified to "/": script lines write "\", host paths "/".
std::string withSlashes(std::string_view path);
// Non-empty components of a path; "." components dropped.
std::vector<std::string> components(std::string_view path);

// The components of an entry name that is safe to write below a folder, or
// nothing when the name is absolute, carries a drive or climbs with "..".
std::optional<std::vector<std::string>> safeEntryPath(std::string_view entryName);

// "pacman\*.*": the folder the entries must lie in and the pattern for their names.
struct Mask {
    std::vector<std::string> folder;
    std::string pattern;
};
Mask parseMask(std::string_view text);

// True when `folder` is the start of `path` (compared ignoring case).
bool startsWithFolder(const std::vector<std::string>& path, const std::vector<std::string>& folder);

}  // namespace EntryPaths
