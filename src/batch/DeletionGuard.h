#pragma once

#include <QString>
#include <QStringList>

#include "platform/DriveMap.h"

// Keeps del and deltree away from what no script of the program ever means to
// remove: the host's root, a drive's root, the user's home folder, and any
// folder holding one of them.
class DeletionGuard {
public:
    DeletionGuard(const DriveMap& drives, const QString& homeFolder);

    // Why removing this host path with everything below it would do obvious
    // harm; empty when it would not.
    QString refusalToRemove(const QString& hostPath) const;
    // Why deleting every file of this host folder would; empty when it would not.
    QString refusalToEmpty(const QString& hostFolder) const;
    // Why deleting what a wildcard matches in this folder would: in a folder
    // that must not be emptied, a pattern that can match any name, or one
    // that matches every entry there now. Narrower patterns are let through.
    QString refusalToDeleteMatching(const QString& hostFolder, const QString& pattern) const;

private:
    struct Protected {
        QString path;
        QString what;
    };
    QList<Protected> protected_;
};
