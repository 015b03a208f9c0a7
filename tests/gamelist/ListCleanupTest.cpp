#include "gamelist/ListCleanup.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "platform/TextCodec.h"
#include "support/TempInstallation.h"
#include "support/TestEmulator.h"

namespace {

// The rule as it reads: the text, each line followed by CR LF, searched for
// the name and a quote and CR LF, or the name and CR LF.
bool literalRule(const QString& text, const QString& name) {
    QString joined;
    for (const QString& line : TextCodec::splitLines(text)) {
        joined += line + QStringLiteral("\r\n");
    }
    return joined.contains(name + QStringLiteral("\"\r\n")) ||
           joined.contains(name + QStringLiteral("\r\n"));
}

struct ListedCase {
    const char16_t* text;
    const char16_t* name;
    bool listed;
};

TEST(ReferenceLines, AnswersAsTheLineByLineRule) {
    const ListedCase cases[] = {
        {u"[Games]\r\npong=\"Pong (Rev E) [TTL]\"\r\n", u"Pong (Rev E) [TTL]", true},
        {u"[Games]\r\npong=Pong (Rev E) [TTL]\r\n", u"Pong (Rev E) [TTL]", true},
        {u"[Games]\r\npong=Pong (Rev E) [TTL]", u"Pong (Rev E) [TTL]", true},  // last line
        {u"[Games]\npong=Pong\n", u"Pong", true},                              // LF only
        {u"[Games]\rpong=Pong\r", u"Pong", true},                              // CR only
        {u"pong=Pong (Rev E) [TTL] \r\n", u"Pong (Rev E) [TTL]", false},       // blank after
        {u"pong=pong (rev e) [ttl]\r\n", u"Pong (Rev E) [TTL]", false},        // case
        {u"pong=\"Pong\" ; old\r\n", u"Pong", false},
        {u"mspacman=Ms. Pac-Man\r\n", u"Pac-Man", true},  // the tail of another line
        {u"pacmanp=Pac-Man Plus\r\n", u"Pac-Man", false},
        {u"a=Say \"Hi\"\r\n", u"Say \"Hi\"", true},
        {u"a=\"Say \"Hi\"\"\r\n", u"Say \"Hi\"", true},
        {u"a=\"Pong\"\"\r\n", u"Pong", false},
        {u"Pong\r\n", u"Pong", true},
        {u"", u"Pong", false},
        {u"LBName=MAME {Arcade}\r\nType=MAME\r\n", u"MAME {Arcade}", true},
        {u"a=A\r\nB\r\n", u"A\r\nB", true},  // a name holding a line break
        {u"a=A\r\nC\r\n", u"A\r\nB", false},
    };
    for (const ListedCase& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const QString name = QString::fromUtf16(c.name);
        EXPECT_EQ(ListCleanup::ReferenceLines(text).lists(name), c.listed) << text.toStdString();
        EXPECT_EQ(literalRule(text, name), c.listed) << text.toStdString();
    }
}

TEST(ReferenceFiles, ReadsEachFileOnceAndAMissingOneListsNothing) {
    TempInstallation inst;
    const QString path = QStringLiteral("C:\\BRIVANEL\\RAGE.lst");
    inst.writeLines(path, {QStringLiteral("[Games]"), QStringLiteral("pong=Pong")});
    ListCleanup::ReferenceFiles files(inst.context());
    const ListCleanup::ReferenceLines* first = files.lines(path);
    ASSERT_NE(first, nullptr);
    inst.writeLines(path, {QStringLiteral("[Games]")});
    EXPECT_EQ(files.lines(path), first);
    EXPECT_TRUE(files.lines(path)->lists(QStringLiteral("Pong")));
    EXPECT_EQ(files.lines(QStringLiteral("C:\\BRIVANEL\\NONE.lst")), nullptr);
}

TEST(ReferenceFilePath, ListFileForAGameDefinitionForABraceName) {
    TempInstallation inst;
    EmulatorTable emulators;
    emulators.append(testEmulator(QStringLiteral("RAGE")));
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\RAGE.lst"), {QStringLiteral("[Games]")});
    const AppContext& ctx = inst.context();
    const QString dir = ctx.ProgramDirectory();
    const auto path = [&](const char16_t* name, const char16_t* id) {
        return ListCleanup::ReferenceFilePath(ctx, emulators, QString::fromUtf16(name),
                                              QString::fromUtf16(id))
            .value_or(QStringLiteral("<none>"));
    };
    EXPECT_EQ(path(u"Pong", u"RAGE"), dir + u"RAGE.lst");
    EXPECT_EQ(path(u"Pong", u"rage"), QStringLiteral("<none>"));  // IDs compare exactly
    EXPECT_EQ(path(u"Pong", u"GONE"), QStringLiteral("<none>"));
    EXPECT_EQ(path(u"RAGE {x}", u"RAGE"), dir + u"RAGE.ini");
    EXPECT_EQ(path(u"Game {Odd}", u"GONE"), dir + u"GONE.ini");
    EXPECT_EQ(path(u"Bad {x}", u"..\\..\\X"), QStringLiteral("<none>"));
}

}  // namespace
