#include <gtest/gtest.h>

#include "gamelist/ListFilter.h"
#include "support/Text.h"

namespace {

TEST(ListFilterTest, FoldingIgnoresCaseAndAccents) {
    const struct {
        const char* text;
        const char* folded;
    } cases[] = {
        {"Pac-Man (Midway)", "pac-man (midway)"},
        {"PAC-MAN", "pac-man"},
        {"Pokémon Señor", "pokemon senor"},
        {"ÉCLAIR À LA CRÈME", "eclair a la creme"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListFilter::fold(q(c.text)), q(c.folded)) << c.text;
    }
}

TEST(ListFilterTest, RowsContainingTheTextAnywhereAlsoWhenNarrowing) {
    ListFilter::Keys keys;
    keys.assign({QStringLiteral("[ Ms. Pac-Man ]"), QStringLiteral("Galaxian"),
                 QStringLiteral("Pac-Man (Midway)"), q("Pokémon Puzzle")});
    keys.insert(1, QStringLiteral("Puck Man"));
    const struct {
        const char* needle;
        std::vector<int> rows;
    } cases[] = {
        {"pac", {0, 3}}, {"man", {0, 1, 3}},    {"e", {4}},       {"mon", {4}},
        {"xyz", {}},     {"", {0, 1, 2, 3, 4}}, {"-man (m", {3}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keys.matching(ListFilter::fold(q(c.needle))), c.rows) << c.needle;
    }
    const std::vector<int> pa = keys.matching(QStringLiteral("pa"));
    EXPECT_EQ(keys.matching(QStringLiteral("pac"), &pa), (std::vector<int>{0, 3}));
}

}  // namespace
