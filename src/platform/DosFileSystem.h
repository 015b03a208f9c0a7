#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <unordered_map>

#include "platform/DriveMap.h"

struct DosEntry {
    QString name;  // host name as it is on disk
    bool isDirectory = false;
    bool isHidden = false;  // names beginning with "." are hidden and system
};

// The DOS view of the host file system: drive letters, names found ignoring
// case, 8.3 aliases, DOS attributes. All paths in and out are DOS paths
// unless a function says otherwise.
class DosFileSystem {
public:
    explicit DosFileSystem(DriveMap drives);

    const DriveMap& drives() const { return drives_; }

    // Host path of an existing file or folder, resolved per component ignoring
    // case: a short name (a real 8.3 name or an alias) means its own entry,
    // any other name the first in byte order of the names it matches; empty
    // when it does not exist.
    QString resolve(const QString& dosPath) const;
    // Host path for a DOS path that may not exist yet: the existing leading
    // folders resolved, the rest appended as written. Empty for an unmapped drive.
    QString hostPath(const QString& dosPath) const;
    // DOS form of a host path through the drive whose root is the longest
    // prefix; empty when no drive covers it.
    QString toDos(const QString& hostPath) const;
    // Every component replaced by its entry's short name, which resolves back
    // to that entry while the folder stays as it is; the path unchanged when
    // it does not exist.
    QString shortPath(const QString& dosPath) const;

    bool exists(const QString& dosPath) const;
    // The path up to its first component that is not there ("C:\A\B" for
    // "C:\A\B\C.ZIP" when C:\A holds no B): what making the path makes.
    // Empty when the whole path exists or its drive is not mapped.
    QString firstMissing(const QString& dosPath) const;
    bool fileExists(const QString& dosPath) const;
    bool directoryExists(const QString& dosPath) const;

    // Entries of a folder in byte order of their host names, without "." and "..".
    QList<DosEntry> list(const QString& dosFolder) const;
    // The same for a host folder, read afresh.
    static QList<DosEntry> listHost(const QString& hostFolder);

    // "Archive only" and "normal": writable for the owner. False when the
    // path does not exist or the change was refused.
    bool setArchiveOnly(const QString& dosPath) const;
    bool setReadOnly(const QString& dosPath, bool readOnly) const;
    bool isReadOnly(const QString& dosPath) const;
    static bool makeHostWritable(const QString& hostPath);

    // Bytes free on the drive; 0 for an unmapped drive.
    qint64 freeSpace(QChar drive) const;

    bool removeFile(const QString& dosPath) const;
    std::optional<QByteArray> readFile(const QString& dosPath) const;
    // Whether two existing files hold the same bytes; read in pieces, so
    // large archives cost no memory.
    bool sameContent(const QString& dosPathA, const QString& dosPathB) const;
    // Replaces the file's content (creating it), all or nothing, the write
    // read back before it counts; false on failure, and `problem` says why.
    bool writeFile(const QString& dosPath, const QByteArray& content,
                   QString* problem = nullptr) const;

private:
    struct Listing;
    std::shared_ptr<const Listing> listing(const QString& hostFolder) const;
    // Resolves components; `resolvedCount` tells how many were found.
    QString resolveComponents(const QString& dosPath, int* resolvedCount, QStringList* components,
                              QStringList* shortNames) const;

    DriveMap drives_;
    mutable std::unordered_map<QString, std::shared_ptr<const Listing>> cache_;
};
