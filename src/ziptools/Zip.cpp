#include "ziptools/Zip.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ziptools/Archive.h"
#include "ziptools/DosNames.h"
#include "ziptools/HostFiles.h"

namespace {

namespace fs = std::filesystem;

struct Source {
    std::string host;
    std::string entry;
    time_t mtime = 0;
};

struct Collected {
    std::vector<Source> sources;
    std::vector<std::string> folders;  // walked below the named folders, parents first
    bool failed = false;
};

class Collector {
public:
    Collector(const struct stat* archive, std::ostream& err) : archive_(archive), err_(err) {}

    void addName(const std::string& typed, Collected& into) const {
        const std::string path = DosNames::withSlashes(typed);
        if (!DosNames::hasWildcard(path)) {
            const std::string resolved = HostFiles::resolveIgnoringCase(path);
            struct stat st {};
            if (::lstat(resolved.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
                walk(resolved, "*.*", "", into);
                return;
            }
            if (::lstat(resolved.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
                take(resolved, fs::path(resolved).filename().string(), st, into);
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
        walk(resolved, pattern, "", into);
    }

private:
    // Files below sub-folders go in with their relative path, so that a folder
    // unpacked with PKUNZIP -d goes back as it came. Hidden names and links are
    // left out: DOS would not list the first, and the second may lead anywhere.
    void walk(const std::string& folder, const std::string& pattern, const std::string& prefix,
              Collected& into) const {
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
            } else if (S_ISREG(st.st_mode) && DosNames::matchesWildcard(pattern, name)) {
                take(host, prefix + name, st, into);
            }
        }
    }

    void take(const std::string& host, const std::string& entry, const struct stat& st,
              Collected& into) const {
        if (archive_ != nullptr && st.st_dev == archive_->st_dev && st.st_ino == archive_->st_ino) {
            return;
        }
        into.sources.push_back({host, entry, st.st_mtime});
    }

    const struct stat* archive_;
    std::ostream& err_;
};

bool entryMatches(const std::vector<std::string>& path, const DosNames::Mask& mask) {
    return path.size() == mask.folder.size() + 1 && DosNames::startsWithFolder(path, mask.folder) &&
           DosNames::matchesWildcard(mask.pattern, path.back());
}

int deleteEntries(const ZipCommand& command, const std::string& path, zip_t* archive,
                  std::ostream& out, std::ostream& err) {
    std::vector<DosNames::Mask> masks;
    for (const std::string& name : command.names) {
        masks.push_back(DosNames::parseMask(name));
    }
    int deleted = 0;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (name == nullptr) {
            continue;
        }
        const std::vector<std::string> parts = DosNames::components(name);
        const bool wanted = std::any_of(masks.begin(), masks.end(), [&](const DosNames::Mask& s) {
            return entryMatches(parts, s);
        });
        if (wanted && zip_delete(archive, static_cast<zip_uint64_t>(i)) == 0) {
            out << "  Deleting: " << name << '\n';
            ++deleted;
        }
    }
    if (deleted == 0) {
        err << "PKZIP: no entry of " << path << " matches the names given\n";
        return Archive::NothingDone;
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
            index.emplace(DosNames::lowerCase(DosNames::withSlashes(name)),
                          static_cast<zip_uint64_t>(i));
        }
    }
    return index;
}

// Adds or replaces the sources' entries; returns the sources the archive will
// hold afterwards, the ones a move may delete.
std::vector<std::string> addSources(const ZipCommand& command, const Collected& collected,
                                    zip_t* archive, bool& failed, std::ostream& out,
                                    std::ostream& err) {
    std::vector<std::string> held;
    std::map<std::string, zip_uint64_t> index = entryIndex(archive);
    for (const Source& source : collected.sources) {
        const std::string key = DosNames::lowerCase(source.entry);
        const auto existing = index.find(key);
        const bool replacing = existing != index.end();
        if (replacing && command.update) {
            zip_stat_t info;
            zip_stat_init(&info);
            // DOS times step by two seconds, so a file is newer only beyond that.
            if (zip_stat_index(archive, existing->second, 0, &info) == 0 &&
                (info.valid & ZIP_STAT_MTIME) != 0 && source.mtime <= info.mtime + 1) {
                out << "  Up to date: " << source.entry << '\n';
                held.push_back(source.host);
                continue;
            }
        }
        zip_source_t* const data = zip_source_file(archive, source.host.c_str(), 0, -1);
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
        index[key] = static_cast<zip_uint64_t>(at);
        out << (replacing ? "  Updating: " : "  Adding: ") << source.entry << '\n';
        held.push_back(source.host);
    }
    return held;
}

bool removeMoved(const std::vector<std::string>& held, const Collected& collected,
                 std::ostream& err) {
    bool failed = false;
    for (const std::string& host : held) {
        if (::unlink(host.c_str()) != 0) {
            err << "PKZIP: cannot delete " << host << ": " << std::strerror(errno) << '\n';
            failed = true;
        }
    }
    // Folders emptied by the move go too; ones still holding anything stay.
    for (auto it = collected.folders.rbegin(); it != collected.folders.rend(); ++it) {
        ::rmdir(it->c_str());
    }
    return !failed;
}

}  // namespace

int runZip(const ZipCommand& command, std::ostream& out, std::ostream& err) {
    const std::string path = Archive::locate(command.archive, true);
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
    if (exists && (archiveStat.st_mode & S_IWUSR) == 0) {
        err << "PKZIP: " << path << " is read-only; it is left unchanged\n";
        return Archive::WriteFailed;
    }

    std::string error;
    if (command.deleteEntries) {
        Archive::Ptr archive = Archive::open(path, 0, error);
        if (!archive) {
            err << "PKZIP: cannot read the archive " << error << '\n';
            return Archive::BadArchive;
        }
        const int status = deleteEntries(command, path, archive.get(), out, err);
        if (status != Archive::Ok) {
            return status;
        }
        if (!Archive::commit(archive, error)) {
            err << "PKZIP: cannot write " << path << ": " << error << "; it is unchanged\n";
            return Archive::WriteFailed;
        }
        return Archive::Ok;
    }

    Collected collected;
    const Collector collector(exists ? &archiveStat : nullptr, err);
    const std::vector<std::string> names =
        command.names.empty() ? std::vector<std::string>{"*.*"} : command.names;
    for (const std::string& name : names) {
        collector.addName(name, collected);
    }
    if (collected.sources.empty()) {
        err << "PKZIP: nothing to add to " << path << '\n';
        return Archive::NothingDone;
    }

    Archive::Ptr archive = Archive::open(path, exists ? 0 : ZIP_CREATE, error);
    if (!archive) {
        err << "PKZIP: cannot read the archive " << error << '\n';
        return Archive::BadArchive;
    }
    bool failed = collected.failed;
    const std::vector<std::string> held =
        addSources(command, collected, archive.get(), failed, out, err);
    if (!Archive::commit(archive, error)) {
        err << "PKZIP: cannot write " << path << ": " << error << "; "
            << (exists ? "it is unchanged" : "nothing was written") << '\n';
        return Archive::WriteFailed;
    }
    if (command.move && !removeMoved(held, collected, err)) {
        failed = true;
    }
    return failed ? Archive::NothingDone : Archive::Ok;
}
