// The conversion of a MAME-type emulator's list output and the collection
// of game names from a list file.
#include <gtest/gtest.h>

#include "catalogue/EmulatorDefinition.h"
#include "catalogue/ProfileFile.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/GameStep.h"
#include "gamelist/ListFileGames.h"
#include "gamelist/MameListConversion.h"
#include "platform/TextCodec.h"
#include "support/TempInstallation.h"

using namespace MameListConversion;

namespace {

ProfileFile parseLines(const QStringList& lines) {
    return ProfileFile::parse(TextCodec::encodeDosLines(lines));
}

QString padded(const QString& name, int width) {
    return name.leftJustified(width, u' ');
}

}  // namespace

TEST(MameListConversion, OldGameListGetsSeparatorInPositionTen) {
    const QStringList output{
        QStringLiteral("name      description"),
        QStringLiteral("pacman    \"Pac-Man (Midway)\""),
        QStringLiteral("mspacman  \"Ms. Pac-Man\""),
        QStringLiteral("123456789 \"Nine Letters\""),
        QStringLiteral("a         \"A\""),
    };
    const QStringList converted = ConvertGameList(output);
    EXPECT_EQ(converted, (QStringList{
                             QStringLiteral("[Games]"),
                             QStringLiteral("pacman   =\"Pac-Man (Midway)\""),
                             QStringLiteral("mspacman =\"Ms. Pac-Man\""),
                             QStringLiteral("123456789=\"Nine Letters\""),
                             QStringLiteral("a        =\"A\""),
                         }));
    const ProfileFile list = parseLines(converted);
    EXPECT_EQ(list.readString(QStringLiteral("Games"), QStringLiteral("pacman"), QString()),
              QStringLiteral("Pac-Man (Midway)"));
    EXPECT_EQ(list.readString(QStringLiteral("Games"), QStringLiteral("123456789"), QString()),
              QStringLiteral("Nine Letters"));
}

TEST(MameListConversion, OldCloneListGetsSeparatorInPositionNine) {
    const QStringList converted = ConvertCloneList({
        QStringLiteral("Name:    Clone of:"),
        QStringLiteral("mspacman pacman"),
        QStringLiteral("puckman  pacman"),
    });
    EXPECT_EQ(converted, (QStringList{QStringLiteral("[Merged]"), QStringLiteral("mspacman=pacman"),
                                      QStringLiteral("puckman =pacman")}));
    EXPECT_EQ(parseLines(converted).readString(QStringLiteral("Merged"), QStringLiteral("PUCKMAN"),
                                               QString()),
              QStringLiteral("pacman"));
}

TEST(MameListConversion, CurrentOutputWithLongNamesKeepsWholeNames) {
    // Names up to 32 characters in a column of 18, a name filling the column
    // so that the quote follows it at once, quotes inside the description
    // and letters outside ASCII.
    const QString longName = QStringLiteral("abcdefghijklmnopqrstuvwxyz012345");
    const QStringList output{
        padded(QStringLiteral("Name:"), 18) + QStringLiteral("Description:"),
        padded(QStringLiteral("005"), 18) + QStringLiteral("\"005\""),
        padded(QStringLiteral("10yard"), 18) + QStringLiteral("\"10-Yard Fight (World, set 1)\""),
        padded(QStringLiteral("sf2ce"), 18) +
            QStringLiteral("\"Street Fighter II' - Champion Edition\""),
        padded(QStringLiteral("pacmanbootleg"), 18) + QStringLiteral("\"Puck \"Man\" (bootleg)\""),
        padded(QStringLiteral("sfiii3nr1"), 18) + QStringLiteral("\"Jöjö's Bizarre Adventure ニ\""),
        longName + QStringLiteral(" \"Thirty-two\""),
        QStringLiteral("eighteencharacters\"Run on\""),
    };
    const ProfileFile list = parseLines(ConvertGameList(output));
    const auto full = [&list](const QString& name) {
        return list.readString(QStringLiteral("Games"), name, QStringLiteral("<none>"));
    };
    EXPECT_EQ(full(QStringLiteral("005")), QStringLiteral("005"));
    EXPECT_EQ(full(QStringLiteral("10yard")), QStringLiteral("10-Yard Fight (World, set 1)"));
    EXPECT_EQ(full(QStringLiteral("sf2ce")),
              QStringLiteral("Street Fighter II' - Champion Edition"));
    EXPECT_EQ(full(QStringLiteral("pacmanbootleg")), QStringLiteral("Puck \"Man\" (bootleg)"));
    EXPECT_EQ(full(QStringLiteral("sfiii3nr1")), QStringLiteral("Jöjö's Bizarre Adventure ニ"));
    EXPECT_EQ(full(longName), QStringLiteral("Thirty-two"));
    EXPECT_EQ(full(QStringLiteral("eighteencharacters")), QStringLiteral("Run on"));
    // A cut name would have made keys such as "pacmanboo" or "abcdefghi".
    EXPECT_EQ(list.keyNames(QStringLiteral("Games")).size(), 7);
    EXPECT_EQ(full(QStringLiteral("pacmanboo")), QStringLiteral("<none>"));
}

TEST(MameListConversion, CurrentCloneListWithWideColumn) {
    const QStringList output{
        padded(QStringLiteral("Name:"), 17) + QStringLiteral("Clone of:"),
        padded(QStringLiteral("mspacman"), 17) + QStringLiteral("pacman"),
        padded(QStringLiteral("sf2ce"), 17) + QStringLiteral("sf2"),
        QStringLiteral("averyveryverylongclonename mainset"),
    };
    const ProfileFile merge = parseLines(ConvertCloneList(output));
    const auto parent = [&merge](const QString& name) {
        return merge.readString(QStringLiteral("Merged"), name, QString());
    };
    EXPECT_EQ(parent(QStringLiteral("mspacman")), QStringLiteral("pacman"));
    EXPECT_EQ(parent(QStringLiteral("sf2ce")), QStringLiteral("sf2"));
    EXPECT_EQ(parent(QStringLiteral("averyveryverylongclonename")), QStringLiteral("mainset"));
}

TEST(MameListConversion, ShortAndOddRowsAreSafe) {
    const struct {
        const char* row;
        const char* converted;
    } rows[] = {
        {"", ""},
        {"alone", "alone"},
        {"ab \"X\"", "ab=\"X\""},
        {"abc ", "abc="},
        // A description that starts before the column is not cut at the column.
        {"ab \"ABCDE F\"", "ab=\"ABCDE F\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        EXPECT_EQ(PlaceSeparator(QString::fromUtf8(row.row), kGameColumn),
                  QString::fromUtf8(row.converted));
    }
    // Rows without a name give an empty key, which names no game.
    const ProfileFile list = parseLines(
        ConvertGameList({QStringLiteral("header"), QStringLiteral("          \"No name\""),
                         QStringLiteral("   ")}));
    EXPECT_TRUE(list.keyNames(QStringLiteral("Games")).isEmpty());
    // Output without any row still makes a list with its header.
    EXPECT_EQ(ConvertGameList({}), QStringList{QStringLiteral("[Games]")});
    EXPECT_EQ(ConvertCloneList({QStringLiteral("Name:    Clone of:")}),
              QStringList{QStringLiteral("[Merged]")});
}

TEST(MameListConversion, ConvertsBothFilesInPlace) {
    TempInstallation inst;
    inst.writeLines(
        QStringLiteral("C:\\BRIVANEL\\MAME.LST"),
        {QStringLiteral("name      description"), QStringLiteral("pacman    \"Pac-Man\"")});
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.MRG"),
                    {QStringLiteral("Name:    Clone of:"), QStringLiteral("puckman  pacman")});
    const DosFileSystem fs = inst.fs();
    EXPECT_EQ(MergeFilePath(QStringLiteral("C:\\BRIVANEL\\MAME.lst")),
              QStringLiteral("C:\\BRIVANEL\\MAME.MRG"));
    ASSERT_TRUE(ConvertListFiles(fs, QStringLiteral("C:\\BRIVANEL\\MAME.lst")));
    EXPECT_EQ(inst.readFile(QStringLiteral("C:\\BRIVANEL\\MAME.LST")),
              QByteArray("[Games]\r\npacman   =\"Pac-Man\"\r\n"));
    EXPECT_EQ(inst.readFile(QStringLiteral("C:\\BRIVANEL\\MAME.MRG")),
              QByteArray("[Merged]\r\npuckman =pacman\r\n"));

    // Without a merge file only the list is converted; without a list nothing.
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\NEO.LST"),
                    {QStringLiteral("x"), QStringLiteral("a b")});
    EXPECT_TRUE(ConvertListFiles(fs, QStringLiteral("C:\\BRIVANEL\\NEO.lst")));
    EXPECT_FALSE(fs.fileExists(QStringLiteral("C:\\BRIVANEL\\NEO.MRG")));
    EXPECT_FALSE(ConvertListFiles(fs, QStringLiteral("C:\\BRIVANEL\\NONE.lst")));
}

TEST(ListFileGames, CollectsShortNamesOfGameLines) {
    const QStringList names = ListFileGames::CollectGameNames({
        QStringLiteral("pacman=Not a game: the first line is always skipped"),
        QStringLiteral("  pacman   =\"Pac-Man\""),
        QString(),
        QStringLiteral(";galaga=Commented out"),
        QStringLiteral("dkong=Donkey Kong"),
        QStringLiteral("=No short name"),
        QStringLiteral("   =Blanks only"),
        QStringLiteral("no separator at all"),
        QStringLiteral("[Directories]"),
        QStringLiteral("DKONG=dk"),
        QStringLiteral("Ms Pac=Blank inside"),
    });
    EXPECT_EQ(names, (QStringList{QStringLiteral("pacman"), QStringLiteral("dkong"),
                                  QStringLiteral("Ms Pac")}));
    EXPECT_TRUE(ListFileGames::CollectGameNames({QStringLiteral("[Games]")}).isEmpty());
    EXPECT_TRUE(ListFileGames::CollectGameNames({}).isEmpty());
}

// A short name or ROM name ends up after a folder in the launch's clean-up
// lines ("deltree /y" + folder + name); one that leaves that folder or
// names more than one file would delete other data.
TEST(ListFileGames, NamesThatWouldLeaveTheirFolderAreSkipped) {
    EXPECT_EQ(ListFileGames::CollectGameNames(
                  {QStringLiteral("[Games]"), QStringLiteral("..=Up"), QStringLiteral("*=All"),
                   QStringLiteral("a\\..\\..=Far up"), QStringLiteral("D:\\=Drive"),
                   QStringLiteral("pacman=Pac-Man")}),
              QStringList{QStringLiteral("pacman")});

    // Its ROM name in [Directories] and its parent in the merge file count as well.
    TempInstallation inst;
    inst.writeLines(
        QStringLiteral("C:\\BRIVANEL\\MAME.lst"),
        {QStringLiteral("[Games]"), QStringLiteral("up=Up"), QStringLiteral("clone=Clone"),
         QStringLiteral("pacman=Pac-Man"), QStringLiteral("[Directories]"), QStringLiteral("up=.."),
         QStringLiteral("pacman=pacroms")});
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.MRG"),
                    {QStringLiteral("[Merged]"), QStringLiteral("clone=..\\..")});
    EmulatorDefinition mame;
    mame.emulatorId = QStringLiteral("MAME");
    const AppContext& ctx = inst.context();
    EXPECT_FALSE(GameStep::ResolveGameNames(ctx, mame, QStringLiteral("up")));
    EXPECT_FALSE(GameStep::ResolveGameNames(ctx, mame, QStringLiteral("clone")));
    EXPECT_TRUE(GameStep::ResolveGameNames(ctx, mame, QStringLiteral("pacman")));
    EXPECT_EQ(GameDirectoryName(ctx, mame, QStringLiteral("up")), QStringLiteral("up"));
    EXPECT_EQ(ParentName(ctx, mame, QStringLiteral("clone")), QStringLiteral("clone"));
    EXPECT_EQ(GameDirectoryName(ctx, mame, QStringLiteral("pacman")), QStringLiteral("pacroms"));
}

TEST(ListFileGames, ReadsTheFileOrNothing) {
    TempInstallation inst;
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\A.LST"),
                   QByteArray("[Games]\nabc=ABC\r\nd\xE9=Caf\xE9\r"));
    const DosFileSystem fs = inst.fs();
    EXPECT_EQ(ListFileGames::ReadGameNames(fs, QStringLiteral("C:\\BRIVANEL\\a.lst")),
              (QStringList{QStringLiteral("abc"), QStringLiteral("dé")}));
    EXPECT_TRUE(ListFileGames::ReadGameNames(fs, QStringLiteral("C:\\BRIVANEL\\B.LST")).isEmpty());
}
