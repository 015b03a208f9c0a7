#include "catalogue/LoadProfile.h"

#include <QFile>

#include "platform/DosFileSystem.h"

namespace {
// Profile files are small; this only keeps a stray huge file from filling memory.
constexpr qint64 kMaxProfileBytes = 64 * 1024 * 1024;
}  // namespace

ProfileFile LoadProfile(const DosFileSystem& fs, const QString& dosPath) {
    const QString host = fs.resolve(dosPath);
    if (host.isEmpty()) {
        return ProfileFile();
    }
    QFile file(host);
    if (!file.open(QIODevice::ReadOnly)) {
        return ProfileFile();
    }
    return ProfileFile::parse(file.read(kMaxProfileBytes));
}
