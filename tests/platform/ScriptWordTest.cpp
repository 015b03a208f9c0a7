#include <gtest/gtest.h>

#include "platform/ScriptWord.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

using ScriptWord::Kind;

TEST(ScriptWord, TellsWhichWordsALineMayHold) {
    struct Case {
        const char* word;
        Kind kind;
        const char* problem;  // "" when the word is safe
    };
    const Case cases[] = {
        {"PACMAN", Kind::Name, ""},
        {"pacman.zip", Kind::Name, ""},
        {"Pokémon", Kind::Name, ""},
        {"sf2(ce)!", Kind::Name, ""},
        {"", Kind::Name, "is empty"},
        {"pac man", Kind::Name, "holds a blank"},
        {"x\t..", Kind::Name, "holds a blank"},
        {"evil>C:\\x", Kind::Name, "holds the character >"},
        {"a\"b", Kind::Name, "holds the character \""},
        {"a|b", Kind::Name, "holds the character |"},
        {"a&b", Kind::Name, "holds the character &"},
        {"a^b", Kind::Name, "holds the character ^"},
        {"%sn%", Kind::Name, "holds the character %"},
        {"a\x01", Kind::Name, "holds a control character"},
        {"..", Kind::Name, "leaves its folder (\"..\")"},
        {"...", Kind::Name, "leaves its folder (\"...\")"},
        {"a\\b", Kind::Name, "holds the character \\"},
        {"C:x", Kind::Name, "holds the character :"},
        {"pac*", Kind::Name, "holds a wildcard where one file is meant"},
        {"C:\\MAME\\ROMS\\", Kind::Path, ""},
        {"C:\\MAME\\MAME.EXE", Kind::Path, ""},
        {"hi\\x.hi", Kind::Path, ""},
        {"C:", Kind::Path, ""},
        {"C:\\", Kind::Path, ""},
        {"C:MAME", Kind::Path, "names a folder relative to a drive"},
        {"C:\\MAME\\..\\X", Kind::Path, "leaves its folder (\"..\")"},
        {"C:\\MAME\\\\X", Kind::Path, "has an empty component"},
        {"C:\\MAME\\*.*", Kind::Path, "holds a wildcard where one file is meant"},
        {"C:\\PROGRA~1\\X", Kind::Path, ""},
        {"a/b", Kind::Path, "holds the character /"},
        {"C:\\P\\PACMAN\\*.*", Kind::Pattern, ""},
        {"C:\\P\\*\\X", Kind::Pattern, "holds a wildcard where one file is meant"},
        {"C:\\P\\x y\\*.*", Kind::Pattern, "holds a blank"},
        {"hi\\pacman.hi", Kind::StateFile, ""},
        {"pacman\\%sn%.nv", Kind::StateFile, ""},
        {"hi\\%SN%.hi", Kind::StateFile, "holds the character %"},
        {"hi\\x .. y.hi", Kind::StateFile, "holds a blank"},
        {"C:\\hi\\x.hi", Kind::StateFile, "does not lie below the emulator's folder"},
        {"\\x.hi", Kind::StateFile, "does not lie below the emulator's folder"},
        {"hi\\..\\..\\x.hi", Kind::StateFile, "leaves its folder (\"..\")"},
        {"hi\\*.hi", Kind::StateFile, "holds a wildcard where one file is meant"},
        {"C:\\Program Files\\B&B\\B.EXE", Kind::Quoted, ""},
        {"C:\\a\"b", Kind::Quoted, "holds the character \""},
        {"C:\\%PATH%", Kind::Quoted, "holds the character %"},
        {"Pong (Rev E) [TTL]", Kind::LongName, ""},
        {"x ..", Kind::LongName, ""},
        {"a\\b", Kind::LongName, "holds the character \\"},
        {"..", Kind::LongName, "leaves its folder (\"..\")"},
        {"C:\\MY ROMS\\A>B.ZIP", Kind::LongPath, ""},
        {"C:\\ROMS\\..\\X", Kind::LongPath, "leaves its folder (\"..\")"},
        {"C:\\ROMS\\*.ZIP", Kind::LongPath, "holds a wildcard where one file is meant"},
        {"C:\\ROMS\\\x01", Kind::LongPath, "holds a control character"},
        // Devices in every folder and with any extension, to DOS and DOSBox.
        {"NUL.SAV", Kind::Name, "names the DOS device \"NUL.SAV\", not a file"},
        {"C:\\SAVE\\aux", Kind::Path, "names the DOS device \"aux\", not a file"},
        {"C:\\Con\\*.*", Kind::Pattern, "names the DOS device \"Con\", not a file"},
        {"hi\\%sn%\\com1.hi", Kind::StateFile, "names the DOS device \"com1.hi\", not a file"},
        {"LPT9.X", Kind::LongName, "names the DOS device \"LPT9.X\", not a file"},
        {"C:\\PRN.TXT", Kind::LongPath, "names the DOS device \"PRN.TXT\", not a file"},
        {"CONSOLE", Kind::Name, ""},
        {"COM10.BIN", Kind::Name, ""},
        {"LPT0", Kind::Name, ""},
        {"NULL.SAV", Kind::Name, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScriptWord::problem(q(c.word), c.kind), q(c.problem)) << c.word;
    }
}

TEST(ScriptWord, WordsKeepTheFirstRefusalAndHandTheWordBack) {
    const TempInstallation inst;
    ScriptWords words(inst.fs());
    EXPECT_EQ(words.name(q("PACMAN"), u"the ROM name"), q("PACMAN"));
    EXPECT_TRUE(words.ok());
    EXPECT_EQ(words.path(q("ROMS\\x .."), u"the ROM folder"), q("ROMS\\x .."));
    words.name(q("a>b"), u"the short name");
    EXPECT_FALSE(words.ok());
    words.refuse(q("the work folder is there already"));
    EXPECT_EQ(words.refusal(), q("the ROM folder \"ROMS\\x ..\" holds a blank"));
    EXPECT_EQ(words.message(q("\"Pac Man\" cannot be played")),
              q("\"Pac Man\" cannot be played: the ROM folder \"ROMS\\x ..\" holds a blank."));
    // An unset tool is no word of the script; a set one is checked.
    ScriptWords tools(inst.fs());
    EXPECT_EQ(tools.tool(QString(), u"the PKZIP location"), QString());
    EXPECT_TRUE(tools.ok());
    tools.tool(q("C:\\Program Files\\PKZIP.EXE"), u"the PKZIP location");
    EXPECT_EQ(tools.refusal(),
              q("the PKZIP location \"C:\\Program Files\\PKZIP.EXE\" holds a blank"));
}

// Made is what the script makes and may then delete: it must not be there,
// under any name DOS would take for it. Purpose is what the command is for.
TEST(ScriptWord, MadeMustBeAbsentAndFoldersOnTheWayAreMadeToo) {
    const TempInstallation inst;
    inst.writeFile(q("C:\\ROMS\\kof\\kof.rom"), "theirs");
    inst.writeFile(q("C:\\ROMS\\Long Name.zip"), "theirs");
    const struct {
        const char* path;
        const char* effect;  // the first path that is not there; "" when refused
    } cases[] = {
        {"C:\\ROMS\\pacman", "C:\\ROMS\\pacman"},
        {"C:\\ROMS\\NEW\\A\\B.ROM", "C:\\ROMS\\NEW"},
        {"C:\\ROMS\\KOF", ""},
        {"C:\\ROMS\\\u212Aof", ""},  // the Kelvin sign folds to k
        {"C:\\ROMS\\LONGNA~1.ZIP", ""},
    };
    for (const auto& c : cases) {
        ScriptWords words(inst.fs());
        EXPECT_EQ(words.made(q(c.path), u"the folder"), q(c.path));
        EXPECT_EQ(words.ok(), *c.effect != 0) << c.path;
        if (words.ok()) {
            ASSERT_EQ(words.effects().size(), 1u);
            EXPECT_EQ(words.effects()[0].path, q(c.effect));
            EXPECT_TRUE(words.effects()[0].made);
        } else {
            EXPECT_EQ(words.refusal(), u"the folder \"" + q(c.path) +
                                           u"\" is there already, and a script deletes or "
                                           u"overwrites only what it made");
        }
    }
    ScriptWords words(inst.fs());
    words.purpose(q("C:\\ROMS\\kof"));
    EXPECT_TRUE(words.ok());
    EXPECT_FALSE(words.effects()[0].made);
    // A drive that no folder is mapped to: nothing there is anyone's to touch.
    words.path(q("Q:\\EMU\\QEMU.EXE"), u"the emulator");
    EXPECT_EQ(words.refusal(),
              q("the emulator \"Q:\\EMU\\QEMU.EXE\" lies on drive Q:, which is not mapped"));
}
