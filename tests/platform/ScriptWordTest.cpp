#include <gtest/gtest.h>

#include "platform/ScriptWord.h"
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
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScriptWord::problem(q(c.word), c.kind), q(c.problem)) << c.word;
    }
}

TEST(ScriptWord, WordsKeepTheFirstRefusalAndHandTheWordBack) {
    ScriptWords words;
    EXPECT_EQ(words.name(q("PACMAN"), u"the ROM name"), q("PACMAN"));
    EXPECT_TRUE(words.ok());
    EXPECT_EQ(words.path(q("ROMS\\x .."), u"the ROM folder"), q("ROMS\\x .."));
    words.name(q("a>b"), u"the short name");
    EXPECT_FALSE(words.ok());
    EXPECT_EQ(words.refusal(), q("the ROM folder \"ROMS\\x ..\" holds a blank"));
}
