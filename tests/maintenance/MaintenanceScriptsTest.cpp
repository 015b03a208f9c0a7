// The scripts of the game maintenance commands and the Uninstall guard.
#include <gtest/gtest.h>

#include <QDir>

#include "maintenance/MaintenanceScripts.h"
#include "platform/ScriptWord.h"
#include "support/TempInstallation.h"

namespace {

using MaintenanceScripts::GameFiles;

QStringList L(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts) {
        out << QString::fromUtf8(t);
    }
    return out;
}

TEST(MaintenanceScripts, DeleteGameStateFileCases) {
    TempInstallation inst;
    const QString pkzip = QStringLiteral("C:\\TOOLS\\PKZIP.EXE");
    const GameFiles folder{QStringLiteral("pacman"), QStringLiteral("D:\\ROMS\\PACMAN"),
                           QStringLiteral("C:\\MAME\\MAME.EXE")};
    GameFiles zipped = folder;
    zipped.location = QStringLiteral("D:\\ROMS\\PACMAN.ZIP");
    const struct {
        const char* pattern;
        GameFiles game;
        std::optional<QStringList> expected;
    } cases[] = {
        {"hi\\%sn%.hi", folder, L({"C:", "cd C:\\MAME\\", "del hi\\pacman.hi"})},
        // From inside the archive, then the emulator's own copy.
        {"hi\\%sn%.hi", zipped,
         L({"C:\\TOOLS\\PKZIP.EXE D:\\ROMS\\PACMAN.ZIP -d hi\\pacman.hi", "C:", "cd C:\\MAME\\",
            "del hi\\pacman.hi"})},
        {"%sn%\\%sn%.nv", folder, L({"C:", "cd C:\\MAME\\", "del pacman\\%sn%.nv"})},
        {"..\\%sn%.cfg", folder, std::nullopt},
        {"\\%sn%.cfg", folder, std::nullopt},
        {"C:%sn%.cfg", folder, std::nullopt},
        {"*.*", zipped, std::nullopt},
        {"hi\\%sn%.hi",
         {QStringLiteral("..\\.."), folder.location, folder.emulatorLocation},
         std::nullopt},
    };
    for (const auto& c : cases) {
        ScriptWords words(inst.fs());
        EXPECT_EQ(MaintenanceScripts::DeleteGameStateFile(inst.fs(), QString::fromUtf8(c.pattern),
                                                          c.game, pkzip, words),
                  c.expected)
            << c.pattern << " " << c.game.location.toStdString();
    }
}

TEST(MaintenanceScripts, SoundSamplesCases) {
    TempInstallation inst;
    // An archive without entries: its end record alone.
    inst.writeFile(QStringLiteral("C:\\Sample Sets\\pacman.zip"),
                   QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    MaintenanceScripts::SampleSet samples{QStringLiteral("C:\\Sample Sets\\pacman.zip"),
                                          QStringLiteral("ROMS\\"),
                                          QStringLiteral("SAMPLES"),
                                          QStringLiteral("C:\\T\\PKZIP.EXE"),
                                          QStringLiteral("C:\\T\\PKUNZIP.EXE"),
                                          true};
    const GameFiles zipped{QStringLiteral("pacman"), QStringLiteral("D:\\ROMS\\PACMAN.ZIP"),
                           QStringLiteral("C:\\MAME\\MAME.EXE")};
    ScriptWords words(inst.fs());
    EXPECT_EQ(MaintenanceScripts::AddSoundSamples(inst.fs(), zipped, samples, words),
              L({"C:\\T\\PKUNZIP.EXE D:\\ROMS\\PACMAN.ZIP C:\\MAME\\ROMS\\pacman -d -o",
                 "C:\\T\\PKUNZIP.EXE C:\\SAMPLE~1\\pacman.zip C:\\MAME\\ROMS\\pacman\\SAMPLES -o",
                 "C:\\T\\PKZIP.EXE D:\\ROMS\\PACMAN.ZIP C:\\MAME\\ROMS\\pacman\\*.* -m -u",
                 "deltree /y C:\\MAME\\ROMS\\pacman"}));
    GameFiles folder = zipped;
    folder.location = QStringLiteral("D:\\ROMS\\PACMAN");
    EXPECT_EQ(MaintenanceScripts::AddSoundSamples(inst.fs(), folder, samples, words),
              L({"C:\\T\\PKUNZIP.EXE C:\\SAMPLE~1\\pacman.zip C:\\MAME\\ROMS\\pacman\\SAMPLES "
                 "-o"}));
    samples.pkzipExists = false;
    EXPECT_EQ(MaintenanceScripts::AddSoundSamples(inst.fs(), zipped, samples, words)->size(), 2);
    folder.shortName = QStringLiteral("..");
    EXPECT_FALSE(MaintenanceScripts::AddSoundSamples(inst.fs(), folder, samples, words));
}

TEST(MaintenanceScripts, UninstallScriptAndItsGuard) {
    TempInstallation inst;
    const QString pd = QStringLiteral("C:\\BRIVANEL\\");
    ScriptWords words(inst.fs());
    EXPECT_EQ(MaintenanceScripts::Uninstall(pd, words),
              L({"C:", "cd C:\\BRIVANEL\\", "cd ..", "deltree /y C:\\BRIVANEL"}));

    const QString home = inst.host(QStringLiteral("C:\\HOME"));
    inst.mkdir(QStringLiteral("C:\\HOME"));
    inst.mkdir(pd);
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\notes.ini"), L({"[Other]", "a=b"}));
    EXPECT_TRUE(MaintenanceScripts::UninstallRefusal(inst.fs(), pd, home));  // no definition
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\mame.ini"),
                    L({"[Emulator]", "LBName=MAME {x}", "Type=MAME"}));
    EXPECT_FALSE(MaintenanceScripts::UninstallRefusal(inst.fs(), pd, home));
    // A definition does not make a drive root or the home folder Brivanel's own.
    inst.writeLines(QStringLiteral("C:\\mame.ini"),
                    L({"[Emulator]", "LBName=MAME {x}", "Type=MAME"}));
    EXPECT_TRUE(MaintenanceScripts::UninstallRefusal(inst.fs(), QStringLiteral("C:\\"), home));
    inst.writeLines(QStringLiteral("C:\\HOME\\mame.ini"),
                    L({"[Emulator]", "LBName=MAME {x}", "Type=MAME"}));
    EXPECT_TRUE(
        MaintenanceScripts::UninstallRefusal(inst.fs(), QStringLiteral("C:\\HOME\\"), home));
    // The host's root, reached through a drive mapped onto it.
    DriveMap drives = inst.drives();
    drives.set(QChar(u'Z'), QStringLiteral("/"));
    const std::optional<QString> root = MaintenanceScripts::UninstallRefusal(
        DosFileSystem(drives), QStringLiteral("Z:\\TMP\\..\\"), home);
    EXPECT_TRUE(root);
}

}  // namespace
