#pragma once

#include <QChar>
#include <QString>
#include <map>

#include "platform/DosFileSystem.h"

// The current drive and, as in DOS, one current directory per drive: "cd
// D:\GAMES" while on C: changes D:'s directory and stays on C:.
class DosSession {
public:
    explicit DosSession(const DosFileSystem& fs) : fs_(fs) {}

    const DosFileSystem& fs() const { return fs_; }

    // Null when no drive is current (an empty drive map).
    QChar drive() const { return drive_; }
    bool isMapped(QChar drive) const;
    // "C:\MAME"; the root when the drive's directory was never changed.
    QString directory(QChar drive) const;
    QString currentDirectory() const { return directory(drive_); }
    // Host folder of the current directory; empty when it no longer exists.
    QString currentHostDirectory() const;

    void setDrive(QChar drive);
    // Takes an absolute DOS directory ("X:\..."); its drive's directory changes.
    void setDirectory(const QString& dosDirectory);
    // Starts on the folder's drive in that folder.
    void startIn(const QString& dosDirectory);

    // "X:\A\B" for a path as typed: drive-relative ("D:GAMES"), root-relative
    // ("\GAMES") and relative forms completed, "." and ".." applied. Empty
    // when no drive applies.
    QString absolute(const QString& typed) const;
    // DOS form of a host path found below the given drive's root, with the
    // names as they are on disk.
    QString dosFormOnDrive(QChar drive, const QString& hostPath) const;

private:
    const DosFileSystem& fs_;
    QChar drive_;
    std::map<QChar, QString> directories_;
};
