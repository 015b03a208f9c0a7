#include <gtest/gtest.h>

#include <string>

#include "dosnames/DosCase.h"
#include "dosnames/DosWildcard.h"
#include "support/Text.h"

// del, copy and attrib in scripts match host names as text, PKZIP and PKUNZIP
// match archive entries as bytes: both must read a pattern alike.
TEST(DosWildcard, TextAndBytesMatchWithDosRules) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } rows[] = {
        {"*", "a.b", true},
        {"*.*", "README", true},
        {"*.*", "pacman.6e", true},
        {"*.NES", "mario.nes", true},
        {"*.NES", "mario.fds", false},
        {"PAC*.*", "pacman", true},
        {"pac*.zip", "pacman.zi", false},
        {"a*b*c", "aXbYbZc", true},
        // "?" is one character, never the dot; trailing ones may be none.
        {"?", "ab", false},
        {"A?C", "AC", false},
        {"A?C", "A.C", false},
        {"*.6?", "PACMAN.6E", true},
        {"*.6?", "pacman.5e", false},
        {"*.6?", "pacman.6", true},
        {"FILE????.TXT", "file.txt", true},
        {"FILE????.TXT", "FILE12.TXT", true},
        {"FILE????.TXT", "FILE12345.TXT", false},
        {"FILE????", "FILE.TXT", false},
        // A pattern ending in one dot takes names without an extension.
        {"*.", "README", true},
        {"*.", "A.TXT", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.pattern) + " ~ " + row.name);
        EXPECT_EQ(DosWildcard::matches(q(row.pattern), q(row.name)), row.matches);
        EXPECT_EQ(DosWildcard::matches(std::string_view(row.pattern), std::string_view(row.name)),
                  row.matches);
    }
    // A pattern built to blow up a naive matcher is still answered.
    EXPECT_FALSE(DosWildcard::matches(QString(QString(4000, u'*') + u'b'), QString(200, u'a')));
}

// Bytes that spell UTF-8 fold as the text does (the ZIP tools and the
// interpreter must take the same names for one); other bytes fold their
// ASCII letters only.
TEST(DosWildcard, BytesFoldAsTextWhenTheySpellUtf8) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } rows[] = {
        {"ÉTÉ.TXT", "été.txt", true},
        {"\xE2\x84\xAAOF", "kof", true},  // the Kelvin sign
        {"\xC9T\xC9.TXT", "\xC9t\xC9.txt", true},
        {"\xC9.TXT", "\xE9.txt", false},
        {"ÉTÉ.TXT", "\xC9T\xC9.TXT", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " ~ " + row.b);
        EXPECT_EQ(DosCase::same(std::string_view(row.a), std::string_view(row.b)), row.same);
        EXPECT_EQ(DosCase::fold(std::string_view(row.a)) == DosCase::fold(std::string_view(row.b)),
                  row.same);
    }
    EXPECT_TRUE(DosCase::same(q("ÉTÉ.TXT"), q("été.txt")));
    EXPECT_TRUE(DosWildcard::matches(q("É*.TXT"), q("été.txt")));
    EXPECT_TRUE(DosWildcard::matches(std::string_view("É*.TXT"), std::string_view("été.txt")));
    EXPECT_TRUE(DosWildcard::matches(std::string_view("?T?.TXT"), std::string_view("été.txt")));
    EXPECT_EQ(DosCase::fold(std::string_view("PKUNZIP.EXE")), "pkunzip.exe");
}

TEST(DosWildcard, RenamePatternsKeepTheFilesParts) {
    const struct {
        const char* pattern;
        const char* name;
        const char* renamed;
    } rows[] = {
        {"*.LST", "MAME.!!!", "MAME.LST"},   {"*.*", "a.b", "a.b"},
        {"?X*.TXT", "abcd.doc", "aXcd.TXT"}, {"*", "a.b", "a.b"},
        {"*.BAK", "noext", "noext.BAK"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.pattern) + " ~ " + row.name);
        EXPECT_EQ(DosWildcard::applyRenamePattern(q(row.pattern), q(row.name)), q(row.renamed));
    }
}
