// The store's layout as the program writes it: every value under its own
// name, in the case it has always had, with its type.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <variant>

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "settings/StoreSchema.h"

using namespace StoreSchema;

namespace {

constexpr int kText = 1;
constexpr int kBinary = 3;
constexpr int kInteger = 4;

// The type and count of values stored under exactly this name, case included.
std::pair<int, int> storedUnder(const QString& file, const char* name) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "SELECT type FROM brivanel_values WHERE name = ?1", -1, &query, nullptr);
    sqlite3_bind_text(query, 1, name, -1, SQLITE_STATIC);
    int type = 0;
    int count = 0;
    while (sqlite3_step(query) == SQLITE_ROW) {
        type = sqlite3_column_int(query, 0);
        ++count;
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return {type, count};
}

}  // namespace

TEST(StoreSchema, EveryValueRoundTripsUnderItsNameAndType) {
    using AnyValue = std::variant<TextValue, IntegerValue, FlagValue, DateTimeValue>;
    const struct {
        AnyValue value;
        const char* stored;
        int type;
    } rows[] = {
        {kVersion, "Version", kText},
        {kCurrent, "Current", kText},
        {kTime, "Time", kBinary},
        {kPkzipPath, "PKZIP Path", kText},
        {kPkunzipPath, "PKUNZIP Path", kText},
        {kZipMagicPath, "ZipMagic Path", kText},
        {kJoyEmuPath, "JOYEMU Path", kText},
        {kJoyCpPath, "JoyCP Path", kText},
        {kUniVbePath, "UniVBE Path", kText},
        {kDrivesToSearch, "Drives To Search", kText},
        {kFastListBuild, "Fast List Build", kInteger},
        {kDisplayByName, "Display by Name", kInteger},
        {kDisplayByEmulator, "Display by Emulator", kInteger},
        {kDisplayByCount, "Display by Count", kInteger},
        {kShowMissing, "Show Missing", kInteger},
        {kHighQualityImages, "High Quality Images", kInteger},
        {kLocked, "Locked", kText},
        {kLocation, "Location", kText},
        {kEmulator, "Emulator", kText},
        {kShortname, "Shortname", kText},
        {kCount, "Count", kInteger},
        {kRomLocation, "ROMLocation", kText},
        {kVector, "Vector", kInteger},
        {kSynchronizeVideo, "Synchronize Video", kInteger},
        {kLinesOffscreenOn, "Lines Offscreen On", kInteger},
        {kFmMusic, "FM Music", kInteger},
        {kJoystick, "Joystick", kInteger},
        {kMouse, "Mouse", kInteger},
        {kTrackball, "Trackball", kInteger},
        {kFourWayJoystick, "4-way Joystick", kInteger},
        {kCheat, "Cheat", kInteger},
        {kResolution, "Resolution", kText},
        {kFrameSkipping, "Frame Skipping", kText},
        {kVesaMode, "VESA Mode", kText},
        {kPixelDoubling, "Pixel Doubling", kText},
        {kSound, "Sound", kText},
        {kRotate, "Rotate", kText},
        {kController1, "Controller 1", kText},
        {kController2, "Controller 2", kText},
        {kLinesOffscreen, "Lines Offscreen", kText},
        {kJoyEmuKeyfile, "JoyEmu Keyfile", kText},
        {kAdditional, "Additional", kText},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath(u"registry.sqlite"_qs);
    SettingsStore store(StoreDatabase::open(file));
    ASSERT_TRUE(openRoot(store, true));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        std::visit(
            [&store](const auto& value) {
                using T = std::decay_t<decltype(value.readFrom(store))>;
                EXPECT_FALSE(value.readIfIn(store).has_value());
                T written{};
                if constexpr (std::is_same_v<T, QString>) {
                    written = u"C:\\A B\\"_qs + value.name();
                } else if constexpr (std::is_same_v<T, bool>) {
                    written = true;
                } else if constexpr (std::is_same_v<T, int>) {
                    written = 4711;
                } else {
                    written = 45267.75;
                }
                value.writeTo(store, written);
                EXPECT_EQ(value.readFrom(store), written);
                EXPECT_EQ(value.readIfIn(store), std::optional<T>(written));
            },
            row.value);
        EXPECT_EQ(storedUnder(file, row.stored), std::make_pair(row.type, 1));
    }
}

TEST(StoreSchema, RootFurtherNamesAndTheVersionStamp) {
    QTemporaryDir dir;
    SettingsStore store(StoreDatabase::open(dir.filePath(u"registry.sqlite"_qs)));
    ASSERT_TRUE(store.OpenKey(u"\\Other"_qs, true));
    EXPECT_FALSE(openRoot(store, false));
    kCurrent.writeTo(store, u"x"_qs);  // still on \Other
    EXPECT_TRUE(openRoot(store, true));
    EXPECT_TRUE(store.KeyExists(u"\\Software\\Quenterby\\Brivanel"_qs));
    EXPECT_EQ(kCurrent.readFrom(store), QString());
    EXPECT_THROW(kCount.readFrom(store), StoreError);
    EXPECT_EQ(StorePaths::Specific(u"AC\\DC"_qs).parts.last(), u"Specific");

    EXPECT_EQ(furtherName(kEmulator, 1), u"Emulator1");
    EXPECT_EQ(furtherName(kShortname, 9), u"Shortname9");
    EXPECT_EQ(furtherName(kEmulator, 10), u"Emulator:");
    // Any other stamp makes start-up migrate the store.
    EXPECT_EQ(versionStamp(), u".26");
}
