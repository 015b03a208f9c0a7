// The emulator entry written the first time an emulator is found, and the
// records of a game's further emulators.
#include <gtest/gtest.h>

#include "catalogue/EmulatorDefinition.h"
#include "gamelist/EmulatorRegistration.h"
#include "gamelist/GameStep.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"

using EmulatorRegistration::InitialOptionValues;

namespace {

EmulatorDefinition everyGroup() {
    EmulatorDefinition e;
    e.emulatorId = QStringLiteral("MAME");
    e.lbName = QStringLiteral("MAME {Test}");
    for (CheckGroupDefinition& c : e.checks) {
        c.present = true;
    }
    int n = 0;
    for (ListGroupDefinition& l : e.lists) {
        l.present = true;
        l.captions =
            QStringList{QStringLiteral("First %1").arg(n), QStringLiteral("Second %1").arg(n)};
        ++n;
    }
    e.linesOffscreenDefault = 3;
    e.showJoyEmu = true;
    e.showAdditional = true;
    return e;
}

QStringList describe(const std::vector<EmulatorRegistration::InitialValue>& values) {
    QStringList out;
    for (const auto& v : values) {
        if (const auto* text = std::get_if<QString>(&v.value)) {
            out << v.name + u"=\"" + *text + u'"';
        } else {
            out << v.name + u'=' + (std::get<bool>(v.value) ? u"true" : u"false");
        }
    }
    return out;
}

}  // namespace

TEST(ListBuildRegistration, InitialValuesInTableOrder) {
    EXPECT_EQ(describe(InitialOptionValues(everyGroup(), 1)),
              (QStringList{
                  QStringLiteral("Resolution=\"First 0\""),
                  QStringLiteral("Vector=false"),
                  QStringLiteral("Synchronize Video=false"),
                  QStringLiteral("Frame Skipping=\"First 1\""),
                  QStringLiteral("VESA Mode=\"First 2\""),
                  QStringLiteral("Pixel Doubling=\"First 3\""),
                  QStringLiteral("Lines Offscreen On=false"),
                  QStringLiteral("Lines Offscreen=\"8\""),  // whatever the definition's Default
                  QStringLiteral("Sound=\"First 4\""),
                  QStringLiteral("FM Music=true"),
                  QStringLiteral("Rotate=\"First 5\""),
                  QStringLiteral("Joystick=true"),
                  QStringLiteral("Mouse=false"),
                  QStringLiteral("Trackball=false"),
                  QStringLiteral("JoyEmu Keyfile=\"\""),
                  QStringLiteral("4-way Joystick=false"),
                  QStringLiteral("Cheat=false"),
                  QStringLiteral("Additional=\"\""),
                  QStringLiteral("Controller 1=\"First 6\""),
                  QStringLiteral("Controller 2=\"First 7\""),
              }));
}

TEST(ListBuildRegistration, OnlyOfferedGroupsAndTheSynchronizedPosition) {
    EmulatorDefinition e;
    e.showAdditional = false;
    EXPECT_TRUE(InitialOptionValues(e, 22).empty());

    e.checks[size_t(index(CheckGroup::Synch))].present = true;
    e.lists[size_t(index(ListGroup::Sound))].present = true;  // a section without entries
    e.lists[size_t(index(ListGroup::Rotate))] =
        ListGroupDefinition{true, {QStringLiteral("None")}, {QString()}};
    EXPECT_EQ(
        describe(InitialOptionValues(e, 22)),
        (QStringList{QStringLiteral("Synchronize Video=true"), QStringLiteral("Rotate=\"None\"")}));
    for (int position : {1, 21, 23, 100}) {
        EXPECT_EQ(describe(InitialOptionValues(e, position)).front(),
                  QStringLiteral("Synchronize Video=false"))
            << position;
    }
}

TEST(ListBuildFurtherEmulators, SuffixesCountUpByCharacterCode) {
    TempInstallation inst;
    SettingsStore entry = inst.context().store();
    ASSERT_TRUE(entry.OpenKey(StorePaths::Entry(QStringLiteral("AC\\DC Game")), true));
    entry.WriteString(QStringLiteral("Emulator"), QStringLiteral("E0"));
    for (int n = 1; n <= 10; ++n) {
        GameStep::RecordFurtherEmulator(entry, QStringLiteral("E%1").arg(n),
                                        QStringLiteral("s%1").arg(n), false);
    }
    EXPECT_EQ(entry.ReadString(QStringLiteral("Emulator9")), QStringLiteral("E9"));
    EXPECT_EQ(entry.ReadString(QStringLiteral("Emulator:")), QStringLiteral("E10"));
    EXPECT_EQ(entry.ReadString(QStringLiteral("Shortname:")), QStringLiteral("s10"));

    // Recorded already: the walk stops there and rewrites the short name only when asked.
    GameStep::RecordFurtherEmulator(entry, QStringLiteral("E3"), QStringLiteral("new"), false);
    EXPECT_EQ(entry.ReadString(QStringLiteral("Shortname3")), QStringLiteral("s3"));
    GameStep::RecordFurtherEmulator(entry, QStringLiteral("E3"), QStringLiteral("new"), true);
    EXPECT_EQ(entry.ReadString(QStringLiteral("Shortname3")), QStringLiteral("new"));
    EXPECT_FALSE(entry.ValueExists(QStringLiteral("Emulator;")));
}

TEST(ListBuildStoredLocation, ValidityTest) {
    TempInstallation inst;
    const DosFileSystem fs = inst.fs();
    inst.writeFile(QStringLiteral("C:\\ROMS\\PACMAN.ZIP"), "x");
    const QString emuDir = QStringLiteral("C:\\MAME\\");
    EXPECT_TRUE(GameStep::IsStoredLocationValid(fs, QStringLiteral("C:\\ROMS\\PACMAN.ZIP"), emuDir,
                                                QStringLiteral("PACMAN")));
    // The short name is compared in its own case.
    EXPECT_FALSE(GameStep::IsStoredLocationValid(fs, QStringLiteral("C:\\ROMS\\PACMAN.ZIP"), emuDir,
                                                 QStringLiteral("pacman")));
    EXPECT_FALSE(GameStep::IsStoredLocationValid(fs, QStringLiteral("C:\\ROMS\\GONE.ZIP"), emuDir,
                                                 QStringLiteral("GONE")));
    EXPECT_FALSE(
        GameStep::IsStoredLocationValid(fs, QStringLiteral("#"), emuDir, QStringLiteral("#")));
    EXPECT_FALSE(GameStep::IsStoredLocationValid(fs, QString(), emuDir, QString()));

    for (int i = 0; i < 4; ++i) {
        inst.writeFile(QStringLiteral("C:\\MAME\\pacman\\%1.ROM").arg(i), "x");
    }
    EXPECT_TRUE(GameStep::IsStoredLocationValid(fs, QStringLiteral("Dir"), emuDir,
                                                QStringLiteral("pacman")));
    inst.writeFile(QStringLiteral("C:\\MAME\\galaga\\1.ROM"), "x");
    EXPECT_FALSE(GameStep::IsStoredLocationValid(fs, QStringLiteral("Dir"), emuDir,
                                                 QStringLiteral("galaga")));
}
