// The key order of the picture lookup, and lookups in a real index with a
// real merge file.
#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "pictures/PictureLookup.h"
#include "support/TempInstallation.h"

namespace {

struct KeyCase {
    const char* name;
    QString folder;
    QString platform;
    QString entryName;
    QString shortName;
    QString parent;
    QStringList keys;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class PictureKeysTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PictureKeysTest, KeysInLookupOrder) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(PictureKeys(c.folder, c.platform, c.entryName, c.shortName, c.parent), c.keys);
}

const QString kArcade = QStringLiteral("BITMAPS\\");
const QString kNes = QStringLiteral("BITMAPS\\NES\\");

const KeyCase kKeyCases[] = {
    {"entryCutBeforeBracket",
     kArcade,
     "",
     "Pac-Man (Midway)",
     "pacman",
     "pacman",
     {"BITMAPS\\Pac-Man.", "BITMAPS\\pacman.", "BITMAPS\\pacman.", "BITMAPS\\pacma.",
      "BITMAPS\\pacm.", "BITMAPS\\pac.", "BITMAPS\\pa."}},
    {"platformDropped",
     kNes,
     "NES",
     "NES Super Mario",
     "smb",
     "sm",
     {"BITMAPS\\NES\\Super Mario.", "BITMAPS\\NES\\smb.", "BITMAPS\\NES\\sm."}},
    {"platformAnyCase",
     kNes,
     "NES",
     "nes-Zelda (USA)",
     "zel",
     "ze",
     {"BITMAPS\\NES\\Zelda.", "BITMAPS\\NES\\zel.", "BITMAPS\\NES\\ze."}},
    {"entryWithoutPlatformUnchanged",
     kNes,
     "NES",
     "Zelda",
     "zel",
     "ze",
     {"BITMAPS\\NES\\Zelda.", "BITMAPS\\NES\\zel.", "BITMAPS\\NES\\ze."}},
    {"parentShortenedToTwo",
     kArcade,
     "",
     "Pac-Man (Japan)",
     "pacmanjp",
     "puckman",
     {"BITMAPS\\Pac-Man.", "BITMAPS\\pacmanjp.", "BITMAPS\\puckman.", "BITMAPS\\puckma.",
      "BITMAPS\\puckm.", "BITMAPS\\puck.", "BITMAPS\\puc.", "BITMAPS\\pu."}},
    {"noOneCharacterKey",
     kArcade,
     "",
     "Q",
     "q",
     "q",
     {"BITMAPS\\Q.", "BITMAPS\\q.", "BITMAPS\\q."}},
    {"emptyNames", kArcade, "", "", "", "", {"BITMAPS\\.", "BITMAPS\\.", "BITMAPS\\."}},
};

INSTANTIATE_TEST_SUITE_P(Cases, PictureKeysTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

class FindGamePictureTest : public ::testing::Test {
protected:
    FindGamePictureTest() {
        EmulatorDefinition mame;
        mame.emulatorId = QStringLiteral("MAME");
        mame.lbName = QStringLiteral("MAME {x}");
        emulators.append(mame);
        EmulatorDefinition nes;
        nes.emulatorId = QStringLiteral("NESTER");
        nes.lbName = QStringLiteral("Nester {y}");
        nes.platform = QStringLiteral("NES");
        emulators.append(nes);
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.MRG"),
                        {QStringLiteral("[Merged]"), QStringLiteral("pacmanjp=puckman")});
    }
    QString find(int emulator, const QString& shortName, const QString& entryName) {
        return FindGamePicture(inst.context(), emulators, index, emulator, shortName, entryName);
    }
    TempInstallation inst;
    EmulatorTable emulators;
    QStringList index;
};

TEST_F(FindGamePictureTest, EntryNameBeforeShortName) {
    index = {"C:\\BRIVANEL\\BITMAPS\\PACMAN.BMP", "C:\\BRIVANEL\\BITMAPS\\PAC-MAN.JPG"};
    EXPECT_EQ(find(1, "pacman", "Pac-Man (Midway)"), "C:\\BRIVANEL\\BITMAPS\\PAC-MAN.JPG");
    EXPECT_EQ(find(1, "pacman", "Pacman Plus"), "C:\\BRIVANEL\\BITMAPS\\PACMAN.BMP");
}

TEST_F(FindGamePictureTest, ShortenedParentFromTheMergeFile) {
    index = {"C:\\BRIVANEL\\BITMAPS\\P.BMP", "C:\\BRIVANEL\\BITMAPS\\PU.BMP",
             "C:\\BRIVANEL\\BITMAPS\\PUCK.PCX"};
    EXPECT_EQ(find(1, "pacmanjp", "Pac-Man (Japan)"), "C:\\BRIVANEL\\BITMAPS\\PUCK.PCX");
    index.removeLast();
    EXPECT_EQ(find(1, "pacmanjp", "Pac-Man (Japan)"), "C:\\BRIVANEL\\BITMAPS\\PU.BMP");
    index.removeLast();
    EXPECT_EQ(find(1, "pacmanjp", "Pac-Man (Japan)"), "");  // P. is never tried
}

TEST_F(FindGamePictureTest, WholeNamesInThePictureFolderOnly) {
    index = {"C:\\BRIVANEL\\BITMAPS\\SUB\\PACMAN.BMP", "C:\\BRIVANEL\\BITMAPS\\PACMANJ.BMP",
             "c:\\brivanel\\bitmaps\\pacman.bmp", "C:\\BRIVANEL\\BITMAPS\\NES\\PACMAN.GIF"};
    EXPECT_EQ(find(1, "pacman", "Pac-Man"), "");
}

TEST_F(FindGamePictureTest, PlatformFolderAndNamesOfAConsole) {
    index = {"C:\\BRIVANEL\\BITMAPS\\SUPER MARIO.BMP",
             "C:\\BRIVANEL\\BITMAPS\\NES\\SUPER MARIO.GIF",
             "C:\\BRIVANEL\\BITMAPS\\NES\\NESTER.BMP"};
    EXPECT_EQ(find(2, "smb", "NES Super Mario"), "C:\\BRIVANEL\\BITMAPS\\NES\\SUPER MARIO.GIF");
    EXPECT_EQ(find(2, "smb", "Super Mario"), "C:\\BRIVANEL\\BITMAPS\\NES\\SUPER MARIO.GIF");
    EXPECT_EQ(FindEmulatorPicture(emulators, index, 2), "C:\\BRIVANEL\\BITMAPS\\NES\\NESTER.BMP");
    EXPECT_EQ(FindEmulatorPicture(emulators, index, 1), "");
}

TEST_F(FindGamePictureTest, NoImageInTheFolderBeforeTheProgramDirectory) {
    EXPECT_EQ(NoImagePicture(inst.context(), emulators, 2), "");
    inst.writeFile("C:\\BRIVANEL\\NOIMAGE.BMP", "x");
    EXPECT_EQ(NoImagePicture(inst.context(), emulators, 2), "C:\\BRIVANEL\\noimage.bmp");
    inst.writeFile("C:\\BRIVANEL\\BITMAPS\\NES\\noimage.bmp", "x");
    EXPECT_EQ(NoImagePicture(inst.context(), emulators, 2),
              "C:\\BRIVANEL\\BITMAPS\\NES\\noimage.bmp");
    EXPECT_EQ(NoImagePicture(inst.context(), emulators, 1), "C:\\BRIVANEL\\noimage.bmp");
}

}  // namespace
