#include "ziptools/Zip.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dosnames/DosCase.h"
#include "dosnames/DosWildcard.h"
#include "ziptools/Archive.h"
#include "ziptools/DriveBounds.h"
#include "ziptools/EntryData.h"
#include "ziptools/EntryPaths.h"
#include "ziptools/Sources.h"

namespace {

bool entryMatches(const std::vector<std::string>& path, const EntryPaths::Mask& mask) {
    return path.size() == mask.folder.size() + 1 &&
           EntryPaths::startsWithFolder(path, mask.folder) &&
           DosWildcard::matches(mask.pattern, path.back());
}

// A name takes the entry it spells (ignoring case and the kind of slash),
// or with a wildcard the entries it matches. A name that takes none ("." or
// "" among them) is a mistake, and then nothing at all is deleted.
int deleteEntries(const ZipCommand& command, const std::string& path, zip_t* archive,
                  zip_int64_t& remaining, std::ostream& out, std::ostream& err) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    std::vector<bool> wanted(static_cast<size_t>(std::max<zip_int64_t>(count, 0)), false);
    bool unmatched = false;
    for (const std::string& typed : command.names) {
        const std::string spelt = EntryPaths::withSlashes(typed);
        const EntryPaths::Mask mask = EntryPaths::parseMask(typed);
        bool matched = false;
        for (zip_int64_t i = 0; i < count; ++i) {
            const char* name =
                zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
            if (name == nullptr) {
                continue;
            }
            const bool takes = DosWildcard::hasWildcards(spelt)
                                   ? entryMatches(EntryPaths::components(name), mask)
                                   : DosCase::same(spelt, EntryPaths::withSlashes(name));
            if (takes) {
                wanted[static_cast<size_t>(i)] = true;
                matched = true;
            }
        }
        if (!matched) {
            err << "PKZIP: no entry of " << path << " is named \"" << typed << "\"\n";
            unmatched = true;
        }
    }
    if (unmatched) {
        err << "PKZIP: nothing was deleted; " << path << " is unchanged\n";
        return Archive::NothingDone;
    }
    remaining = count;
    for (zip_int64_t i = 0; i < count; ++i) {
        if (!wanted[static_cast<size_t>(i)]) {
            continue;
        }
        const std::string name =
            zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (zip_delete(archive, static_cast<zip_uint64_t>(i)) != 0) {
            err << "PKZIP: cannot delete " << name << ": " << zip_strerror(archive) << "; " << path
                << " is unchanged\n";
            return Archive::WriteFailed;
        }
        out << "  Deleting: " << name << '\n';
        --remaining;
    }
    return Archive::Ok;
}

// Where an existing entry of the same name (ignoring case) stands.
std::map<std::string, zip_uint64_t> entryIndex(zip_t* archive) {
    std::map<std::string, zip_uint64_t> index;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char* name =
                zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS)) {
            index.emplace(DosCase::fold(EntryPaths::withSlashes(name)),
                          static_cast<zip_uint64_t>(i));
        }
    }
    return index;
}

// Adds or replaces the sources' entries; returns the sources that went in or
// were found up to date, the ones a move may delete.
std::vector<Source> addSources(const ZipCommand& command, const Collected& collected,
                               zip_t* archive, bool& failed, std::ostream& out, std::ostream& err) {
    std::vector<Source> held;
    std::map<std::string, zip_uint64_t> index = entryIndex(archive);
    EntryData reader;
    for (const Source& source : collected.sources) {
        const std::string key = DosCase::fold(source.entry);
        const auto existing = index.find(key);
        const bool replacing = existing != index.end();
        if (replacing && command.update) {
            zip_stat_t info;
            zip_stat_init(&info);
            // DOS times step by two seconds, so a file is newer only beyond that.
            if (zip_stat_index(archive, existing->second, 0, &info) == 0 &&
                (info.valid & ZIP_STAT_MTIME) != 0 && source.mtime <= info.mtime + 1) {
                out << "  Up to date: " << source.entry << '\n';
                held.push_back(source);
                continue;
            }
        }
        zip_source_t* const data = reader.sourceFor(archive, source);
        if (data == nullptr) {
            err << "PKZIP: " << source.host << ": " << zip_strerror(archive) << '\n';
            failed = true;
            continue;
        }
        zip_int64_t at = -1;
        if (replacing) {
            at = zip_file_replace(archive, existing->second, data, 0) == 0
                     ? static_cast<zip_int64_t>(existing->second)
                     : -1;
        } else {
            at = zip_file_add(archive, source.entry.c_str(), data, ZIP_FL_ENC_UTF_8);
        }
        if (at < 0) {
            zip_source_free(data);
            err << "PKZIP: " << source.entry << ": " << zip_strerror(archive) << '\n';
            failed = true;
            continue;
        }
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(at), source.mtime, 0);
        if (!EntryData::worthDeflating(source)) {
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(at), ZIP_CM_STORE, 0);
        }
        index[key] = static_cast<zip_uint64_t>(at);
        out << (replacing ? "  Updating: " : "  Adding: ") << source.entry << '\n';
        held.push_back(source);
    }
    return held;
}

// A file goes only when the archive, as written, holds exactly its content
// under its name: of two files of one name only the one that went in last
// goes, and an older file that -u left out goes only when it is the same.
bool removeMoved(const std::string& path, const std::vector<Source>& held,
                 const Collected& collected, std::ostream& err) {
    std::string error;
    const Archive::Ptr written = Archive::open(path, ZIP_RDONLY, error);
    if (!written) {
        err << "PKZIP: cannot read the archive back (" << error << "); no file was moved\n";
        return false;
    }
    const std::map<std::string, zip_uint64_t> index = entryIndex(written.get());
    bool failed = false;
    std::set<std::string> seen;  // a file named twice is looked at once
    std::set<std::string> movedFrom;
    for (const Source& source : held) {
        if (!seen.insert(std::filesystem::path(source.host).lexically_normal().string()).second) {
            continue;
        }
        const auto entry = index.find(DosCase::fold(source.entry));
        if (entry == index.end() ||
            !Archive::holdsFile(written.get(), entry->second, source.host)) {
            err << "PKZIP: " << source.host << " is not moved: the archive holds other content as "
                << source.entry << '\n';
            failed = true;
        } else if (::unlink(source.host.c_str()) != 0) {
            err << "PKZIP: cannot delete " << source.host << ": " << std::strerror(errno) << '\n';
            failed = true;
        } else {
            movedFrom.insert(std::filesystem::path(source.host).parent_path().string());
        }
    }
    // Folders the move emptied go too; ones still holding anything stay, and
    // so does a folder that was empty before: nothing was moved out of it.
    for (auto it = collected.folders.rbegin(); it != collected.folders.rend(); ++it) {
        if (movedFrom.count(*it) != 0 && ::rmdir(it->c_str()) == 0) {
            movedFrom.insert(std::filesystem::path(*it).parent_path().string());
        }
    }
    return !failed;
}

int runDelete(const ZipCommand& command, const std::string& path, const struct stat& archiveStat,
              std::ostream& out, std::ostream& err) {
    std::string error;
    Archive::Ptr archive = Archive::open(path, 0, error);
    if (!archive) {
        err << "PKZIP: cannot read the archive " << error << '\n';
        return Archive::BadArchive;
    }
    zip_int64_t remaining = 0;
    const int status = deleteEntries(command, path, archive.get(), remaining, out, err);
    if (status != Archive::Ok) {
        return status;
    }
    // libzip removes an archive left without entries; the game's archive
    // stays, empty, where the lists expect it.
    const bool written = remaining > 0 ? Archive::commit(archive, error)
                                       : Archive::writeEmpty(path, archiveStat.st_mode, error);
    if (!written) {
        err << "PKZIP: cannot write " << path << ": " << error << "; it is unchanged\n";
        return Archive::WriteFailed;
    }
    return Archive::Ok;
}

int runAdd(const ZipCommand& command, const std::string& path, const struct stat* archiveStat,
           const DriveBounds& bounds, std::ostream& out, std::ostream& err) {
    Collected collected;
    const SourceCollector collector(archiveStat, bounds, err);
    const std::vector<std::string> names =
        command.names.empty() ? std::vector<std::string>{"*.*"} : command.names;
    for (const std::string& name : names) {
        collector.addName(name, collected);
    }
    if (collected.sources.empty()) {
        err << "PKZIP: nothing to add to " << path << '\n';
        return Archive::NothingDone;
    }

    std::string error;
    Archive::Ptr archive = Archive::open(path, archiveStat != nullptr ? 0 : ZIP_CREATE, error);
    if (!archive) {
        err << "PKZIP: cannot read the archive " << error << '\n';
        return Archive::BadArchive;
    }
    bool failed = collected.failed;
    const std::vector<Source> held =
        addSources(command, collected, archive.get(), failed, out, err);
    if (!Archive::commit(archive, error)) {
        err << "PKZIP: cannot write " << path << ": " << error << "; "
            << (archiveStat != nullptr ? "it is unchanged" : "nothing was written") << '\n';
        return Archive::WriteFailed;
    }
    if (command.move && !removeMoved(path, held, collected, err)) {
        failed = true;
    }
    return failed ? Archive::NothingDone : Archive::Ok;
}

}  // namespace

int runZip(const ZipCommand& typed, std::ostream& out, std::ostream& err) {
    const DriveBounds bounds = DriveBounds::fromEnvironment();
    ZipCommand command = typed;
    std::string error = bounds.problem();
    if (!error.empty() || !withHostPaths(command, bounds, error)) {
        err << "PKZIP: " << error << '\n';
        return Archive::BadCommand;
    }
    std::string path = Archive::locate(command.archive, true);
    struct stat linkStat {};
    if (::lstat(path.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode)) {
        // The archive is written where the link leads: a new file in the
        // link's place would leave the archive the link names as it was.
        path = DriveBounds::writeTarget(path);
        if (path.empty()) {
            err << "PKZIP: " << command.archive << ": too many symbolic links\n";
            return Archive::WriteFailed;
        }
    }
    struct stat archiveStat {};
    const bool exists = ::stat(path.c_str(), &archiveStat) == 0;
    if (exists && !S_ISREG(archiveStat.st_mode)) {
        err << "PKZIP: " << path << " is not an archive file\n";
        return Archive::BadArchive;
    }
    if (!exists && command.deleteEntries) {
        err << "PKZIP: archive not found: " << command.archive << '\n';
        return Archive::BadArchive;
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code code;
    if (!exists && !folder.empty() && !std::filesystem::is_directory(folder, code)) {
        err << "PKZIP: no folder " << folder.filename().string() << " for the archive " << path
            << '\n';
        return Archive::WriteFailed;
    }
    const std::string outside = bounds.refusal(path, command.archive);
    if (!outside.empty()) {
        err << "PKZIP: " << outside << '\n';
        return Archive::WriteFailed;
    }
    if (exists && (archiveStat.st_mode & S_IWUSR) == 0) {
        err << "PKZIP: " << path << " is read-only; it is left unchanged\n";
        return Archive::WriteFailed;
    }
    if (command.deleteEntries) {
        return runDelete(command, path, archiveStat, out, err);
    }
    return runAdd(command, path, exists ? &archiveStat : nullptr, bounds, out, err);
}
