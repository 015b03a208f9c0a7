#pragma once

#include <string>

#include "platform/DriveMap.h"

// The drives the tools may reach: the map brivanel-batch hands them in
// BRIVANEL_DRIVES, or the default it would use. A file or folder that a link
// leads off every drive is neither read, written nor deleted, as the
// interpreter itself refuses it.
class DriveBounds {
public:
    // An unusable BRIVANEL_DRIVES gives no drive and a problem to report.
    static DriveBounds fromEnvironment();

    const std::string& problem() const { return problem_; }

    // Where a host path really is: every link followed; for a path that does
    // not exist (yet), its deepest existing folder followed and the rest kept.
    static std::string realLocation(const std::string& hostPath);

    // "Access denied - <shown>: it leads to <real>, outside every drive", or
    // empty when the path stays on a drive.
    std::string refusal(const std::string& hostPath, const std::string& shown) const;

private:
    DriveMap drives_;
    std::string problem_;
};
