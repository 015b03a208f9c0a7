// The pads as SDL finds them, through its virtual joystick driver: the real
// SdlJoystick read by the window's polling, every pad plugged in after start.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <memory>
#include <optional>
#include <vector>

#include "app/ui/TFMain.h"
#include "gamelist/ListViewSetup.h"
#include "gamelist/RandomChoice.h"
#include "platform/SdlJoystick.h"
#include "support/VirtualPad.h"
#include "support/ui/WindowDriver.h"

namespace {

// Two axes, two buttons and a hat, as most USB pads SDL has no mapping for.
const VirtualPad::Layout kPlainPad{"Plain Pad", 2, 2, 1};

class PadWindowTest : public ::testing::Test, public ListViewSetup {
protected:
    PadWindowTest() {
        defineEmulator(QStringLiteral("MAME"), QStringLiteral("MAME {Arcade}"),
                       QStringLiteral("MAME"));
        defineEmulator(QStringLiteral("NES"), QStringLiteral("NES {Console}"),
                       QStringLiteral("CONSOLE"));
        for (int i = 0; i < 10; ++i) {
            addGame({QStringLiteral("Game %1").arg(i, 2, 10, QLatin1Char('0')),
                     QStringLiteral("MAME")});
        }
        addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
        setRoot(QStringLiteral("Current"), QStringLiteral("Game 05"));
        inst.joystick.device = &pads;
    }

    // The window is started without a pad.
    void SetUp() override {
        if (const QString reason = VirtualPad::unusableBecause(); !reason.isEmpty()) {
            GTEST_SKIP() << reason.toStdString();
        }
        main = std::make_unique<TFMain>(inst.context());
        main->FormActivate();
        ASSERT_EQ(arcade().itemIndex(), 5);
    }

    void tick(int ticks) { runTimer(*main, QStringLiteral("Timer2"), ticks); }
    GameListWidget& arcade() const { return listBox(*main, QStringLiteral("LBArcade")); }

    SdlJoystick pads;
    std::unique_ptr<TFMain> main;
};

TEST_F(PadWindowTest, AStickPluggedInAfterStartStepsEveryOtherTickUntilPulledOut) {
    std::optional<VirtualPad> pad(std::in_place, kPlainPad);
    tick(1);  // found, its stick at rest
    pad->axis(1, 32767);
    std::vector<int> indexes;
    runTimer(*main, QStringLiteral("Timer2"), 6, [&] { indexes.push_back(arcade().itemIndex()); });
    EXPECT_EQ(indexes, (std::vector<int>{5, 6, 6, 7, 7, 8}));  // one item per 100 ms

    // Pulled out while held: it stops.
    pad.reset();
    tick(4);
    EXPECT_EQ(arcade().itemIndex(), 8);

    pad.emplace(kPlainPad);
    tick(1);
    pad->axis(1, -32768);
    tick(4);
    EXPECT_EQ(arcade().itemIndex(), 6);
    // The polled pads leave nothing in SDL's event queue, which nobody reads.
    EXPECT_FALSE(SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT));
}

// A pad SDL has no mapping for is read by its hat and buttons 0 and 1; one it
// has a mapping for (given here as SDL_GAMECONTROLLERCONFIG gives it) by its
// d-pad, A and B, wherever they are on the pad.
struct PadKind {
    VirtualPad::Layout layout;
    const char* mapping;
    int dpadDown;  // the button that is the d-pad's down, or -1 for the hat
    int button1;
    int button2;
};

const PadKind kPadKinds[] = {
    {kPlainPad, "", -1, 0, 1},
    {{"Mapped Pad", 2, 6, 0},
     "a:b4,b:b5,dpup:b0,dpdown:b1,dpleft:b2,dpright:b3,leftx:a0,lefty:a1",
     1,
     4,
     5},
};

TEST_F(PadWindowTest, TheDPadStepsButtonTwoPicksOnceButtonOnePlays) {
    for (const PadKind& kind : kPadKinds) {
        SCOPED_TRACE(kind.layout.name);
        arcade().setItemIndex(5);
        VirtualPad pad(kind.layout, QString::fromLatin1(kind.mapping));
        const auto pressDown = [&](bool down) {
            if (kind.dpadDown < 0) {
                pad.hat(down ? SDL_HAT_DOWN : SDL_HAT_CENTERED);
            } else {
                pad.button(kind.dpadDown, down);
            }
        };
        tick(1);
        pressDown(true);
        tick(4);
        pressDown(false);
        EXPECT_EQ(arcade().itemIndex(), 7);

        // Held, button 2 picks once; the clock is set so that the pick moves.
        double now = 45123.125;
        while (*RandomChoice::Pick({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, now) == 7) {
            now += 0.001;
        }
        inst.clock.set(now);
        pad.button(kind.button2, true);
        tick(1);
        const int pick = arcade().itemIndex();
        EXPECT_EQ(pick, *RandomChoice::Pick({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, now));
        arcade().setItemIndex(7);
        tick(3);
        pad.button(kind.button2, false);
        EXPECT_EQ(arcade().itemIndex(), 7);

        const QSignalSpy plays(&gameLists(*main), &GameListsPane::playRequested);
        pad.button(kind.button1, true);
        tick(1);
        pad.button(kind.button1, false);
        EXPECT_EQ(plays.count(), 1);
        tick(1);  // released before the pad is pulled out
    }
}

}  // namespace
