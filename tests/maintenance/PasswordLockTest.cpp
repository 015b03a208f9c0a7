// The lock's password rules.
#include <gtest/gtest.h>

#include "maintenance/PasswordLock.h"

TEST(PasswordLock, UnlockIgnoresCaseOnly) {
    const struct {
        const char* entered;
        const char* stored;
        bool unlocks;
    } cases[] = {
        {"SECRET", "SeCrEt", true},
        {"secret", "SeCrEt", true},
        {"secret ", "secret", false},
        {"", "", true},
        {"", "x", false},
        {"other", "secret", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PasswordLock::Unlocks(QString::fromUtf8(c.entered), QString::fromUtf8(c.stored)),
                  c.unlocks)
            << c.entered << " / " << c.stored;
    }
    EXPECT_FALSE(PasswordLock::StartsLocked(QString()));
    EXPECT_TRUE(PasswordLock::StartsLocked(QStringLiteral(" ")));
}
