#include "ziptools/Archive.h"

#include <sys/stat.h>

#include <filesystem>

#include "ziptools/DosNames.h"
#include "ziptools/HostFiles.h"

namespace Archive {
namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string locate(const std::string& typed, bool forWriting) {
    const std::string path = HostFiles::resolveIgnoringCase(DosNames::withSlashes(typed));
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

}  // namespace Archive
