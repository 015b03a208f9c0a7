// The order of "Recently Played": the plays start-up counts, numbered as it
// counts them.
#include "gamelist/RecentPlays.h"

#include <gtest/gtest.h>

#include "app/StartupLogic.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"

namespace {

struct Launch {
    QString game;
    double daysBeforeStart;  // from the launch to the next start-up
};

// Each launch as the program meets it: "Current" and "Time" written at the
// shutdown, the play counted by the next start.
QStringList latestAfter(const std::vector<Launch>& launches, int games) {
    TempInstallation inst;
    SettingsStore store(inst.database());
    for (int i = 1; i <= games; ++i) {
        EXPECT_TRUE(store.OpenKey(StorePaths::Entry(u"Game %1"_qs.arg(i)), true));
    }
    const double now = 45000.0;
    for (const Launch& launch : launches) {
        EXPECT_TRUE(store.OpenKey(StorePaths::Root(), true));
        store.WriteString(u"Current"_qs, launch.game);
        store.WriteDateTime(u"Time"_qs, now - launch.daysBeforeStart);
        StartupLogic::CountPlay(store, now);
    }
    return RecentPlays::Latest(inst.context());
}

TEST(RecentPlays, LatestCountedPlaysFirstEachGameOnce) {
    const double counted = 0.0004;
    const double tooShort = 0.0003;
    std::vector<Launch> eleven;
    QStringList lastTen;
    for (int i = 1; i <= 11; ++i) {
        eleven.push_back({u"Game %1"_qs.arg(i), counted});
        if (i > 1) {
            lastTen.prepend(u"Game %1"_qs.arg(i));
        }
    }
    const struct {
        const char* what;
        std::vector<Launch> launches;
        QStringList latest;
    } cases[] = {
        {"nothing counted yet", {}, {}},
        {"a replay moves the game up",
         {{u"Game 1"_qs, counted}, {u"Game 2"_qs, counted}, {u"Game 1"_qs, counted}},
         {u"Game 1"_qs, u"Game 2"_qs}},
        {"a play too short to count moves nothing",
         {{u"Game 1"_qs, counted}, {u"Game 2"_qs, counted}, {u"Game 1"_qs, tooShort}},
         {u"Game 2"_qs, u"Game 1"_qs}},
        {"a game removed before the count numbers nothing",
         {{u"Game 1"_qs, counted}, {u"Removed"_qs, counted}, {u"Game 2"_qs, counted}},
         {u"Game 2"_qs, u"Game 1"_qs}},
        {"ten at most", eleven, lastTen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(latestAfter(c.launches, 11), c.latest);
    }
}

}  // namespace
