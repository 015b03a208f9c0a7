#include "batch/CommandLine.h"
#include "support/Text.h"

#include <gtest/gtest.h>

TEST(CommandLine, QuotesGroupBlanksAndAreDropped) {
    const CommandLine cmd =
        CommandLine::parse(q("\"C:\\Program Files\\B.EXE\"  a\t\"b c\" d\"e f\"g \"\""));
    EXPECT_EQ(cmd.words, (QStringList{q("C:\\Program Files\\B.EXE"), q("a"), q("b c"), q("de fg"),
                                      QString()}));
    EXPECT_EQ(cmd.quoted, (QList<bool>{true, false, true, true, true}));
    EXPECT_TRUE(cmd.error.isEmpty());
}

TEST(CommandLine, RedirectionsAreCutOutWhereverTheyStand) {
    CommandLine cmd = CommandLine::parse(q("E -listfull > C:\\BRIVANEL\\MAME.!!!"));
    EXPECT_EQ(cmd.words, (QStringList{q("E"), q("-listfull")}));
    EXPECT_EQ(cmd.output.target, q("C:\\BRIVANEL\\MAME.!!!"));
    EXPECT_FALSE(cmd.output.append);

    cmd = CommandLine::parse(q("E x>>\"C:\\A B\\O.TXT\" y <IN.TXT"));
    EXPECT_EQ(cmd.words, (QStringList{q("E"), q("x"), q("y")}));
    EXPECT_EQ(cmd.output.target, q("C:\\A B\\O.TXT"));
    EXPECT_TRUE(cmd.output.append);
    EXPECT_EQ(cmd.input, q("IN.TXT"));

    cmd = CommandLine::parse(q("echo a \">\" b"));
    EXPECT_TRUE(cmd.output.target.isEmpty());
    EXPECT_EQ(cmd.words, (QStringList{q("echo"), q("a"), q(">"), q("b")}));

    EXPECT_EQ(CommandLine::parse(q("E >")).error, q("Syntax error"));
    EXPECT_TRUE(CommandLine::parse(q("E | more")).error.startsWith(q("Pipes")));
}

TEST(CommandLine, GluedDosFormsAreSplit) {
    EXPECT_EQ(CommandLine::parse(q("cd..")).words, (QStringList{q("cd"), q("..")}));
    EXPECT_EQ(CommandLine::parse(q("CD\\MAME x")).words,
              (QStringList{q("CD"), q("\\MAME"), q("x")}));
    EXPECT_EQ(CommandLine::parse(q("cdrom.exe")).words, QStringList{q("cdrom.exe")});
    const CommandLine echo = CommandLine::parse(q("echo.hello  world > OUT.TXT"));
    EXPECT_EQ(echo.words.first(), q("echo"));
    EXPECT_EQ(echo.tail.trimmed(), q("hello  world"));
}
