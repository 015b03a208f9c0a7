#pragma once

#include <optional>
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

    // The file a write to `hostPath` reaches: links at its end followed, a
    // dangling one too, since writing through it creates its target; the
    // folders as realLocation gives them. Empty for a loop of links.
    static std::string writeTarget(const std::string& hostPath);

    // "Access denied - <shown>: it leads to <real>, outside every drive", or
    // empty when the path stays on a drive.
    std::string refusal(const std::string& hostPath, const std::string& shown) const;

    // A word that starts with a drive ("Q:\EMU\GAME.ZIP", "C:GAME.ZIP") as a
    // host path, any other word as it is. brivanel-batch hands the tools host
    // paths for its drives and leaves other drives as written; taken as a
    // relative path, such a word would make a folder "Q:" below the current
    // one. Nothing, with `error` set, when the drive is not mapped.
    std::optional<std::string> hostWord(const std::string& word, std::string& error) const;

private:
    DriveMap drives_;
    std::string problem_;
};
