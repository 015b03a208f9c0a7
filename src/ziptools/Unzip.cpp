#include "ziptools/Unzip.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "ziptools/Archive.h"
#include "ziptools/DosNames.h"
#include "ziptools/HostFiles.h"

namespace {

using HostFiles::UniqueFd;

enum class Written { Yes, Exists, Failed };

struct Entry {
    zip_uint64_t index = 0;
    std::vector<std::string> target;  // below the destination
    bool folder = false;
    time_t mtime = 0;
};

// Which part of the entry's path lands below the destination, or nothing when
// no mask takes the entry. Without -d only the file name is kept.
std::optional<std::vector<std::string>> targetFor(const std::vector<std::string>& path, bool folder,
                                                  const std::vector<DosNames::Mask>& masks,
                                                  bool keepFolders) {
    size_t strip = 0;
    if (!masks.empty()) {
        if (folder) {
            return std::nullopt;
        }
        bool taken = false;
        for (const DosNames::Mask& mask : masks) {
            if (path.size() > mask.folder.size() && DosNames::startsWithFolder(path, mask.folder) &&
                DosNames::matchesWildcard(mask.pattern, path.back())) {
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

bool namesAnEntry(zip_t* archive, const DosNames::Mask& mask) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        const std::vector<std::string> path =
            name == nullptr ? std::vector<std::string>{} : DosNames::components(name);
        if (!path.empty() && DosNames::startsWithFolder(path, mask.folder) &&
            DosNames::matchesWildcard(mask.pattern, path.back())) {
            return true;
        }
    }
    return false;
}

class Extractor {
public:
    Extractor(zip_t* archive, int destination, bool overwrite, std::ostream& out, std::ostream& err)
        : archive_(archive),
          destination_(destination),
          overwrite_(overwrite),
          out_(out),
          err_(err) {}

    bool damaged() const { return damaged_; }

    bool extract(const Entry& entry) {
        std::string error;
        UniqueFd folder;
        int dirFd = destination_;
        const size_t folders = entry.folder ? entry.target.size() : entry.target.size() - 1;
        for (size_t i = 0; i < folders; ++i) {
            folder = HostFiles::openSubfolder(dirFd, entry.target[i], true, error);
            if (!folder.valid()) {
                err_ << "PKUNZIP: " << joined(entry.target) << ": " << error << '\n';
                return false;
            }
            dirFd = folder.get();
        }
        if (entry.folder) {
            return true;
        }
        switch (writeFile(dirFd, entry, error)) {
            case Written::Yes:
                out_ << "  Inflating: " << joined(entry.target) << '\n';
                return true;
            case Written::Exists:
                out_ << "  Not overwritten: " << joined(entry.target)
                     << " already exists (-o overwrites)\n";
                return true;
            case Written::Failed:
                break;
        }
        err_ << "PKUNZIP: " << joined(entry.target) << ": " << error << '\n';
        return false;
    }

private:
    static std::string joined(const std::vector<std::string>& parts) {
        std::string out;
        for (const std::string& part : parts) {
            out += (out.empty() ? "" : "/") + part;
        }
        return out;
    }

    // Written beside its final name and renamed into place: a damaged entry
    // leaves no half file, and a link at the final name is replaced, never followed.
    Written writeFile(int dirFd, const Entry& entry, std::string& error) {
        const std::string name = HostFiles::existingName(dirFd, entry.target.back());
        struct stat st {};
        const bool present = ::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
        if (present && !overwrite_) {
            return Written::Exists;
        }
        if (present && S_ISDIR(st.st_mode)) {
            error = "a folder of that name is in the way";
            return Written::Failed;
        }
        std::string temporary;
        UniqueFd file;
        for (int attempt = 0; !file.valid() && attempt < 100; ++attempt) {
            temporary = ".pkunzip-" + std::to_string(::getpid()) + "-" +
                        std::to_string(counter_++) + ".tmp";
            file = UniqueFd(::openat(dirFd, temporary.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (!file.valid() && errno != EEXIST) {
                break;
            }
        }
        if (!file.valid()) {
            error = std::string("cannot create a file: ") + std::strerror(errno);
            return Written::Failed;
        }
        const bool copied = copyData(entry, file.get(), error);
        const std::array<timespec, 2> times{timespec{entry.mtime, 0}, timespec{entry.mtime, 0}};
        ::futimens(file.get(), times.data());
        if (copied && ::close(file.release()) != 0) {
            error = std::string("cannot write: ") + std::strerror(errno);
        }
        if (!error.empty()) {
            ::unlinkat(dirFd, temporary.c_str(), 0);
            return Written::Failed;
        }
        const Written placed = place(dirFd, temporary, name, error);
        if (placed != Written::Yes) {
            ::unlinkat(dirFd, temporary.c_str(), 0);
        }
        return placed;
    }

    Written place(int dirFd, const std::string& temporary, const std::string& name,
                  std::string& error) {
        if (overwrite_) {
            if (::renameat(dirFd, temporary.c_str(), dirFd, name.c_str()) == 0) {
                return Written::Yes;
            }
        } else {
            if (::renameat2(dirFd, temporary.c_str(), dirFd, name.c_str(), RENAME_NOREPLACE) == 0) {
                return Written::Yes;
            }
            if (errno == EEXIST) {
                return Written::Exists;
            }
            struct stat st {};
            if (errno == EINVAL && ::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
                return Written::Exists;
            }
            if (errno == EINVAL && ::renameat(dirFd, temporary.c_str(), dirFd, name.c_str()) == 0) {
                return Written::Yes;
            }
        }
        error = std::string("cannot write: ") + std::strerror(errno);
        return Written::Failed;
    }

    bool copyData(const Entry& entry, int fd, std::string& error) {
        zip_file_t* const opened = zip_fopen_index(archive_, entry.index, 0);
        if (opened == nullptr) {
            error = std::string("cannot read the entry: ") + zip_strerror(archive_);
            return false;
        }
        const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> data(opened, &zip_fclose);
        std::array<char, 65536> buffer{};
        for (;;) {
            const zip_int64_t got = zip_fread(data.get(), buffer.data(), buffer.size());
            if (got < 0) {
                error = std::string("damaged entry: ") + zip_file_strerror(data.get());
                damaged_ = true;
                return false;
            }
            if (got == 0) {
                return true;
            }
            for (zip_int64_t done = 0; done < got;) {
                const ssize_t wrote =
                    ::write(fd, buffer.data() + done, static_cast<size_t>(got - done));
                if (wrote < 0) {
                    if (errno == EINTR) {
                        continue;
                    }
                    error = std::string("cannot write: ") + std::strerror(errno);
                    return false;
                }
                done += wrote;
            }
        }
    }

    zip_t* archive_;
    bool damaged_ = false;
    int destination_;
    bool overwrite_;
    std::ostream& out_;
    std::ostream& err_;
    unsigned counter_ = 0;
};

}  // namespace

int runUnzip(const ZipCommand& command, std::ostream& out, std::ostream& err) {
    const std::string path = Archive::locate(command.archive, false);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        err << "PKUNZIP: archive not found: " << command.archive << '\n';
        return Archive::BadArchive;
    }
    std::string error;
    const Archive::Ptr archive = Archive::open(path, ZIP_RDONLY, error);
    if (!archive) {
        err << "PKUNZIP: cannot read the archive " << error << '\n';
        return Archive::BadArchive;
    }

    std::vector<DosNames::Mask> masks;
    for (const std::string& name : command.names) {
        masks.push_back(DosNames::parseMask(name));
    }
    std::string typedDestination = command.destination;
    if (typedDestination.empty() && !masks.empty() &&
        !DosNames::hasWildcard(command.names.back()) &&
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
        const auto safe = DosNames::safeEntryPath(name);
        if (!safe) {
            err << "PKUNZIP: refused entry " << name
                << ": its name leads outside the destination\n";
            failed = true;
            continue;
        }
        const bool folder = DosNames::withSlashes(name).back() == '/';
        const auto target = targetFor(*safe, folder, masks, command.keepFolders);
        if (target && !target->empty()) {
            entries.push_back({static_cast<zip_uint64_t>(i), *target, folder,
                               (info.valid & ZIP_STAT_MTIME) != 0 ? info.mtime : time(nullptr)});
        }
    }
    if (entries.empty()) {
        err << "PKUNZIP: no entries to extract from " << path << '\n';
        return Archive::NothingDone;
    }

    const std::string destination =
        typedDestination.empty()
            ? std::string(".")
            : HostFiles::resolveIgnoringCase(DosNames::withSlashes(typedDestination));
    if (!HostFiles::makeFolders(destination, error)) {
        err << "PKUNZIP: " << error << '\n';
        return Archive::NothingDone;
    }
    const UniqueFd destinationFd(::open(destination.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!destinationFd.valid()) {
        err << "PKUNZIP: cannot open " << destination << ": " << std::strerror(errno) << '\n';
        return Archive::NothingDone;
    }
    Extractor extractor(archive.get(), destinationFd.get(), command.overwrite, out, err);
    for (const Entry& entry : entries) {
        failed = !extractor.extract(entry) || failed;
    }
    if (extractor.damaged()) {
        return Archive::BadArchive;
    }
    return failed ? Archive::NothingDone : Archive::Ok;
}
