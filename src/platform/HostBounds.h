#pragma once

#include <QString>

#include "platform/DriveMap.h"

// Where a host path really leads, and whether that lies on a mapped drive.
// A symbolic link inside a drive may point anywhere; a script's writes,
// attribute changes and deletions stay on the drives all the same.
namespace HostBounds {

// The file a write reaches: every link followed, a dangling last one too
// (writing through it creates its target). Empty for a loop of links.
QString writeTarget(const QString& hostPath);
// The entry a deletion removes: the folders followed, the last component
// kept as it is, since a link is removed and never followed.
QString entryLocation(const QString& hostPath);
bool isOnDrive(const DriveMap& drives, const QString& realPath);

// "Access denied - <shown>: ..." when the write or the deletion would reach
// outside every drive; empty when it stays on one.
QString refusalToWrite(const DriveMap& drives, const QString& hostPath, const QString& shown);
QString refusalToDelete(const DriveMap& drives, const QString& hostPath, const QString& shown);

}  // namespace HostBounds
