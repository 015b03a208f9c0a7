#include "gamelist/ListFill.h"

#include <gtest/gtest.h>

#include <QFile>

#include "catalogue/EmulatorTable.h"
#include "gamelist/ListViewSetup.h"
#include "support/TestEmulator.h"

namespace {

QStringList sorted(QStringList items) {
    items.sort(Qt::CaseInsensitive);
    return items;
}

class ListFillTest : public ::testing::Test, public ListViewSetup {
protected:
    ListFillTest() {
        defineEmulator(QStringLiteral("MAME"), QStringLiteral("MAME {Arcade}"),
                       QStringLiteral("MAME"));
        defineEmulator(QStringLiteral("RAGE"), QStringLiteral("RAGE {Arcade}"),
                       QStringLiteral("multi"));
        defineEmulator(QStringLiteral("NES"), QStringLiteral("NES {Console}"),
                       QStringLiteral("CONSOLE"));
        defineEmulator(QStringLiteral("PONG"), QStringLiteral("Pong {Single}"),
                       QStringLiteral("SINGLE"));
        for (const char16_t* id : {u"MAME", u"RAGE", u"NES"}) {
            emulators.append(testEmulator(QString::fromUtf16(id)));
        }
        emulators.append(testEmulator(QStringLiteral("PONG"), QStringLiteral("SINGLE")));
    }

    int index(const QString& id) const { return emulators.EmulatorIndexById(id); }

    EmulatorTable emulators;
};

TEST_F(ListFillTest, ByEmulatorListsAGameOnTheEmulatorsAndFurtherEmulatorsPages) {
    addGame({QStringLiteral("Street Fighter"),
             QStringLiteral("MAME"),
             QStringLiteral("C:\\R\\SF.ZIP"),
             {QStringLiteral("RAGE"), QStringLiteral("PONG"), QStringLiteral("MAME")}});
    addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
    addGame({QStringLiteral("Pong {Single}"), QStringLiteral("PONG"),
             QStringLiteral("C:\\PONG\\PONG.EXE")});
    // A definition file that the table did not load: its entry goes to "Single".
    defineEmulator(QStringLiteral("ODD"), QStringLiteral("no brace"), QStringLiteral("MULTI"));
    addGame({QStringLiteral("Oddity"), QStringLiteral("ODD")});
    addGame({QStringLiteral("Orphan"),
             QStringLiteral("GONE"),
             QStringLiteral("C:\\X.ZIP"),
             {QStringLiteral("MAME")}});
    // Further emulators end at the first missing number.
    addGame({QStringLiteral("Zaxxon"), QStringLiteral("NES")});
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Entry(u"Zaxxon"_qs), false);
    store.WriteString(QStringLiteral("Emulator2"), QStringLiteral("RAGE"));

    const ListFill::EmulatorLists lists =
        ListFill::ByEmulator(inst.context(), emulators, {false, true});

    ASSERT_EQ(lists.pages.size(), size_t(emulators.count()) + 1);
    // Named twice (as its emulator and as a further one), still listed once.
    EXPECT_EQ(lists.pages[size_t(index(u"MAME"_qs))], QStringList{u"Street Fighter"_qs});
    EXPECT_EQ(lists.pages[size_t(index(u"RAGE"_qs))], QStringList{u"Street Fighter"_qs});
    EXPECT_EQ(sorted(lists.pages[size_t(index(u"NES"_qs))]),
              (QStringList{u"Zaxxon"_qs, u"Zelda"_qs}));
    // A further SINGLE emulator has no page and adds nothing.
    EXPECT_TRUE(lists.pages[size_t(index(u"PONG"_qs))].isEmpty());
    EXPECT_EQ(sorted(lists.single), (QStringList{u"Oddity"_qs, u"Pong {Single}"_qs}));
    EXPECT_EQ(lists.currentEmulator, 0);
}

TEST_F(ListFillTest, DevicesAndBiosSetsNeverListedMechanicalMachinesUnlessHidden) {
    const struct {
        const char16_t* name;
        const char16_t* flag;
    } entries[] = {{u"Pong", nullptr},
                   {u"1-Bit DAC", u"Device"},
                   {u"NAOMI 2 BIOS", u"BIOS"},
                   {u"Addams Family", u"Mechanical"},
                   {u"Not A Device", u"Device"}};
    for (const auto& e : entries) {
        addGame({QString::fromUtf16(e.name), QStringLiteral("MAME")});
        if (e.flag != nullptr) {
            SettingsStore store = inst.context().store();
            store.OpenKey(StorePaths::Entry(QString::fromUtf16(e.name)), false);
            store.WriteBool(QString::fromUtf16(e.flag),
                            e.name != std::u16string_view(u"Not A Device"));
        }
    }
    for (const bool hide : {false, true}) {
        ListFill::Switches switches;
        switches.hideMechanical = hide;
        QStringList expected{u"Not A Device"_qs, u"Pong"_qs};
        if (!hide) {
            expected.prepend(u"Addams Family"_qs);
        }
        EXPECT_EQ(sorted(ListFill::ByName(inst.context(), switches).arcade), expected);
        switches.byEmulator = true;
        EXPECT_EQ(sorted(ListFill::ByEmulator(inst.context(), emulators, switches)
                             .pages[size_t(index(u"MAME"_qs))]),
                  expected);
    }
}

TEST_F(ListFillTest, CurrentIsLookedForAsTheListShowsIt) {
    addGame({QStringLiteral("Frogger"),
             QStringLiteral("RAGE"),
             QStringLiteral("#"),
             {QStringLiteral("MAME")}});
    addGame({QStringLiteral("Pac-Man"),
             QStringLiteral("RAGE"),
             QStringLiteral("C:\\R\\P.ZIP"),
             {},
             42});
    setRoot(u"Current"_qs, u"frogger"_qs);

    const ListFill::CurrentEntry current = ListFill::ReadCurrent(inst.context(), false);
    EXPECT_EQ(current.itemText, u"[ frogger ]"_qs);
    EXPECT_TRUE(current.hasFurtherEmulators);
    // Missing games hidden: not listed, so on no page.
    EXPECT_EQ(ListFill::ByEmulator(inst.context(), emulators, {false, false}).currentEmulator, 0);

    setRoot(u"Current"_qs, u"Pac-Man"_qs);
    EXPECT_EQ(ListFill::ReadCurrent(inst.context(), true).itemText, u"0042 Pac-Man"_qs);
}

TEST_F(ListFillTest, EveryFillReadsTheStoreAndAChangedDefinitionFileAfresh) {
    addGame({QStringLiteral("Galaxian"), QStringLiteral("RAGE")});
    EXPECT_EQ(ListFill::ByName(inst.context(), {false, true}).arcade, QStringList{u"Galaxian"_qs});

    defineEmulator(QStringLiteral("RAGE"), QStringLiteral("RAGE {Arcade}"),
                   QStringLiteral("Console"));
    addGame({QStringLiteral("Galaxian"), QStringLiteral("RAGE"), QStringLiteral("#")});
    ListFill::NameLists lists = ListFill::ByName(inst.context(), {false, true});
    EXPECT_TRUE(lists.arcade.isEmpty());
    EXPECT_EQ(lists.console, QStringList{u"[ Galaxian ]"_qs});

    QFile::remove(inst.host(u"C:\\BRIVANEL\\RAGE.ini"_qs));
    lists = ListFill::ByName(inst.context(), {false, true});
    EXPECT_TRUE(lists.arcade.isEmpty() && lists.console.isEmpty());
}

// A value of another type (a damaged or hand-edited entry) lists that entry
// with a sound default, or not at all without an emulator, and every other
// entry as before.
TEST_F(ListFillTest, AWrongTypedValueNeverEmptiesTheList) {
    addGame({u"Asteroids"_qs, u"MAME"_qs, u"C:\\R\\AST.ZIP"_qs, {u"RAGE"_qs}, 3});
    const struct {
        const char16_t* game;
        const char16_t* value;
    } damaged[] = {{u"Bad Count", u"Count"},
                   {u"Bad Location", u"Location"},
                   {u"Bad Further", u"Emulator1"},
                   {u"Bad Emulator", u"Emulator"}};
    SettingsStore store = inst.context().store();
    for (const auto& d : damaged) {
        addGame({QString::fromUtf16(d.game), u"MAME"_qs});
        store.OpenKey(StorePaths::Entry(QString::fromUtf16(d.game)), false);
        if (d.value == std::u16string_view(u"Count")) {
            store.WriteString(QString::fromUtf16(d.value), u"seven"_qs);
        } else {
            store.WriteInteger(QString::fromUtf16(d.value), 7);
        }
    }
    setRoot(u"Current"_qs, u"Bad Count"_qs);

    const QStringList listed = sorted({u"0003 Asteroids"_qs, u"0000 Bad Count"_qs,
                                       u"0000 [ Bad Location ]"_qs, u"0000 Bad Further"_qs});
    EXPECT_EQ(sorted(ListFill::ByName(inst.context(), {true, true}).arcade), listed);
    const ListFill::EmulatorLists lists =
        ListFill::ByEmulator(inst.context(), emulators, {true, true, true});
    EXPECT_EQ(sorted(lists.pages[size_t(index(u"MAME"_qs))]), listed);
    EXPECT_EQ(lists.pages[size_t(index(u"RAGE"_qs))], QStringList{u"0003 Asteroids"_qs});
    EXPECT_EQ(ListFill::ReadCurrent(inst.context(), true).itemText, u"0000 Bad Count"_qs);
}

TEST_F(ListFillTest, NoRootListsNothing) {
    SettingsStore store = inst.context().store();
    store.DeleteKey(StorePaths::Root());

    EXPECT_TRUE(ListFill::ByName(inst.context(), {false, true}).arcade.isEmpty());
    EXPECT_TRUE(ListFill::ByEmulator(inst.context(), emulators, {false, true}).single.isEmpty());
    EXPECT_TRUE(ListFill::ReadCurrent(inst.context(), false).name.isEmpty());
}

}  // namespace
