#include "gamelist/ListNavigation.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/EmulatorTable.h"
#include "gamelist/ListViewSetup.h"
#include "gamelist/RandomChoice.h"
#include "support/TestEmulator.h"

namespace {

using ListNavigation::JoystickPolling;
using ListNavigation::JoystickTick;
using ListNavigation::StepVisiblePage;

TEST(StepVisiblePage, StepsOverHiddenPagesAndWrapsAround) {
    // Arcade and Console hidden, three emulator pages and "Single" shown.
    const std::vector<bool> visible{false, false, true, true, true, true};
    EXPECT_EQ(StepVisiblePage(visible, 2, -1), 5);
    EXPECT_EQ(StepVisiblePage(visible, 5, 1), 2);
    EXPECT_EQ(StepVisiblePage(visible, 3, 1), 4);
    EXPECT_EQ(StepVisiblePage({true, false, false}, 0, 1), 0);
    EXPECT_EQ(StepVisiblePage({false, false}, 0, 1), -1);
    EXPECT_EQ(StepVisiblePage({}, -1, 1), -1);
    EXPECT_EQ(StepVisiblePage({true, true, true}, -1, 1), 0);
    EXPECT_EQ(StepVisiblePage({true, true, true}, -1, -1), 2);
}

// One tick against a centre of start-up.
ListNavigation::JoystickCommand tickAt(const JoystickState& stick, JoystickPolling& polling,
                                       int centreX = 32767, int centreY = 32767) {
    return JoystickTick(stick, centreX, centreY, polling);
}

TEST(JoystickTick, MovesBeyondTheThresholdButtonOnePlaysButtonTwoNeedsARelease) {
    JoystickPolling polling;
    EXPECT_EQ(tickAt({32767, 32767 - 25001, false, false}, polling).itemStep, -1);
    polling = {};
    EXPECT_EQ(tickAt({32767, 32767 + 25000, false, false}, polling).itemStep, 0);
    polling = {};
    const auto leftDown = tickAt({1000, 64000, false, false}, polling, 30000, 30000);
    EXPECT_EQ(leftDown.itemStep, 1);
    EXPECT_EQ(leftDown.pageStep, -1);
    // Button 1 plays on every tick, whatever the half-rate flag, and nothing moves.
    for (int tick = 0; tick < 2; ++tick) {
        const auto command = tickAt({0, 0, true, false}, polling);
        EXPECT_TRUE(command.play);
        EXPECT_EQ(command.itemStep, 0);
    }
    // Button 2 held since start-up chooses nothing until it has been released.
    polling = {};
    EXPECT_FALSE(tickAt({32767, 32767, false, true}, polling).chooseRandom);
    tickAt({}, polling);
    EXPECT_TRUE(tickAt({32767, 32767, false, true}, polling).chooseRandom);
}

TEST(JoystickTick, TheDPadStepsAsTheStickAndAPadFoundRestsAtItsCentre) {
    struct Case {
        JoystickState stick;
        int itemStep;
        int pageStep;
    };
    const Case cases[] = {
        {{.up = true}, -1, 0},
        {{.down = true, .right = true}, 1, 1},
        {{.left = true}, 0, -1},
        {{.button1 = true, .down = true}, 0, 0},  // plays instead
    };
    for (const Case& c : cases) {
        JoystickPolling polling;
        const auto command = tickAt(c.stick, polling);
        EXPECT_EQ(command.itemStep, c.itemStep);
        EXPECT_EQ(command.pageStep, c.pageStep);
    }

    // A pad plugged in later whose stick rests far from the centre of start-up.
    JoystickPolling polling;
    int centreX = 32767;
    int centreY = 32767;
    const auto found =
        JoystickTick({.x = 1000, .y = 64000, .found = true}, centreX, centreY, polling);
    EXPECT_EQ(found.itemStep, 0);
    EXPECT_EQ(found.pageStep, 0);
    EXPECT_EQ(centreX, 1000);
    EXPECT_EQ(centreY, 64000);
    JoystickTick({.x = 1000, .y = 64000}, centreX, centreY, polling);
    EXPECT_EQ(JoystickTick({.x = 1000, .y = 64000 - 25001}, centreX, centreY, polling).itemStep,
              -1);
}

class RandomChoiceTest : public ::testing::Test, public ListViewSetup {
protected:
    RandomChoiceTest() {
        emulators.append(testEmulator(QStringLiteral("MAME"), QStringLiteral("MAME")));
        emulators.append(testEmulator(QStringLiteral("PONG"), QStringLiteral("SINGLE")));
        addGame({QStringLiteral("MAME {x}"), QStringLiteral("MAME"),
                 QStringLiteral("C:\\MAME\\MAME.EXE")});
        addGame({QStringLiteral("PONG {x}"), QStringLiteral("PONG"),
                 QStringLiteral("C:\\PONG\\PONG.EXE")});
        addGame({QStringLiteral("Odd {Braces}"), QStringLiteral("GONE")});
    }
    EmulatorTable emulators;
};

TEST_F(RandomChoiceTest, CandidatesAreGamesNotMissingOnesNorMultiGameEmulators) {
    const QStringList items{u"[ Galaxian ]"_qs, u"Frogger"_qs,  u"MAME {x}"_qs,
                            u"Odd {Braces}"_qs, u"PONG {x}"_qs, u"Pong (Rev E) [TTL]"_qs};
    EXPECT_EQ(RandomChoice::Candidates(inst.context(), emulators, items, false),
              (std::vector<int>{1, 3, 4, 5}));
    const QStringList counted{u"0000 [ Galaxian ]"_qs, u"12345 Frogger"_qs, u"0003 MAME {x}"_qs};
    EXPECT_EQ(RandomChoice::Candidates(inst.context(), emulators, counted, true),
              (std::vector<int>{1}));
    EXPECT_TRUE(
        RandomChoice::Candidates(inst.context(), emulators, {u"[ A ]"_qs, u"MAME {x}"_qs}, false)
            .empty());
}

TEST(RandomChoicePick, ReachesEveryCandidateAndNothingElse) {
    const std::vector<int> candidates{2, 5, 11};
    std::set<int> picked;
    for (int i = 0; i < 200; ++i) {
        picked.insert(*RandomChoice::Pick(candidates, 45000.5 + i / 86400000.0));
    }
    EXPECT_EQ(picked, (std::set<int>{2, 5, 11}));
    EXPECT_EQ(RandomChoice::Pick(candidates, 45000.25), RandomChoice::Pick(candidates, 45000.25));
    EXPECT_FALSE(RandomChoice::Pick({}, 45000.5).has_value());
}

}  // namespace
