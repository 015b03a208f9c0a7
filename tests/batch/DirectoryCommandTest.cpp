#include <gtest/gtest.h>

#include <QFileInfo>

#include "BatchHarness.h"
#include "support/Text.h"

// The log shows each line behind the prompt, so it tells the current
// directory before every line.
TEST(DirectoryCommands, CdAndDriveChangesFollowDosRules) {
    BatchHarness h;
    h.inst.mkdir(q("C:\\MAME\\ROMS"));
    h.inst.mkdir(q("C:\\Program Files\\Emu"));
    h.inst.mkdir(q("D:\\GAMES"));
    h.writeRecorder(q("C:\\TOOLS\\REC.EXE"), q("C:\\RECORD.TXT"));
    const auto result =
        h.run({q("cd .."), q("cd mame"), q("cd.."), q("cd\\MAME\\ROMS\\"), q("cd D:\\GAMES"),
               q("D:"), q("C:\\TOOLS\\REC.EXE"), q("C:"), q("cd C:\\PROGRA~1\\EMU"),
               q("cd C:\\NOPE"), q("cd Q:\\"), q("Q:"), q("echo end")});
    const QString log = result.log;
    EXPECT_TRUE(log.contains(q("C:\\BRIVANEL>cd ..\r\n")));
    EXPECT_TRUE(log.contains(q("C:\\>cd mame\r\n")));
    EXPECT_TRUE(log.contains(q("C:\\MAME>cd..\r\n")));
    EXPECT_TRUE(log.contains(q("C:\\>cd\\MAME\\ROMS\\\r\n")));
    // cd on another drive changes that drive's directory, not the current drive.
    EXPECT_TRUE(log.contains(q("C:\\MAME\\ROMS>D:\r\n")));
    EXPECT_TRUE(log.contains(q("D:\\GAMES>C:\\TOOLS\\REC.EXE\r\n")));
    EXPECT_TRUE(log.contains(q("D:\\GAMES>C:\r\n")));
    EXPECT_TRUE(log.contains(q("C:\\MAME\\ROMS>cd C:\\PROGRA~1\\EMU\r\n")));
    EXPECT_TRUE(
        log.contains(q("C:\\Program Files\\Emu>cd C:\\NOPE\r\n    failed: Invalid directory")));
    EXPECT_EQ(log.count(q("failed: Invalid drive")), 2);
    EXPECT_TRUE(log.contains(q("C:\\Program Files\\Emu>echo end")));
    EXPECT_EQ(h.recorded(q("C:\\RECORD.TXT")).workingFolder, h.host(q("D:\\GAMES")));
}

// Fix ROM's sequence: a work folder made, entered, left and removed.
TEST(DirectoryCommands, WorkFolderIsMadeUsedAndRemoved) {
    BatchHarness h;
    h.write(q("C:\\ZIPS\\GAME.ZIP"), "packed\n");
    h.writeProgram(q("C:\\PK\\PKUNZIP.EXE"), q("cp \"$1\" ./unpacked.dat"));
    h.writeProgram(q("C:\\PK\\PKZIP.EXE"),
                   q("cat ./unpacked.dat > \"$1\"; echo repacked >> \"$1\""));
    const auto result =
        h.run({q("C:"), q("cd C:\\BRIVANEL\\"), q("md FixRom"), q("cd FixRom"),
               q("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\GAME.ZIP"), q("del C:\\ZIPS\\GAME.ZIP"),
               q("C:\\PK\\PKZIP.EXE C:\\ZIPS\\GAME.ZIP"), q("cd .."), q("deltree /y FixRom")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_EQ(h.read(q("C:\\ZIPS\\GAME.ZIP")), QByteArray("packed\nrepacked\n"));
    EXPECT_FALSE(QFileInfo::exists(h.host(q("C:\\BRIVANEL\\FixRom"))));
}

TEST(DirectoryCommands, MdMakesOneNewLevelAndRdOnlyEmptyFolders) {
    BatchHarness h;
    h.write(q("C:\\FULL\\file.txt"));
    const auto result = h.run(
        {q("md FixRom"), q("md FIXROM"), q("md A\\B"), q("rd FULL"), q("rd C:\\BRIVANEL\\FixRom")});
    EXPECT_EQ(result.log.count(q("failed: Unable to create directory")), 2);
    EXPECT_TRUE(
        result.log.contains(q("failed: Invalid path, not directory, or directory not empty")));
    EXPECT_FALSE(QFileInfo::exists(h.host(q("C:\\BRIVANEL\\FixRom"))));
    EXPECT_FALSE(QFileInfo::exists(h.host(q("C:\\BRIVANEL\\A"))));
    EXPECT_TRUE(h.exists(q("C:\\FULL\\file.txt")));
}
