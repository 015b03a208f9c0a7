#include "platform/DosFileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>

#include "dosnames/DosCase.h"
#include "dosnames/ShortNames.h"
#include "platform/DosPath.h"
#include "platform/FileClock.h"
#include "platform/FileReplace.h"

// A folder's names with their short names, kept while the folder's
// modification time stays the same, so that resolving many paths in one large
// folder reads it once.
struct DosFileSystem::Listing {
    qint64 mtimeNs = 0;
    qint64 listedAtNs = 0;
    quint64 inode = 0;
    QStringList names;
    QStringList aliases;
    QHash<QString, int> firstByFoldedName;
    // Upper case; one entry per short name, since no two are alike.
    QHash<QString, int> byShortName;

    int indexOf(const QString& part) const {
        // A short name (a real 8.3 name or an alias) means its own entry before
        // any long name that folds to the same letters.
        if (ShortNames::isValidShortName(part)) {
            const int index = byShortName.value(part.toUpper(), -1);
            if (index >= 0) {
                return index;
            }
        }
        return firstByFoldedName.value(DosCase::fold(part), -1);
    }
};

namespace {

constexpr size_t kMaxCachedListings = 512;

QString joinHost(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

bool statHost(const QString& hostPath, struct stat* st) {
    return ::stat(QFile::encodeName(hostPath).constData(), st) == 0;
}

}  // namespace

DosFileSystem::DosFileSystem(DriveMap drives) : drives_(std::move(drives)) {}

QList<DosEntry> DosFileSystem::listHost(const QString& hostFolder) {
    QList<DosEntry> out;
    const QByteArray encoded = QFile::encodeName(hostFolder);
    DIR* dir = ::opendir(encoded.constData());
    if (dir == nullptr) {
        return out;
    }
    std::vector<std::pair<QByteArray, bool>> raw;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        bool isDir = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st {};
            const QByteArray full = encoded + '/' + name;
            isDir = ::stat(full.constData(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        raw.emplace_back(name, isDir);
    }
    ::closedir(dir);
    std::sort(raw.begin(), raw.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    out.reserve(static_cast<qsizetype>(raw.size()));
    for (const auto& [name, isDir] : raw) {
        const QString decoded = QFile::decodeName(name);
        out.append(DosEntry{decoded, isDir, decoded.startsWith(u'.')});
    }
    return out;
}

std::shared_ptr<const DosFileSystem::Listing> DosFileSystem::listing(
    const QString& hostFolder) const {
    struct stat st {};
    if (!statHost(hostFolder, &st) || !S_ISDIR(st.st_mode)) {
        return nullptr;
    }
    const qint64 mtime = FileClock::modifiedNs(st);
    const auto it = cache_.find(hostFolder);
    // A listing taken too soon after the folder's last change may lack it.
    if (it != cache_.end() && it->second->mtimeNs == mtime && it->second->inode == st.st_ino &&
        FileClock::readSettled(mtime, it->second->listedAtNs)) {
        return it->second;
    }
    auto fresh = std::make_shared<Listing>();
    fresh->mtimeNs = mtime;
    fresh->listedAtNs = FileClock::nowNs();
    fresh->inode = st.st_ino;
    for (const DosEntry& e : listHost(hostFolder)) {
        fresh->names.append(e.name);
    }
    fresh->aliases = ShortNames::aliases(fresh->names);
    // QHash::insert replaces, so walk backwards to leave the first in byte order.
    for (int i = int(fresh->names.size()) - 1; i >= 0; --i) {
        fresh->firstByFoldedName.insert(DosCase::fold(fresh->names[i]), i);
        if (!fresh->aliases[i].isEmpty()) {
            fresh->byShortName.insert(fresh->aliases[i].toUpper(), i);
        }
    }
    if (cache_.size() >= kMaxCachedListings) {
        cache_.clear();
    }
    cache_[hostFolder] = fresh;
    return fresh;
}

QString DosFileSystem::resolveComponents(const QString& dosPath, int* resolvedCount,
                                         QStringList* components, QStringList* shortNames) const {
    *resolvedCount = 0;
    const QChar drive = DosPath::driveLetter(dosPath);
    if (drive.isNull()) {
        return QString();
    }
    QString host = drives_.hostRoot(drive);
    if (host.isEmpty()) {
        return QString();
    }
    *components = DosPath::components(dosPath);
    for (const QString& part : *components) {
        const auto list = listing(host);
        if (!list) {
            break;
        }
        const int index = list->indexOf(part);
        if (index < 0) {
            break;
        }
        host = joinHost(host, list->names[index]);
        if (shortNames) {
            shortNames->append(list->aliases[index]);
        }
        ++*resolvedCount;
    }
    return host;
}

QString DosFileSystem::resolve(const QString& dosPath) const {
    int count = 0;
    QStringList parts;
    const QString host = resolveComponents(dosPath, &count, &parts, nullptr);
    if (host.isEmpty() || count != parts.size()) {
        return QString();
    }
    struct stat st {};
    return statHost(host, &st) ? host : QString();
}

QString DosFileSystem::hostPath(const QString& dosPath) const {
    int count = 0;
    QStringList parts;
    QString host = resolveComponents(dosPath, &count, &parts, nullptr);
    if (host.isEmpty()) {
        return QString();
    }
    for (int i = count; i < parts.size(); ++i) {
        host = joinHost(host, parts[i]);
    }
    return host;
}

QString DosFileSystem::toDos(const QString& hostPath) const {
    const QString clean = QDir::cleanPath(QDir(hostPath).absolutePath());
    QChar bestDrive;
    qsizetype bestLength = -1;
    for (const auto& [letter, root] : drives_.roots()) {
        const bool covers = clean == root || root == u"/" || clean.startsWith(root + u'/');
        if (covers && root.size() > bestLength) {
            bestLength = root.size();
            bestDrive = letter;
        }
    }
    if (bestLength < 0) {
        return QString();
    }
    const QString root = drives_.hostRoot(bestDrive);
    QString rest = clean.mid(root == u"/" ? 1 : root.size() + 1);
    if (clean == root) {
        rest.clear();
    }
    rest.replace(u'/', u'\\');
    return QString(bestDrive) + u":\\" + rest;
}

QString DosFileSystem::shortPath(const QString& dosPath) const {
    int count = 0;
    QStringList parts;
    QStringList shortNames;
    const QString host = resolveComponents(dosPath, &count, &parts, &shortNames);
    if (host.isEmpty() || count != parts.size()) {
        return dosPath;
    }
    struct stat st {};
    if (!statHost(host, &st)) {
        return dosPath;
    }
    if (shortNames.contains(QString())) {
        return dosPath;  // an entry without a free alias has no short form
    }
    QString out = QString(DosPath::driveLetter(dosPath)) + u':';
    for (const QString& name : shortNames) {
        out += u'\\' + name;
    }
    if (shortNames.isEmpty() || dosPath.endsWith(u'\\') || dosPath.endsWith(u'/')) {
        out += u'\\';
    }
    return out;
}

bool DosFileSystem::exists(const QString& dosPath) const {
    return !resolve(dosPath).isEmpty();
}

QString DosFileSystem::firstMissing(const QString& dosPath) const {
    int count = 0;
    QStringList parts;
    const QString host = resolveComponents(dosPath, &count, &parts, nullptr);
    struct stat st {};
    if (host.isEmpty() || (count == parts.size() && statHost(host, &st))) {
        return QString();
    }
    const qsizetype missing = count < parts.size() ? count : parts.size() - 1;
    return QString(DosPath::driveLetter(dosPath)) + u":\\" + parts.mid(0, missing + 1).join(u'\\');
}

bool DosFileSystem::fileExists(const QString& dosPath) const {
    const QString host = resolve(dosPath);
    struct stat st {};
    return !host.isEmpty() && statHost(host, &st) && !S_ISDIR(st.st_mode);
}

bool DosFileSystem::directoryExists(const QString& dosPath) const {
    const QString host = resolve(dosPath);
    struct stat st {};
    return !host.isEmpty() && statHost(host, &st) && S_ISDIR(st.st_mode);
}

QList<DosEntry> DosFileSystem::list(const QString& dosFolder) const {
    const QString host = resolve(dosFolder);
    return host.isEmpty() ? QList<DosEntry>() : listHost(host);
}

bool DosFileSystem::makeHostWritable(const QString& hostPath) {
    struct stat st {};
    const QByteArray encoded = QFile::encodeName(hostPath);
    if (::stat(encoded.constData(), &st) != 0) {
        return false;
    }
    if (st.st_mode & S_IWUSR) {
        return true;
    }
    return ::chmod(encoded.constData(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool DosFileSystem::setArchiveOnly(const QString& dosPath) const {
    const QString host = resolve(dosPath);
    return !host.isEmpty() && makeHostWritable(host);
}

bool DosFileSystem::setReadOnly(const QString& dosPath, bool readOnly) const {
    const QString host = resolve(dosPath);
    if (host.isEmpty()) {
        return false;
    }
    if (!readOnly) {
        return makeHostWritable(host);
    }
    struct stat st {};
    const QByteArray encoded = QFile::encodeName(host);
    if (::stat(encoded.constData(), &st) != 0) {
        return false;
    }
    return ::chmod(encoded.constData(), (st.st_mode & 07777) & ~(S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool DosFileSystem::isReadOnly(const QString& dosPath) const {
    const QString host = resolve(dosPath);
    struct stat st {};
    return !host.isEmpty() && statHost(host, &st) && !(st.st_mode & S_IWUSR);
}

qint64 DosFileSystem::freeSpace(QChar drive) const {
    const QString root = drives_.hostRoot(drive);
    if (root.isEmpty()) {
        return 0;
    }
    struct statvfs vfs {};
    if (::statvfs(QFile::encodeName(root).constData(), &vfs) != 0) {
        return 0;
    }
    return qint64(vfs.f_bavail) * qint64(vfs.f_frsize);
}

bool DosFileSystem::removeFile(const QString& dosPath) const {
    const QString host = resolve(dosPath);
    return !host.isEmpty() && ::unlink(QFile::encodeName(host).constData()) == 0;
}

std::optional<QByteArray> DosFileSystem::readFile(const QString& dosPath) const {
    const QString host = resolve(dosPath);
    if (host.isEmpty()) {
        return std::nullopt;
    }
    QFile file(host);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

bool DosFileSystem::sameContent(const QString& dosPathA, const QString& dosPathB) const {
    QFile a(resolve(dosPathA));
    QFile b(resolve(dosPathB));
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size()) {
        return false;
    }
    constexpr qint64 kPiece = 1 << 20;
    while (!a.atEnd()) {
        const QByteArray pieceA = a.read(kPiece);
        if (pieceA.isEmpty() || pieceA != b.read(pieceA.size())) {
            return false;
        }
    }
    return b.atEnd();
}

bool DosFileSystem::writeFile(const QString& dosPath, const QByteArray& content,
                              QString* problem) const {
    const QString host = hostPath(dosPath);
    const QString why = host.isEmpty() ? QStringLiteral("%1 is on no drive").arg(dosPath)
                                       : FileReplace::replace(host, content);
    if (problem != nullptr) {
        *problem = why;
    }
    return why.isEmpty();
}
