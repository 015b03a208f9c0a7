#include "tools/DirectoryWalker.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cstring>

#include "platform/DosFileSystem.h"

namespace {

// No DOS path (260 characters at most) reaches deeper; the limit also bounds
// the recursion and the folders held open at once.
constexpr int kMaxDepth = 128;

constexpr std::string_view kOwnExecutable = "BRIVANEL.EXE";

struct RawEntry {
    size_t offset;
    size_t length;
    unsigned char type;
};

class DirCloser {
public:
    explicit DirCloser(DIR* dir) : dir_(dir) {}
    ~DirCloser() { ::closedir(dir_); }
    DirCloser(const DirCloser&) = delete;
    DirCloser& operator=(const DirCloser&) = delete;

private:
    DIR* dir_;
};

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void upperAsciiInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        out[i] = c >= 'a' && c <= 'z' ? char(c - ('a' - 'A')) : c;
    }
}

QString decodeHostName(std::string_view hostName) {
    return QFile::decodeName(QByteArray(hostName.data(), qsizetype(hostName.size())));
}

// "Archive only": writable for the owner, the rest of the mode kept (the
// rule of DosFileSystem::makeHostWritable, on an open folder). A refusal
// leaves the file as it is; it is still collected.
void makeWritable(int folderFd, const char* name, const struct stat* known) {
    struct stat st {};
    if (known == nullptr) {
        if (::fstatat(folderFd, name, &st, 0) != 0) {
            return;
        }
        known = &st;
    }
    if ((known->st_mode & S_IWUSR) == 0) {
        ::fchmodat(folderFd, name, (known->st_mode & 07777) | S_IWUSR, 0);
    }
}

}  // namespace

QString WalkStep::name() const {
    return decodeHostName(hostName_);
}

QString WalkStep::statusText() const {
    return QStringLiteral("Building List: ") + folder_ + name() + QStringLiteral("...");
}

DirectoryWalker::DirectoryWalker(const DosFileSystem& fs, const QStringList& wantedSuffixes,
                                 Progress progress)
    : fs_(fs), progress_(std::move(progress)) {
    fragments_.reserve(size_t(wantedSuffixes.size()));
    for (const QString& suffix : wantedSuffixes) {
        Fragment fragment{suffix, {}, false};
        const QByteArray utf8 = suffix.toUtf8();
        fragment.isAscii = isAscii(std::string_view(utf8.constData(), size_t(utf8.size())));
        if (fragment.isAscii) {
            fragment.ascii.assign(utf8.constData(), size_t(utf8.size()));
        }
        fragments_.push_back(std::move(fragment));
    }
}

void DirectoryWalker::WalkDirectory(const QString& dosFolder) {
    if (dosFolder.isEmpty()) {
        return;
    }
    const QString folder = dosFolder.endsWith(u'\\') ? dosFolder : dosFolder + u'\\';
    const QString host = fs_.resolve(folder);
    if (!host.isEmpty()) {
        WalkHostDirectory(host, folder);
    }
}

void DirectoryWalker::WalkHostDirectory(const QString& hostFolder, const QString& dosFolder) {
    const int fd =
        ::open(QFile::encodeName(hostFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    folder_ = dosFolder.endsWith(u'\\') ? dosFolder : dosFolder + u'\\';
    upperFolder_ = folder_.toUpper();
    // Overlapping paths (C: and C:\GAMES) each list their files: the loop
    // guard only covers one walk.
    visited_.clear();
    walk(fd, 0);
}

void DirectoryWalker::walk(int folderFd, int depth) {
    struct stat self {};
    if (::fstat(folderFd, &self) != 0 || !visited_.emplace(self.st_dev, self.st_ino).second) {
        ::close(folderFd);
        return;
    }
    DIR* dir = ::fdopendir(folderFd);
    if (dir == nullptr) {
        ::close(folderFd);
        return;
    }
    const DirCloser closer(dir);

    // All names first, so that the folder can be visited in byte order.
    std::string names;
    std::vector<RawEntry> entries;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) {
            continue;
        }
        const size_t length = std::strlen(name);
        entries.push_back(RawEntry{names.size(), length, entry->d_type});
        names.append(name, length + 1);  // NUL kept: each name is a C string for the *at calls
    }
    const auto view = [&names](const RawEntry& e) {
        return std::string_view(names.data() + e.offset, e.length);
    };
    std::sort(entries.begin(), entries.end(),
              [&view](const RawEntry& a, const RawEntry& b) { return view(a) < view(b); });

    for (const RawEntry& entry : entries) {
        const std::string_view hostName = view(entry);
        const char* name = names.data() + entry.offset;
        if (progress_) {
            progress_(WalkStep(folder_, hostName, found_.size()));
        }
        if (hostName.front() == '.') {
            continue;
        }
        unsigned char type = entry.type;
        struct stat st {};
        const struct stat* known = nullptr;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            if (::fstatat(folderFd, name, &st, 0) != 0) {
                continue;  // a dangling or looping link
            }
            known = &st;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR) {
            enter(folderFd, name, depth);
        } else if (type == DT_REG) {
            consider(folderFd, name, hostName, known);
        }
        // Devices, pipes and sockets are no files in the DOS view.
    }
}

void DirectoryWalker::enter(int parentFd, const char* name, int depth) {
    if (depth + 1 >= kMaxDepth) {
        return;
    }
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    const QString shown = QFile::decodeName(name);
    const qsizetype folderLength = folder_.size();
    const qsizetype upperLength = upperFolder_.size();
    folder_ += shown + u'\\';
    upperFolder_ += shown.toUpper() + u'\\';
    walk(fd, depth + 1);
    folder_.truncate(folderLength);
    upperFolder_.truncate(upperLength);
}

bool DirectoryWalker::wanted(std::string_view hostName) {
    upperIsAscii_ = isAscii(hostName);
    if (upperIsAscii_) {
        upperAsciiInto(hostName, upperAscii_);
        const std::string_view upper(upperAscii_);
        // A fragment with other letters cannot be part of an ASCII name.
        return std::any_of(fragments_.begin(), fragments_.end(), [&upper](const Fragment& f) {
            return f.isAscii && upper.find(f.ascii) != std::string_view::npos;
        });
    }
    upperText_ = decodeHostName(hostName).toUpper();
    return std::any_of(fragments_.begin(), fragments_.end(),
                       [this](const Fragment& f) { return upperText_.contains(f.text); });
}

void DirectoryWalker::consider(int folderFd, const char* name, std::string_view hostName,
                               const struct stat* known) {
    if (!wanted(hostName)) {
        return;
    }
    if (upperIsAscii_) {
        if (upperAscii_ != kOwnExecutable) {
            makeWritable(folderFd, name, known);
        }
        found_.append(upperFolder_ +
                      QLatin1StringView(upperAscii_.data(), qsizetype(upperAscii_.size())));
    } else {
        makeWritable(folderFd, name, known);
        found_.append(upperFolder_ + upperText_);
    }
}
