#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DriveBounds;

enum class ZipTool { Zip, Unzip };

// One PKZIP or PKUNZIP command line. Options may stand anywhere; the first
// other word is the archive.
struct ZipCommand {
    ZipTool tool = ZipTool::Unzip;
    std::string archive;
    // PKUNZIP: entry masks ("pacman\*.*"); PKZIP: files to add, or with -d the
    // entries to delete.
    std::vector<std::string> names;
    // PKUNZIP only; empty means the current folder.
    std::string destination;

    bool keepFolders = false;    // PKUNZIP -d
    bool overwrite = false;      // PKUNZIP -o
    bool deleteEntries = false;  // PKZIP -d
    bool move = false;           // PKZIP -m
    bool update = false;         // PKZIP -u
};

struct ParsedCommand {
    std::optional<ZipCommand> command;
    std::string error;
};

// The tool a program name stands for ("PKUNZIP.EXE", "/x/mypkzip"), ignoring case.
std::optional<ZipTool> toolForProgramName(std::string_view argv0);

// A later word is PKUNZIP's destination when it has no wildcard and is
// absolute, ends with a separator or names an existing folder; otherwise it is
// an entry mask ("PKUNZIP GAME.ZIP README.TXT"), which PKUNZIP itself still
// takes as a new destination folder when it names no entry.
ParsedCommand parseZipCommand(ZipTool tool, const std::vector<std::string>& arguments);

// The archive, the destination and the files or masks with their drive
// words ("Q:\EMU\ROMS") as host paths (DriveBounds::hostWord); PKZIP -d's
// entry names are no paths. False, with `error`, when a word names a drive
// that is not mapped.
bool withHostPaths(ZipCommand& command, const DriveBounds& bounds, std::string& error);

std::string usageText(ZipTool tool);
