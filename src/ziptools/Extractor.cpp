#include "ziptools/Extractor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include "ziptools/HostFiles.h"

namespace {

using HostFiles::UniqueFd;

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& part : parts) {
        out += (out.empty() ? "" : "/") + part;
    }
    return out;
}

}  // namespace

Extractor::Extractor(zip_t* archive, FileId archiveId, int destination, bool overwrite,
                     std::ostream& out, std::ostream& err)
    : archive_(archive),
      archiveId_(archiveId),
      destination_(destination),
      overwrite_(overwrite),
      pid_(::getpid()),
      out_(out),
      err_(err) {}

bool Extractor::extract(const Entry& entry) {
    std::string error;
    UniqueFd folder;
    int dirFd = destination_;
    std::string key;
    const size_t folders = entry.folder ? entry.target.size() : entry.target.size() - 1;
    for (size_t i = 0; i < folders; ++i) {
        FolderNames& names = namesOf(key, dirFd);
        const std::string actual = names.existing(entry.target[i]);
        folder = HostFiles::openSubfolder(dirFd, actual, true, error);
        if (!folder.valid()) {
            err_ << "PKUNZIP: " << joined(entry.target) << ": " << error << '\n';
            return false;
        }
        names.add(actual);
        dirFd = folder.get();
        key += '/' + actual;
    }
    if (entry.folder) {
        return true;
    }
    switch (writeFile(dirFd, namesOf(key, dirFd), entry, error)) {
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

FolderNames& Extractor::namesOf(const std::string& key, int dirFd) {
    auto found = folders_.find(key);
    if (found == folders_.end()) {
        found = folders_.emplace(key, FolderNames::list(dirFd)).first;
    }
    return found->second;
}

// Written beside its final name and renamed into place: a damaged entry
// leaves no half file, and a link at the final name is replaced, never followed.
Extractor::Written Extractor::writeFile(int dirFd, FolderNames& names, const Entry& entry,
                                        std::string& error) {
    const std::string name = names.existing(entry.target.back());
    struct stat st {};
    // Without -o a name the folder's listing lacks needs no look: the rename
    // that places the file refuses a name taken since.
    const bool present = (overwrite_ || names.holds(name)) &&
                         ::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (present && !overwrite_) {
        return Written::Exists;
    }
    if (present && S_ISDIR(st.st_mode)) {
        error = "a folder of that name is in the way";
        return Written::Failed;
    }
    if (present && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        // As DOS would: -o replaces files, not the ones the user protected.
        error = "it is read-only; it is left unchanged";
        return Written::Failed;
    }
    if (present && st.st_dev == archiveId_.device && st.st_ino == archiveId_.inode) {
        error = "that is the archive being read; it is not overwritten";
        return Written::Failed;
    }
    std::string temporary;
    UniqueFd file;
    for (int attempt = 0; !file.valid() && attempt < 100; ++attempt) {
        temporary = ".pkunzip-" + std::to_string(pid_) + "-" + std::to_string(counter_++) + ".tmp";
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
    if (placed == Written::Yes) {
        names.add(name);
    } else {
        ::unlinkat(dirFd, temporary.c_str(), 0);
    }
    return placed;
}

Extractor::Written Extractor::place(int dirFd, const std::string& temporary,
                                    const std::string& name, std::string& error) const {
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

bool Extractor::copyData(const Entry& entry, int fd, std::string& error) {
    zip_file_t* const opened = zip_fopen_index(archive_, entry.index, 0);
    if (opened == nullptr) {
        error = std::string("cannot read the entry: ") + zip_strerror(archive_);
        return false;
    }
    const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> data(opened, &zip_fclose);
    std::array<char, 65536> buffer{};
    zip_uint64_t total = 0;
    for (;;) {
        // One byte beyond the recorded size is asked for at most: enough to
        // see that an entry inflates to more, never a bomb's worth.
        const zip_uint64_t left = entry.size - total;
        const zip_uint64_t wanted = left < buffer.size() ? left + 1 : buffer.size();
        const zip_int64_t got = zip_fread(data.get(), buffer.data(), wanted);
        if (got < 0) {
            error = std::string("damaged entry: ") + zip_file_strerror(data.get());
            damaged_ = true;
            return false;
        }
        if (got == 0) {
            return true;
        }
        total += static_cast<zip_uint64_t>(got);
        if (total > entry.size) {
            error = "damaged entry: it inflates to more than its recorded " +
                    std::to_string(entry.size) + " bytes";
            damaged_ = true;
            return false;
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
