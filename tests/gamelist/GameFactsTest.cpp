#include "gamelist/GameFacts.h"

#include <gtest/gtest.h>

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"

TEST(GameFacts, SummaryNamesTheDriverOnlyWhenNotGood) {
    const struct {
        MachineFacts facts;
        const char16_t* shown;
    } cases[] = {
        {{u"1972"_qs, u"Atari"_qs, u"good"_qs}, u"1972, Atari"},
        {{u"1981"_qs, u"Nintendo"_qs, u"imperfect"_qs}, u"1981, Nintendo (imperfect)"},
        {{u"199?"_qs, {}, u"preliminary"_qs}, u"199? (preliminary)"},
        {{{}, {}, {}}, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GameFacts::Summary(c.facts), QString::fromUtf16(c.shown));
    }
}

TEST(GameFacts, ABuildThatReadsThemAgainPutsEveryFactRight) {
    TempInstallation inst;
    const AppContext& ctx = inst.context();
    SettingsStore entry = ctx.store();
    ASSERT_TRUE(entry.OpenKey(StorePaths::Entry(u"Tester"_qs), true));
    // An older MAME called it a device; a newer one lists it as a game.
    GameFacts::FlagUnlisted(ctx, u"Tester"_qs, {u"1990"_qs, u"Old"_qs, u"preliminary"_qs, true});
    EXPECT_EQ(GameFacts::Read(entry).device, true);
    const MachineFacts now{u"1991"_qs, u"New"_qs, u"good"_qs, false, false, true};
    GameFacts::Write(entry, now);
    EXPECT_EQ(GameFacts::Read(entry), now);
    // An entry the store does not have is not made for a device.
    GameFacts::FlagUnlisted(ctx, u"1-Bit DAC"_qs, {{}, {}, {}, true});
    EXPECT_FALSE(entry.KeyExists(StorePaths::Entry(u"1-Bit DAC"_qs)));
}
