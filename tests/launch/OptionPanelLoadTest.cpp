#include "launch/OptionPanelLoad.h"

#include <gtest/gtest.h>

#include "support/TestEmulator.h"

TEST(PanelLayout, EmptyListSectionAndSeparateCaptionAndHintFallbacks) {
    EmulatorDefinition d = testEmulator(u"MAME"_qs);
    d.checks[size_t(index(CheckGroup::Cheat))] = {true, QString(), u"Cheats"_qs, {}, {}};
    d.lists[size_t(index(ListGroup::Sound))] = {true, {}, {}};
    const PanelLayout layout = PanelLayoutFor(&d);
    EXPECT_EQ(layout.checks[size_t(index(CheckGroup::Cheat))].caption, u"Chea&t!"_qs);
    EXPECT_EQ(layout.checks[size_t(index(CheckGroup::Cheat))].hint, u"Cheats"_qs);
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
