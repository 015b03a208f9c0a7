// "Lock..." / "Unlock...", the lock across a restart, the selection and the Delete key.
#include <QTest>

#include "support/ui/OptionFixture.h"

namespace {

// The menu items the lock disables, in their fixed order.
const char* const kLockable[] = {"Locations1",       "UpdateGameList1", "RemoveALLRegistryKeys1",
                                 "AddSoundSample1",  "Advanced1",       "ResettoEmulatorDefaults1",
                                 "Removefromlist1",  "Addtolist1",      "FixROM1",
                                 "LongNameCleanup1", "Uninstall1"};

class LockTest : public OptionWindowTest {
protected:
    void lockWith(std::optional<QString> entry) {
        inst.dialogs.answerText(std::move(entry), entry ? mrOk : mrCancel);
        item("Lock1").trigger();
    }
    QAction& item(const char* name) { return menuItem(main(), QString::fromLatin1(name)); }
    // How many of the lockable items are enabled.
    int enabledLockable() {
        int enabled = 0;
        for (const char* name : kLockable) {
            enabled += item(name).isEnabled() ? 1 : 0;
        }
        return enabled;
    }
    QString stored() { return readString(StorePaths::Root(), QStringLiteral("Locked")); }
};

TEST_F(LockTest, ThePasswordIsAskedInABoxThatMasksIt) {
    startMain();
    for (const char* step : {"locking", "unlocking"}) {
        lockWith(QStringLiteral("pw"));
        EXPECT_EQ(inst.dialogs.shown().back().kind, QStringLiteral("password")) << step;
    }
    EXPECT_EQ(item("Lock1").text(), QStringLiteral("Lock..."));
}

TEST_F(LockTest, MixedCasePasswordUnlocksInCapitalsAndAWrongOneIsIgnored) {
    startMain();
    lockWith(QStringLiteral("SeCrEt"));
    EXPECT_EQ(inst.dialogs.shown().back().detail, QStringLiteral("Password Entry"));
    EXPECT_EQ(inst.dialogs.shown().back().text, QStringLiteral("Please enter a password:"));
    EXPECT_EQ(item("Lock1").text(), QStringLiteral("Unlock..."));
    EXPECT_EQ(enabledLockable(), 0);
    EXPECT_EQ(stored(), QStringLiteral("SeCrEt"));

    lockWith(QStringLiteral("secret!"));
    EXPECT_EQ(item("Lock1").text(), QStringLiteral("Unlock..."));
    EXPECT_EQ(enabledLockable(), 0);
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());

    lockWith(QStringLiteral("SECRET"));
    EXPECT_EQ(item("Lock1").text(), QStringLiteral("Lock..."));
    EXPECT_EQ(enabledLockable(), int(std::size(kLockable)));
    EXPECT_TRUE(hasValue(StorePaths::Root(), QStringLiteral("Locked")));
    EXPECT_EQ(stored(), QString());
}

TEST_F(LockTest, CancelledEntryLocksAnEmptyOneUnlocksAndARestartStartsUnlocked) {
    startMain();
    const auto locked = [this] { return item("Lock1").text() == QStringLiteral("Unlock..."); };
    lockWith(std::nullopt);
    EXPECT_TRUE(locked());
    EXPECT_FALSE(item("Uninstall1").isEnabled());
    lockWith(QStringLiteral("x"));
    EXPECT_TRUE(locked());
    lockWith(QString());
    EXPECT_FALSE(locked());

    lockWith(QStringLiteral("pw"));
    startMain();
    EXPECT_TRUE(locked());
    EXPECT_FALSE(item("Uninstall1").isEnabled());
    lockWith(QStringLiteral("PW"));
    startMain();
    EXPECT_FALSE(locked());
    EXPECT_TRUE(item("Uninstall1").isEnabled());
}

TEST_F(LockTest, SelectionKeepsTheChangingItemsDisabledWhileLocked) {
    addGame(QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    setValue(StorePaths::Root(), QStringLiteral("PKZIP Path"),
             QStringLiteral("C:\\TOOLS\\PKZIP.EXE"));
    startMain();
    lockWith(QStringLiteral("pw"));
    for (const QString& game : {QStringLiteral("Pac-Man"), QStringLiteral("[ Galaga ]")}) {
        select(game);
        for (const char* name : {"ResettoEmulatorDefaults1", "Removefromlist1", "Addtolist1",
                                 "FixROM1", "Advanced1"}) {
            EXPECT_FALSE(item(name).isEnabled()) << game.toStdString() << ' ' << name;
        }
    }
    lockWith(QStringLiteral("PW"));
    select(QStringLiteral("Pac-Man"));
    EXPECT_TRUE(item("ResettoEmulatorDefaults1").isEnabled());
    EXPECT_TRUE(item("FixROM1").isEnabled());
}

TEST_F(LockTest, DeleteKeyRemovesNothingWhileLocked) {
    addGame(QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    startMain();
    select(QStringLiteral("Pac-Man"));
    lockWith(QStringLiteral("pw"));
    const size_t shown = inst.dialogs.shown().size();
    GameListWidget& list = listBox(main(), QStringLiteral("LBArcade"));
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(inst.dialogs.shown().size(), shown);  // not even asked
    EXPECT_TRUE(inst.context().store().KeyExists(StorePaths::Entry(QStringLiteral("Pac-Man"))));
    EXPECT_EQ(list.items(), QStringList{QStringLiteral("Pac-Man")});
}

}  // namespace
