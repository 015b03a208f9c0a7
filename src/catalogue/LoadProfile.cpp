#include "catalogue/LoadProfile.h"

#include <QFile>

#include "platform/DosFileSystem.h"

namespace {
// Profile files are small; this only keeps a stray huge file from filling memory.
constexpr qint64 kMaxProfileBytes = 64 * 1024 * 1024;
}  // namespace

QByteArray ReadProfileBytes(const QString& hostPath) {
    QFile file(hostPath);
    return file.open(QIODevice::ReadOnly) ? file.read(kMaxProfileBytes) : QByteArray();
}

ProfileFile LoadProfile(const DosFileSystem& fs, const QString& dosPath) {
    const QString host = fs.resolve(dosPath);
    return host.isEmpty() ? ProfileFile() : ProfileFile::parse(ReadProfileBytes(host));
}
