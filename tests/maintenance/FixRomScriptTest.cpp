// Archives that unpacked flat and packed again would not give back every
// entry, and words that cannot stand in a script line, are refused before a
// script is written.
#include <gtest/gtest.h>

#include <QFile>

#include "maintenance/FixRomScript.h"
#include "support/TempInstallation.h"
#include "support/Text.h"
#include "support/ZipFiles.h"

namespace {

// The central directory's record of the first entry says "imploded", a
// method of PKZIP 1 that libzip cannot inflate.
void markImploded(const QString& host) {
    QFile file(host);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype central = bytes.indexOf(QByteArray("PK\x01\x02", 4));
    ASSERT_GE(central, 0);
    bytes[central + 10] = 6;
    bytes[central + 11] = 0;
    file.seek(0);
    file.write(bytes);
}

TEST(FixRomScript, RefusedWhenTheArchiveWouldNotComeBackWhole) {
    enum class Change { None, NoPkzip, ReadOnly, Imploded, NotAZip };
    const struct {
        QStringList entries;
        Change change;
        const char* because;
    } cases[] = {
        {{q("set/../../x.rom")},
         Change::None,
         "the entry \"set/../../x.rom\" names a place outside its archive"},
        {{q("set/.keep"), q("a.rom")},
         Change::None,
         "the entry \"set/.keep\" would become a hidden file, which PKZIP leaves out"},
        {{q("set/"), q("set/sub/")}, Change::None, "its archive D:\\100%\\GAME.ZIP holds no files"},
        {{q("a.rom")},
         Change::Imploded,
         "the entry \"a.rom\" is packed with a method PKUNZIP cannot unpack"},
        {{q("a.rom")},
         Change::NotAZip,
         "its archive D:\\100%\\GAME.ZIP cannot be read (Not a zip archive)"},
        {{q("a.rom")}, Change::ReadOnly, "its archive D:\\100%\\GAME.ZIP is read-only"},
        {{q("a.rom")},
         Change::NoPkzip,
         "PKZip is missing. You can set its location by selecting Locations from the File Menu"},
        // A sound archive, but "%" cannot stand in a script line.
        {{q("a.rom")},
         Change::None,
         "the game's archive \"D:\\100%\\GAME.ZIP\" holds the character %"},
    };
    const QString zip = q("D:\\100%\\GAME.ZIP");
    for (const auto& c : cases) {
        TempInstallation inst;
        inst.writeFile(q("C:\\T\\PKUNZIP.EXE"), "x");
        if (c.change != Change::NoPkzip) {
            inst.writeFile(q("C:\\T\\PKZIP.EXE"), "x");
        }
        inst.mkdir(q("D:\\100%"));
        writeZip(inst.host(zip), c.entries);
        if (c.change == Change::Imploded) {
            markImploded(inst.host(zip));
        } else if (c.change == Change::NotAZip) {
            inst.writeFile(zip, "not a zip");
        } else if (c.change == Change::ReadOnly) {
            inst.fs().setReadOnly(zip, true);
        }
        const auto script =
            MaintenanceScripts::FixRom(inst.fs(), {q("Pac-Man"), zip, q("C:\\BRIVANEL\\"),
                                                   q("C:\\T\\PKZIP.EXE"), q("C:\\T\\PKUNZIP.EXE")});
        EXPECT_EQ(script.refusal, u"Fix ROM left \"Pac-Man\" as it was: " + q(c.because) + u'.');
        EXPECT_TRUE(script.lines.isEmpty()) << c.because;
    }
}

}  // namespace
