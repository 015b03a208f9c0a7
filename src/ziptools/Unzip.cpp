#include "ziptools/Unzip.h"

#include <sys/stat.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "dosnames/DosWildcard.h"
#include "ziptools/Archive.h"
#include "ziptools/DriveBounds.h"
#include "ziptools/EntryPaths.h"
#include "ziptools/Extractor.h"
#include "ziptools/HostFiles.h"

namespace {

using Entry = Extractor::Entry;
using HostFiles::UniqueFd;

constexpr zip_uint64_t kUnknownSize = std::numeric_limits<zip_uint64_t>::max();

// Which part of the entry's path lands below the destination, or nothing when
// no mask takes the entry. Without -d only the file name is kept.
std::optional<std::vector<std::string>> targetFor(const std::vector<std::string>& path, bool folder,
                                                  const std::vector<EntryPaths::Mask>& masks,
                                                  bool keepFolders) {
    size_t strip = 0;
    if (!masks.empty()) {
        if (folder) {
            return std::nullopt;
        }
        bool taken = false;
        for (const EntryPaths::Mask& mask : masks) {
            if (path.size() > mask.folder.size() &&
                EntryPaths::startsWithFolder(path, mask.folder) &&
                DosWildcard::matches(mask.pattern, path.back())) {
                // The mask's folder is where the caller wants the files, so it is
                // not created again below the destination.
                strip = mask.folder.size();
                taken = true;
                break;
            }
        }
        if (!taken) {
            return std::nullopt;
        }
    }
    if (!keepFolders) {
        if (folder) {
            return std::nullopt;
        }
        return std::vector<std::string>{path.back()};
    }
    return std::vector<std::string>(path.begin() + static_cast<std::ptrdiff_t>(strip), path.end());
}

bool namesAnEntry(zip_t* archive, const EntryPaths::Mask& mask) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        const std::vector<std::string> path =
            name == nullptr ? std::vector<std::string>{} : EntryPaths::components(name);
        if (!path.empty() && EntryPaths::startsWithFolder(path, mask.folder) &&
            DosWildcard::matches(mask.pattern, path.back())) {
            return true;
        }
    }
    return false;
}

}  // namespace

int runUnzip(const ZipCommand& typed, std::ostream& out, std::ostream& err) {
    const DriveBounds bounds = DriveBounds::fromEnvironment();
    ZipCommand command = typed;
    std::string error = bounds.problem();
    if (!error.empty() || !withHostPaths(command, bounds, error)) {
        err << "PKUNZIP: " << error << '\n';
        return Archive::BadCommand;
    }
    const std::string path = Archive::locate(command.archive, false);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        err << "PKUNZIP: archive not found: " << command.archive << '\n';
        return Archive::BadArchive;
    }
    const std::string outside = bounds.refusal(path, command.archive);
    if (!outside.empty()) {
        err << "PKUNZIP: " << outside << '\n';
        return Archive::BadArchive;
    }
    const Archive::Ptr archive = Archive::open(path, ZIP_RDONLY, error);
    if (!archive) {
        err << "PKUNZIP: cannot read the archive " << error << '\n';
        return Archive::BadArchive;
    }

    std::vector<EntryPaths::Mask> masks;
    for (const std::string& name : command.names) {
        masks.push_back(EntryPaths::parseMask(name));
    }
    std::string typedDestination = command.destination;
    if (typedDestination.empty() && !masks.empty() &&
        !DosWildcard::hasWildcards(command.names.back()) &&
        !namesAnEntry(archive.get(), masks.back())) {
        // "PKUNZIP GAME.ZIP OUT": a plain word that is no entry is a new folder.
        typedDestination = command.names.back();
        masks.pop_back();
    }

    bool failed = false;
    std::vector<Entry> entries;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS, &info) !=
                0 ||
            (info.valid & ZIP_STAT_NAME) == 0) {
            err << "PKUNZIP: cannot read the archive " << path << ": "
                << zip_strerror(archive.get()) << '\n';
            return Archive::BadArchive;
        }
        const std::string name = info.name;
        const auto safe = EntryPaths::safeEntryPath(name);
        if (!safe) {
            err << "PKUNZIP: refused entry " << name
                << ": its name leads outside the destination\n";
            failed = true;
            continue;
        }
        const bool folder = EntryPaths::withSlashes(name).back() == '/';
        const auto target = targetFor(*safe, folder, masks, command.keepFolders);
        if (target && !target->empty()) {
            entries.push_back({static_cast<zip_uint64_t>(i), *target, folder,
                               (info.valid & ZIP_STAT_MTIME) != 0 ? info.mtime : time(nullptr),
                               (info.valid & ZIP_STAT_SIZE) != 0 ? info.size : kUnknownSize});
        }
    }
    if (entries.empty()) {
        err << "PKUNZIP: no entries to extract from " << path << '\n';
        return Archive::NothingDone;
    }

    const std::string destination =
        typedDestination.empty()
            ? std::string(".")
            : HostFiles::resolveIgnoringCase(EntryPaths::withSlashes(typedDestination));
    const UniqueFd destinationFd = HostFiles::openFolder(destination, bounds, error);
    if (!destinationFd.valid()) {
        err << "PKUNZIP: " << error << '\n';
        return Archive::NothingDone;
    }
    Extractor extractor(archive.get(), {st.st_dev, st.st_ino}, destinationFd.get(),
                        command.overwrite, out, err);
    for (const Entry& entry : entries) {
        failed = !extractor.extract(entry) || failed;
    }
    if (extractor.damaged()) {
        return Archive::BadArchive;
    }
    return failed ? Archive::NothingDone : Archive::Ok;
}
