#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The entries of a ZIP archive as its central directory lists them; nothing
// is inflated, so a damaged entry's data shows only when it is unpacked.
struct ZipEntry {
    QString name;  // as stored, UTF-8 or guessed from CP437
    // The entry's path as PKUNZIP writes it with its -d option, one
    // component a name; nothing for a name it refuses (absolute, with a
    // drive, climbing with "..").
    std::optional<QStringList> components() const;
    // The name it gives the entry without -d: the last component; empty for
    // a folder; nothing for a name it refuses.
    std::optional<QString> flatName() const;
    bool isFolder() const { return name.endsWith(u'/') || name.endsWith(u'\\'); }
    bool encrypted = false;
    // libzip, which PKZIP and PKUNZIP are built on, can inflate it.
    bool methodSupported = true;
};

struct ZipEntries {
    QList<ZipEntry> entries;
    QString error;  // set when the archive cannot be read

    static ZipEntries read(const QString& hostPath);
};
