#pragma once

#include <sys/types.h>
#include <zip.h>

#include <memory>
#include <string>

namespace Archive {

// An archive left without zip_close is discarded: the file on disk stays as it was.
struct Discard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Ptr = std::unique_ptr<zip_t, Discard>;

// Exit statuses shared by both tools.
enum Status : int {
    Ok = 0,
    NothingDone = 1,  // nothing matched, or some files were skipped with an error
    BadCommand = 2,
    BadArchive = 3,   // missing, damaged or unreadable
    WriteFailed = 4,  // the archive could not be written; it is unchanged
};

// The archive's host path: found ignoring case, with ".zip" added to a name
// without an extension when only that exists (or, for a new archive, always).
std::string locate(const std::string& typed, bool forWriting);

// Opens with libzip's consistency checks; on failure `error` says why.
Ptr open(const std::string& path, int flags, std::string& error);

// zip_close, which writes a temporary file and renames it over the archive.
// On failure the archive is discarded and `error` says why.
bool commit(Ptr& archive, std::string& error);

// Replaces the archive at `path` by one without entries, with the given mode,
// in one step; libzip would remove the file instead.
bool writeEmpty(const std::string& path, mode_t mode, std::string& error);

// True when the entry's content is, byte for byte, the host file's.
bool holdsFile(zip_t* archive, zip_uint64_t index, const std::string& hostPath);

}  // namespace Archive
