#include "ziptools/Archive.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "ziptools/EntryPaths.h"
#include "ziptools/HostFiles.h"

namespace Archive {
namespace {

struct CloseFile {
    void operator()(FILE* file) const { std::fclose(file); }
};

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string locate(const std::string& typed, bool forWriting) {
    const std::string path = HostFiles::resolveIgnoringCase(EntryPaths::withSlashes(typed));
    if (exists(path) || std::filesystem::path(path).has_extension()) {
        return path;
    }
    const std::string withExtension = HostFiles::resolveIgnoringCase(path + ".zip");
    return (forWriting || exists(withExtension)) ? withExtension : path;
}

Ptr open(const std::string& path, int flags, std::string& error) {
    int code = 0;
    Ptr archive(zip_open(path.c_str(), flags | ZIP_CHECKCONS, &code));
    if (!archive) {
        zip_error_t detail;
        zip_error_init_with_code(&detail, code);
        error = path + ": " + zip_error_strerror(&detail);
        zip_error_fini(&detail);
    }
    return archive;
}

bool commit(Ptr& archive, std::string& error) {
    if (zip_close(archive.get()) == 0) {
        archive.release();
        return true;
    }
    error = zip_strerror(archive.get());
    archive.reset();
    return false;
}

bool writeEmpty(const std::string& path, mode_t mode, std::string& error) {
    // The end-of-central-directory record alone: no entry, no comment.
    static constexpr std::array<char, 22> kEmpty{'P', 'K', 5, 6};
    std::string temporary = path + ".XXXXXX";
    const HostFiles::UniqueFd file(::mkstemp(temporary.data()));
    if (!file.valid()) {
        error = std::strerror(errno);
        return false;
    }
    const bool written =
        ::write(file.get(), kEmpty.data(), kEmpty.size()) == static_cast<ssize_t>(kEmpty.size()) &&
        ::fchmod(file.get(), mode & 07777) == 0 && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        error = std::strerror(errno);
        ::unlink(temporary.c_str());
    }
    return written;
}

bool holdsFile(zip_t* archive, zip_uint64_t index, const std::string& hostPath) {
    zip_stat_t info;
    zip_stat_init(&info);
    struct stat st {};
    if (zip_stat_index(archive, index, 0, &info) != 0 || (info.valid & ZIP_STAT_SIZE) == 0 ||
        ::stat(hostPath.c_str(), &st) != 0 || static_cast<zip_uint64_t>(st.st_size) != info.size) {
        return false;
    }
    const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> entry(
        zip_fopen_index(archive, index, 0), &zip_fclose);
    const std::unique_ptr<FILE, CloseFile> file(std::fopen(hostPath.c_str(), "rb"));
    if (!entry || !file) {
        return false;
    }
    std::array<char, 65536> fromEntry{};
    std::array<char, 65536> fromFile{};
    for (;;) {
        const zip_int64_t got = zip_fread(entry.get(), fromEntry.data(), fromEntry.size());
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return std::fgetc(file.get()) == EOF;
        }
        const size_t count = static_cast<size_t>(got);
        if (std::fread(fromFile.data(), 1, count, file.get()) != count ||
            !std::equal(fromEntry.begin(), fromEntry.begin() + got, fromFile.begin())) {
            return false;
        }
    }
}

}  // namespace Archive
