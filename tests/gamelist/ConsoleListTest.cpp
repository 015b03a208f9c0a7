// Short and full names of console games made from ROM file names.
#include <gtest/gtest.h>

#include "gamelist/ConsoleList.h"
#include "platform/ScriptWord.h"
#include "support/TempInstallation.h"

namespace {

struct Named {
    const char16_t* file;
    const char16_t* shortName;
    const char16_t* fullName;
};

TEST(ConsoleList, NamesFromFileNames) {
    const Named cases[] = {
        {u"Super Mario Bros. 3 (USA).nes", u"SUPERMARIOBROS3USA", u"Super Mario Bros. 3 (USA)"},
        // Its own name would find the ROM beside the archive as well.
        {u"Zelda.nes", u"ZELDA_1", u"Zelda"},
        {u"Pokémon Ñandú.nes", u"POKEMONNANDU", u"Pokémon Ñandú"},
        {u"日本語のゲーム.nes", u"GAME", u"日本語のゲーム"},
        {u"A very long title that goes on and on.nes", u"AVERYLONGTITLETHATGO",
         u"A very long title that goes on and on"},
        {u"Tab\there .nes", u"TABHERE", u"Tab here"},
        {u"\"Quoted\" = Odd; [name].nes", u"QUOTEDODDNAME", u"\"Quoted\" = Odd; [name]"},
        // Two files giving one short name; a later file's own name is kept free too.
        {u"Tetris!.nes", u"TETRIS_1", u"Tetris!"},
        {u"TETRIS.nes", u"TETRIS_2", u"TETRIS"},
        {u"Tetris.NES", u"TETRIS_3", u"Tetris (2)"},
        {u"noextension", u"NOEXTENSION_1", u"noextension"},
    };
    QStringList files;
    for (const Named& c : cases) {
        files << QString::fromUtf16(c.file);
    }
    const std::vector<ConsoleList::Game> games = ConsoleList::NameGames(files);
    ASSERT_EQ(games.size(), std::size(cases));
    for (size_t i = 0; i < games.size(); ++i) {
        SCOPED_TRACE(files[qsizetype(i)].toStdString());
        EXPECT_EQ(games[i].file, files[qsizetype(i)]);
        EXPECT_EQ(games[i].shortName, QString::fromUtf16(cases[i].shortName));
        EXPECT_EQ(games[i].fullName, QString::fromUtf16(cases[i].fullName));
        EXPECT_TRUE(ScriptWord::isSafe(games[i].shortName, ScriptWord::Kind::Name));
    }
    EXPECT_EQ(ConsoleList::ListLines({games[0], games[6]}),
              (QStringList{u"[Games]"_qs, u"SUPERMARIOBROS3USA=\"Super Mario Bros. 3 (USA)\""_qs,
                           u"QUOTEDODDNAME=\"\"Quoted\" = Odd; [name]\""_qs}));
}

TEST(ConsoleList, UnreadableFolderWritesAnEmptyListAndUnwritableListIsReported) {
    TempInstallation inst;
    const ConsoleList::Written none = ConsoleList::WriteFolder(
        inst.host(u"D:\\MISSING"_qs), u"nes"_qs, inst.host(u"C:\\BRIVANEL\\NES.lst"_qs));
    EXPECT_EQ(none.games, 0);
    EXPECT_TRUE(none.problems.isEmpty());
    EXPECT_EQ(inst.readFile(u"C:\\BRIVANEL\\NES.lst"_qs), QByteArray("[Games]\r\n"));

    inst.writeFile(u"D:\\NES\\Game.nes"_qs, "rom");
    const ConsoleList::Written blocked = ConsoleList::WriteFolder(
        inst.host(u"D:\\NES"_qs), u"nes"_qs, inst.host(u"C:\\NOFOLDER\\NES.lst"_qs));
    EXPECT_EQ(blocked.problems.size(), 1);
    EXPECT_FALSE(inst.fs().exists(u"C:\\NOFOLDER\\NES.lst"_qs));
}

}  // namespace
