#include "gamelist/RomArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "dosnames/DosCase.h"

namespace RomArchive {
namespace {

constexpr char kMark[] = "Made by brivanel-makelist";

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray host(const QString& path) {
    return QFile::encodeName(path);
}

struct Rom {
    Fd fd;
    qint64 size = 0;
    QString problem;
};

// Opened without blocking, so that a fifo shows what it is instead of
// waiting for a writer; what is read is checked on the open file itself.
Rom openRom(const QString& path) {
    Rom rom{Fd(::open(host(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))};
    struct stat st {};
    if (!rom.fd.valid() || ::fstat(rom.fd.get(), &st) != 0) {
        rom.problem = u"cannot read " + path + u": " + systemError();
    } else if (!S_ISREG(st.st_mode)) {
        rom.problem = path + u" is no regular file";
    } else if (st.st_size > kMaxRomBytes) {
        rom.problem = QStringLiteral("%1 is larger than %2 MiB").arg(path).arg(kMaxRomBytes >> 20);
    }
    rom.size = st.st_size;
    return rom;
}

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Zip = std::unique_ptr<zip_t, ZipDiscard>;
struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

QString zipError(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// Only a regular file is opened, never through a link.
Zip openArchive(const QString& path) {
    Fd fd(::open(host(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return {};
    }
    int error = 0;
    Zip archive(zip_fdopen(fd.get(), ZIP_RDONLY, &error));
    if (archive) {
        fd.release();
    }
    return archive;
}

bool readAt(int fd, char* data, qint64 size, qint64 offset) {
    while (size > 0) {
        const ssize_t got = ::pread(fd, data, size_t(size), off_t(offset));
        if (got <= 0) {
            return false;
        }
        data += got;
        size -= got;
        offset += got;
    }
    return true;
}

// The first entry inflates to exactly the ROM's bytes; never more is read
// than the ROM holds, whatever the entry claims.
bool holdsBytes(zip_t* archive, const Rom& rom) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, 0, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
        stat.size != zip_uint64_t(rom.size)) {
        return false;
    }
    const std::unique_ptr<zip_file_t, ZipFileClose> entry(zip_fopen_index(archive, 0, 0));
    if (!entry) {
        return false;
    }
    std::array<char, 65536> packed{};
    std::array<char, 65536> original{};
    for (qint64 offset = 0;;) {
        const zip_int64_t got = zip_fread(entry.get(), packed.data(), packed.size());
        if (got <= 0) {
            return got == 0 && offset == rom.size;
        }
        if (got > rom.size - offset || !readAt(rom.fd.get(), original.data(), got, offset) ||
            std::memcmp(packed.data(), original.data(), size_t(got)) != 0) {
            return false;
        }
        offset += got;
    }
}

QString fill(const QString& path, const QString& entryName, const Rom& rom) {
    int error = 0;
    Zip archive(zip_open(host(path).constData(), ZIP_TRUNCATE, &error));
    if (!archive) {
        return zipError(error);
    }
    Fd copy(::dup(rom.fd.get()));
    FILE* const data = copy.valid() ? ::fdopen(copy.get(), "rb") : nullptr;
    if (data == nullptr) {
        return systemError();
    }
    copy.release();
    zip_source_t* const source = zip_source_filep(archive.get(), data, 0, rom.size);
    if (source == nullptr) {
        std::fclose(data);
        return QString::fromLocal8Bit(zip_strerror(archive.get()));
    }
    const QByteArray entry = entryName.toUtf8();
    if (zip_file_add(archive.get(), entry.constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        return QString::fromLocal8Bit(zip_strerror(archive.get()));
    }
    zip_set_archive_comment(archive.get(), kMark, zip_uint16_t(std::strlen(kMark)));
    if (zip_close(archive.get()) != 0) {
        return QString::fromLocal8Bit(zip_strerror(archive.get()));
    }
    archive.release();
    return {};
}

// The new archive takes its name; without `replace` only when no file has
// it, checked by the rename itself.
QString place(const QString& from, const QString& to, bool replace) {
    const QByteArray source = host(from);
    const QByteArray target = host(to);
    if (replace) {
        return std::rename(source.constData(), target.constData()) == 0 ? QString() : systemError();
    }
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return {};
    }
    struct stat st {};
    if (errno == EEXIST || (errno == EINVAL && ::lstat(target.constData(), &st) == 0)) {
        return QStringLiteral("a file of that name is in the way");
    }
    if (errno == EINVAL && std::rename(source.constData(), target.constData()) == 0) {
        return {};
    }
    return systemError();
}

}  // namespace

Existing inspect(const QString& archivePath, const QString& entryName, const QString& romPath) {
    Existing existing;
    const Zip archive = openArchive(archivePath);
    if (!archive || zip_get_num_entries(archive.get(), 0) != 1) {
        return existing;
    }
    int length = 0;
    const char* const comment = zip_get_archive_comment(archive.get(), &length, ZIP_FL_ENC_RAW);
    existing.madeHere = comment != nullptr && QByteArray(comment, length) == kMark;
    const char* const name = zip_get_name(archive.get(), 0, ZIP_FL_ENC_GUESS);
    if (name != nullptr && DosCase::same(QString::fromUtf8(name), entryName)) {
        const Rom rom = openRom(romPath);
        existing.holdsRom = rom.problem.isEmpty() && holdsBytes(archive.get(), rom);
    }
    return existing;
}

QString write(const QString& archivePath, const QString& entryName, const QString& romPath,
              bool replace) {
    const Rom rom = openRom(romPath);
    if (!rom.problem.isEmpty()) {
        return rom.problem;
    }
    // A name of its own beside the archive: the archive is built there and
    // read back before anything of the user's name could be touched.
    const QFileInfo info(archivePath);
    QString fresh;
    Fd created;
    for (int n = 0; n < 100 && !created.valid(); ++n) {
        fresh = QStringLiteral("%1/.%2.new-%3-%4")
                    .arg(info.absolutePath(), info.fileName())
                    .arg(::getpid())
                    .arg(n);
        created = Fd(::open(host(fresh).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!created.valid() && errno != EEXIST) {
            break;
        }
    }
    if (!created.valid()) {
        return u"cannot write " + archivePath + u": " + systemError();
    }
    ::close(created.release());
    QString problem = fill(fresh, entryName, rom);
    if (problem.isEmpty()) {
        const Existing back = inspect(fresh, entryName, romPath);
        if (!back.madeHere || !back.holdsRom) {
            problem = QStringLiteral("the archive read back does not hold the ROM");
        }
    }
    if (problem.isEmpty()) {
        problem = place(fresh, archivePath, replace);
    }
    if (!problem.isEmpty()) {
        ::unlink(host(fresh).constData());
        return u"cannot write " + archivePath + u": " + problem;
    }
    return {};
}

}  // namespace RomArchive
