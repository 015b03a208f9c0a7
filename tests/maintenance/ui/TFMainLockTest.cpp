// "Lock..." / "Unlock...", the lock across a restart, the selection and the Delete key.
#include <QAction>
#include <QKeyEvent>

#include "gamelist/ui/GameListWidget.h"
#include "support/ui/OptionFixture.h"
#include "tools/ui/TFFileLocations.h"

namespace {

class LockTest : public OptionWindowTest {
protected:
    // The list maintenance items, as that subsystem will add them.
    void addListMenus() {
        main().Removefromlist1 = new QAction(&main());
        main().Addtolist1 = new QAction(&main());
        main().LongNameCleanup1 = new QAction(&main());
        main().ApplyLock(main().state.locked);
    }
    void lockWith(std::optional<QString> entry) {
        inst.dialogs.answerText(std::move(entry), entry ? mrOk : mrCancel);
        main().Lock1Click();
    }
    bool anyLockableEnabled() {
        for (QObject* item : main().LockableItems()) {
            if (static_cast<QAction*>(item)->isEnabled()) {
                return true;
            }
        }
        return false;
    }
    bool allLockableEnabled() {
        for (QObject* item : main().LockableItems()) {
            if (!static_cast<QAction*>(item)->isEnabled()) {
                return false;
            }
        }
        return true;
    }
    QString stored() { return readString(StorePaths::Root(), QStringLiteral("Locked")); }
};

TEST_F(LockTest, MixedCasePasswordUnlocksInCapitalsAndAWrongOneIsIgnored) {
    startMain();
    addListMenus();
    EXPECT_EQ(main().LockableItems().size(), 11u);
    lockWith(QStringLiteral("SeCrEt"));
    EXPECT_EQ(inst.dialogs.shown().back().detail, QStringLiteral("Password Entry"));
    EXPECT_EQ(inst.dialogs.shown().back().text, QStringLiteral("Please enter a password:"));
    EXPECT_EQ(main().Lock1->text(), QStringLiteral("Unlock..."));
    EXPECT_FALSE(anyLockableEnabled());
    EXPECT_EQ(stored(), QStringLiteral("SeCrEt"));

    lockWith(QStringLiteral("secret!"));
    EXPECT_EQ(main().Lock1->text(), QStringLiteral("Unlock..."));
    EXPECT_FALSE(anyLockableEnabled());
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());

    lockWith(QStringLiteral("SECRET"));
    EXPECT_EQ(main().Lock1->text(), QStringLiteral("Lock..."));
    EXPECT_TRUE(allLockableEnabled());
    EXPECT_TRUE(hasValue(StorePaths::Root(), QStringLiteral("Locked")));
    EXPECT_EQ(stored(), QString());
}

TEST_F(LockTest, CancelledEntryLocksAnEmptyOneUnlocksAndARestartStartsUnlocked) {
    startMain();
    lockWith(std::nullopt);
    EXPECT_TRUE(main().state.locked);
    EXPECT_FALSE(main().Uninstall1->isEnabled());
    lockWith(QStringLiteral("x"));
    EXPECT_TRUE(main().state.locked);
    lockWith(QString());
    EXPECT_FALSE(main().state.locked);

    lockWith(QStringLiteral("pw"));
    startMain();
    EXPECT_TRUE(main().state.locked);
    EXPECT_EQ(main().Lock1->text(), QStringLiteral("Unlock..."));
    lockWith(QStringLiteral("PW"));
    startMain();
    EXPECT_FALSE(main().state.locked);
    EXPECT_TRUE(main().Uninstall1->isEnabled());
}

TEST_F(LockTest, SelectionKeepsTheFourChangingItemsDisabledWhileLocked) {
    addGame(QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    startMain();
    addListMenus();
    main().FFileLocations->EPKZip->setText(QStringLiteral("C:\\TOOLS\\PKZIP.EXE"));
    lockWith(QStringLiteral("pw"));
    for (const QString& item : {QStringLiteral("Pac-Man"), QStringLiteral("[ Galaga ]")}) {
        select(item);
        EXPECT_FALSE(main().ResettoEmulatorDefaults1->isEnabled()) << item.toStdString();
        EXPECT_FALSE(main().Removefromlist1->isEnabled());
        EXPECT_FALSE(main().Addtolist1->isEnabled());
        EXPECT_FALSE(main().FixROM1->isEnabled());
        EXPECT_FALSE(main().Advanced1->menuAction()->isEnabled());
    }
    lockWith(QStringLiteral("PW"));
    select(QStringLiteral("Pac-Man"));
    EXPECT_TRUE(main().ResettoEmulatorDefaults1->isEnabled());
    EXPECT_TRUE(main().FixROM1->isEnabled());
}

TEST_F(LockTest, DeleteKeyRemovesNothingWhileLocked) {
    addGame(QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    startMain();
    select(QStringLiteral("Pac-Man"));
    lockWith(QStringLiteral("pw"));
    const size_t shown = inst.dialogs.shown().size();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    main().LBArcadeKeyUp(&release);
    EXPECT_EQ(inst.dialogs.shown().size(), shown);  // not even asked
    EXPECT_TRUE(inst.context().store().KeyExists(StorePaths::Entry(QStringLiteral("Pac-Man"))));
    EXPECT_EQ(main().LBArcade->items(), QStringList{QStringLiteral("Pac-Man")});
}

}  // namespace
