#include "batch/DosWildcard.h"
#include "support/Text.h"

#include <gtest/gtest.h>

#include <string>

TEST(DosWildcard, MatchesIgnoringCaseWithDosRules) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } rows[] = {
        {"*.*", "README", true},
        {"*.NES", "mario.nes", true},
        {"*.NES", "mario.fds", false},
        {"FILE????.TXT", "file.txt", true},
        {"FILE????.TXT", "FILE12.TXT", true},
        {"FILE????.TXT", "FILE12345.TXT", false},
        {"A?C", "AC", false},
        {"*.", "README", true},
        {"*.", "A.TXT", false},
        {"PAC*.*", "pacman", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.pattern) + " ~ " + row.name);
        EXPECT_EQ(DosWildcard::matches(q(row.pattern), q(row.name)), row.matches);
    }
    // A pattern built to blow up a naive matcher is still answered.
    EXPECT_FALSE(DosWildcard::matches(QString(4000, u'*') + u'b', QString(200, u'a')));
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
