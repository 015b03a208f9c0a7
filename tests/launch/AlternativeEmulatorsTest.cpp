#include "launch/AlternativeEmulators.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "support/TestEmulator.h"

TEST(AlternativeEmulators, NumbersCountOnPastNineAndSortAcrossThem) {
    EmulatorTable emulators;
    std::vector<AlternativeEmulator> pairs;
    for (int i = 0; i < 11; ++i) {
        const QString id = u"E%1"_qs.arg(10 - i, 2, 10, QLatin1Char('0'));
        emulators.append(testEmulator(id));
        pairs.push_back({id, id.toLower()});
    }
    // Index 1 is E10, the entry's own emulator.
    const auto tidied = TidiedAlternativeEmulators(pairs, emulators, 1);
    ASSERT_EQ(tidied.size(), 10u);
    EXPECT_EQ(tidied.front().emulatorId, u"E00"_qs);
    EXPECT_EQ(tidied.back().emulatorId, u"E09"_qs);
}
