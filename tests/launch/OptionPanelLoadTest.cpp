#include "launch/OptionPanelLoad.h"

#include <gtest/gtest.h>

#include "support/TestEmulator.h"

TEST(PanelLayout, EmptyListSectionAndSeparateCaptionAndHintFallbacks) {
    EmulatorDefinition d = testEmulator(QStringLiteral("MAME"));
    d.checks[size_t(index(CheckGroup::Cheat))] = {
        true, QString(), QStringLiteral("Cheats"), {}, {}};
    d.lists[size_t(index(ListGroup::Sound))] = {true, {}, {}};
    const PanelLayout layout = PanelLayoutFor(&d);
    EXPECT_EQ(layout.checks[size_t(index(CheckGroup::Cheat))].caption, QStringLiteral("Chea&t!"));
    EXPECT_EQ(layout.checks[size_t(index(CheckGroup::Cheat))].hint, QStringLiteral("Cheats"));
    EXPECT_TRUE(layout.lists[size_t(index(ListGroup::Sound))].visible);
    EXPECT_TRUE(layout.lists[size_t(index(ListGroup::Sound))].items.isEmpty());
}

TEST(PanelLayout, LineCountNumbers) {
    const struct {
        const char* text;
        std::optional<int> number;
    } rows[] = {{" 7 ", 7}, {"-3", -3}, {"", std::nullopt}, {"8 lines", std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(LinesOffscreenNumber(QString::fromUtf8(row.text)), row.number);
    }
}
