#include <gtest/gtest.h>

#include "dosnames/ShortNames.h"
#include "support/Text.h"

namespace {

QStringList numbered(const char* pattern, int first, int last) {
    QStringList out;
    for (int n = first; n <= last; ++n) {
        out << q(pattern).arg(n);
    }
    return out;
}

}  // namespace

TEST(ShortNames, EveryEntryGetsAShortNameOfItsOwn) {
    struct Case {
        const char* what;
        QStringList names;  // in byte order, as a folder is listed
        QStringList expected;
    };
    const Case cases[] = {
        {"siblings counted per stem in sorted order, whatever their extension",
         {q("Long Name A.txt"), q("Long Name B.zip"), q("README.TXT"), q("a.b.c")},
         {q("LONGNA~1.TXT"), q("LONGNA~2.ZIP"), q("README.TXT"), q("AB~1.C")}},
        {"a real name that looks like an alias comes first",
         {q("LONGGA~1.ZIP"), q("LongGameName.zip")},
         {q("LONGGA~1.ZIP"), q("LONGGA~2.ZIP")}},
        {"a real name that looks like an alias comes later, in lower case",
         {q("LongGameName.zip"), q("longga~1.zip")},
         {q("LONGGA~2.ZIP"), q("longga~1.zip")}},
        {"the later of two case twins cannot keep its name",
         {q("GAME.ZIP"), q("game.zip")},
         {q("GAME.ZIP"), q("GAME~1.ZIP")}},
        {"a name of blanks only", {q("   .zip"), q("_~1.ZIP")}, {q("_~2.ZIP"), q("_~1.ZIP")}},
        {"non-ASCII letters are dropped",
         {q("T~1.ZIP"), q("Été.zip")},
         {q("T~1.ZIP"), q("T~2.ZIP")}},
        {"a two-digit number shortens the stem, past a real name",
         QStringList{q("PACMA~10.ZIP")} + numbered("Pac Man %1.zip", 1, 9) << q("Pac Man Z.zip"),
         QStringList{q("PACMA~10.ZIP")} + numbered("PACMAN~%1.ZIP", 1, 9) << q("PACMA~11.ZIP")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortNames::aliases(c.names).join(u' ').toStdString(),
                  c.expected.join(u' ').toStdString())
            << c.what;
    }
}

TEST(ShortNames, TellsValidShortNames) {
    EXPECT_TRUE(ShortNames::isValidShortName(q("pacman.zip")));
    EXPECT_FALSE(ShortNames::isValidShortName(q(".hidden")));
    EXPECT_FALSE(ShortNames::isValidShortName(q("NINECHARS.ZIP")));
    EXPECT_FALSE(ShortNames::isValidShortName(q("a b.zip")));
}
