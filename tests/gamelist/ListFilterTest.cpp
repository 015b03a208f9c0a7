#include <gtest/gtest.h>

#include <algorithm>

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

// The lists' order is a stable sort ignoring case; the keys follow their items.
TEST(ListFilterTest, SortingOrdersAsTheCaseBlindComparisonAndKeepsKeysWithItems) {
    QStringList items;
    for (const char* name :
         {"pac-man",     "Zaxxon",   "PAC-MAN", "abc",    "ab_",     "AB",        "[ Ms. Pac-Man ]",
          "Pac-Man",     "Éclair",   "eclair",  "Straße", "STRASSE", "\u212Aing", "king",
          "KING",        "\u017Fun", "sun",     "",       "1942",    "Ω",         "ω",
          "z\U0001F600", "zz",       "Pokémon", "POKÉMON"}) {
        items << q(name);
    }
    QStringList expected = items;
    std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    ListFilter::Keys keys;
    keys.sortAndAssign(items);
    EXPECT_EQ(items, expected);
    ListFilter::Keys fresh;
    fresh.assign(items);
    for (const char* needle : {"pac", "strasse", "king", "e", ""}) {
        EXPECT_EQ(keys.matching(q(needle)), fresh.matching(q(needle))) << needle;
    }
}

}  // namespace
