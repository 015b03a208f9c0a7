#include <gtest/gtest.h>

#include "ziptools/ZipCommand.h"

namespace {

struct ParseCase {
    ZipTool tool;
    std::vector<std::string> arguments;
    std::string archive;
    std::vector<std::string> names;
    std::string destination;
    std::string flags;  // letters of the options set: d(folders) o m u x(delete)
    std::string error;
};

std::string flagsOf(const ZipCommand& c) {
    std::string out;
    out += c.keepFolders ? "d" : "";
    out += c.overwrite ? "o" : "";
    out += c.move ? "m" : "";
    out += c.update ? "u" : "";
    out += c.deleteEntries ? "x" : "";
    return out;
}

}  // namespace

TEST(ZipCommand, ScriptFormsParse) {
    const auto U = ZipTool::Unzip;
    const auto Z = ZipTool::Zip;
    const std::vector<ParseCase> cases = {
        {U,
         {"/z/PACMAN.ZIP", "/m/ROMS/pacman", "-d", "-o"},
         "/z/PACMAN.ZIP",
         {},
         "/m/ROMS/pacman",
         "do",
         ""},
        {U,
         {"/z/S.ZIP", "/m/ROMS/pacman/samples", "-o"},
         "/z/S.ZIP",
         {},
         "/m/ROMS/pacman/samples",
         "o",
         ""},
        {U, {"-d", "-o", "/m/ragepack.zip"}, "/m/ragepack.zip", {}, "", "do", ""},
        {U, {"-DO", "/m/ragepack.zip"}, "/m/ragepack.zip", {}, "", "do", ""},
        {U,
         {"/m/bigprom.zip", "pacman\\*.*", "/b/pacman", "-d"},
         "/m/bigprom.zip",
         {"pacman\\*.*"},
         "/b/pacman",
         "d",
         ""},
        {U, {"/m/bigprom.zip", "pacman\\*.*"}, "/m/bigprom.zip", {"pacman\\*.*"}, "", "", ""},
        {U, {"GAME.ZIP", "README.TXT"}, "GAME.ZIP", {"README.TXT"}, "", "", ""},
        {U, {"GAME.ZIP", "OUT\\"}, "GAME.ZIP", {}, "OUT\\", "", ""},
        {U, {"/z/PACMAN.ZIP"}, "/z/PACMAN.ZIP", {}, "", "", ""},
        {Z, {"/z/PACMAN.ZIP", "/b/pacman/*.*"}, "/z/PACMAN.ZIP", {"/b/pacman/*.*"}, "", "", ""},
        {Z, {"/z/PACMAN.ZIP"}, "/z/PACMAN.ZIP", {}, "", "", ""},
        {Z,
         {"/z/PACMAN.ZIP", "-d", "hi\\pacman.hi"},
         "/z/PACMAN.ZIP",
         {"hi\\pacman.hi"},
         "",
         "x",
         ""},
        {Z,
         {"/z/PACMAN.ZIP", "/m/roms/pacman/*.*", "-m", "-u"},
         "/z/PACMAN.ZIP",
         {"/m/roms/pacman/*.*"},
         "",
         "mu",
         ""},
        {U, {"-d"}, "", {}, "", "", "no archive named"},
        {U, {"a.zip", "-m"}, "", {}, "", "", "unknown option -m"},
        {Z, {"a.zip", "-o"}, "", {}, "", "", "unknown option -o"},
        {Z, {"a.zip", "-d"}, "", {}, "", "", "-d needs the names of the entries to delete"},
    };
    for (const ParseCase& c : cases) {
        const ParsedCommand parsed = parseZipCommand(c.tool, c.arguments);
        const std::string label = c.arguments.empty() ? "" : c.arguments.front();
        EXPECT_EQ(parsed.error, c.error) << label;
        if (!c.error.empty()) {
            EXPECT_FALSE(parsed.command) << label;
            continue;
        }
        ASSERT_TRUE(parsed.command) << label;
        EXPECT_EQ(parsed.command->archive, c.archive) << label;
        EXPECT_EQ(parsed.command->names, c.names) << label;
        EXPECT_EQ(parsed.command->destination, c.destination) << label;
        EXPECT_EQ(flagsOf(*parsed.command), c.flags) << label;
    }
}

TEST(ZipCommand, ProgramNameChoosesTheTool) {
    EXPECT_EQ(toolForProgramName("/opt/brivanel/PKZIP.EXE"), ZipTool::Zip);
    EXPECT_EQ(toolForProgramName("pkunzip"), ZipTool::Unzip);
    EXPECT_EQ(toolForProgramName("C:\\TOOLS\\MyPkUnzip.exe"), ZipTool::Unzip);
    EXPECT_EQ(toolForProgramName("/pkunzip/brivanel-zip"), std::nullopt);
}
