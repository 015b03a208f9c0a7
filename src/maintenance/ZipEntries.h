#pragma once

#include <QList>
#include <QString>

// The entries of a ZIP archive as its central directory lists them; nothing
// is inflated, so a damaged entry's data shows only when it is unpacked.
struct ZipEntry {
    QString name;  // as stored, UTF-8 or guessed from CP437
    bool encrypted = false;
    // libzip, which PKZIP and PKUNZIP are built on, can inflate it.
    bool methodSupported = true;
};

struct ZipEntries {
    QList<ZipEntry> entries;
    QString error;  // set when the archive cannot be read

    static ZipEntries read(const QString& hostPath);
};
