#include "gamelist/RemoveFromList.h"

#include <gtest/gtest.h>

#include "platform/ScriptWord.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"

namespace {

using RemoveFromList::RomFiles;

struct DeletionCase {
    const char16_t* what;
    RomFiles rom;
    // The expected line; "" for none.
    const char16_t* line;
};

class RomDeletionLineTest : public ::testing::Test {
protected:
    RomDeletionLineTest() {
        inst.writeFile(QStringLiteral("C:\\ROMS\\PONG.ZIP"), "rom");
        inst.writeFile(QStringLiteral("C:\\MY ROMS\\Pong (Rev E) [TTL].zip"), "rom");
        inst.writeFile(QStringLiteral("C:\\EMU\\pongrom\\A.BIN"), "rom");
        inst.mkdir(QStringLiteral("C:\\ROMS\\FOLDER.ZIP"));
    }
    TempInstallation inst;
};

RomFiles file(const char16_t* location) {
    return {QString::fromUtf16(location), QStringLiteral("C:\\EMU\\"), QStringLiteral("pong"),
            QStringLiteral("MULTI"), QString()};
}

RomFiles directory(const char16_t* emulatorDirectory, const char16_t* romName,
                   const char16_t* type = u"MULTI", const char16_t* extensions = u"") {
    return {QStringLiteral("Dir"), QString::fromUtf16(emulatorDirectory),
            QString::fromUtf16(romName), QString::fromUtf16(type), QString::fromUtf16(extensions)};
}

TEST_F(RomDeletionLineTest, NamesTheGamesOwnFilesOrNothing) {
    const DeletionCase cases[] = {
        {u"the ROM file", file(u"C:\\ROMS\\PONG.ZIP"), u"deltree /y C:\\ROMS\\PONG.ZIP"},
        {u"a file that has gone", file(u"C:\\ROMS\\GONE.ZIP"), u"deltree /y C:\\ROMS\\GONE.ZIP"},
        {u"the ROM name's directory", directory(u"C:\\EMU\\", u"pongrom"),
         u"deltree /y C:\\EMU\\pongrom"},
        {u"a console game's file", directory(u"C:\\EMU\\", u"mario", u"CONSOLE", u"NES"),
         u"deltree /y C:\\EMU\\mario.NES"},
        {u"two extensions would split the line",
         directory(u"C:\\EMU\\", u"mario", u"CONSOLE", u"SMC SFC"), u""},
        {u"no emulator location", directory(u"", u"pongrom"), u""},
        {u"a ROM name reaching up", directory(u"C:\\EMU\\", u".."), u""},
        {u"a ROM name reaching across", directory(u"C:\\EMU\\", u"a\\..\\..\\WINDOWS"), u""},
        {u"a wildcard", file(u"C:\\ROMS\\*.ZIP"), u""},
        {u"a dot-dot inside", file(u"C:\\ROMS\\..\\PONG.ZIP"), u""},
        {u"no drive", file(u"ROMS\\PONG.ZIP"), u""},
        {u"a drive's root", file(u"C:\\"), u""},
        {u"nothing", file(u""), u""},
        {u"a missing game", file(u"#"), u""},
        {u"a blank in a path that is not there", file(u"C:\\NO SUCH\\PONG.ZIP"), u""},
        {u"a file location that is a folder now", file(u"C:\\ROMS\\FOLDER.ZIP"), u""},
    };
    const DosFileSystem fs = inst.fs();
    for (const DeletionCase& c : cases) {
        ScriptWords words(inst.fs());
        const auto line = RemoveFromList::RomDeletionLine(fs, c.rom, words);
        EXPECT_EQ(line.value_or(QString()), QString::fromUtf16(c.line))
            << QString::fromUtf16(c.what).toStdString();
        EXPECT_EQ(words.ok(), line.has_value()) << QString::fromUtf16(c.what).toStdString();
    }
}

TEST_F(RomDeletionLineTest, ABlankedPathThatExistsGoesInItsShortForm) {
    const char16_t* location = u"C:\\MY ROMS\\PONG (REV E) [TTL].ZIP";
    ScriptWords words(inst.fs());
    const auto line = RemoveFromList::RomDeletionLine(inst.fs(), file(location), words);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, u"deltree /y " + inst.fs().shortPath(QString::fromUtf16(location)));
    EXPECT_FALSE(line->mid(11).contains(u' '));
}

TEST(MarkMissing, WritesCurrentAndHashOnlyForAnExistingEntry) {
    TempInstallation inst;
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Root(), true);
    const QString name = QStringLiteral("Pong (Rev E) [TTL]");
    store.OpenKey(StorePaths::Entry(name), true);
    store.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\ROMS\\PONG.ZIP"));

    EXPECT_TRUE(RemoveFromList::MarkMissing(store, name));
    store.OpenKey(StorePaths::Entry(name), false);
    EXPECT_EQ(store.ReadString(QStringLiteral("Location")), QStringLiteral("#"));
    store.OpenKey(StorePaths::Root(), false);
    EXPECT_EQ(store.ReadString(QStringLiteral("Current")), name);

    EXPECT_FALSE(RemoveFromList::MarkMissing(store, QStringLiteral("Nowhere")));
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(QStringLiteral("Nowhere"))));
    store.OpenKey(StorePaths::Root(), false);
    EXPECT_EQ(store.ReadString(QStringLiteral("Current")), name);
}

}  // namespace
