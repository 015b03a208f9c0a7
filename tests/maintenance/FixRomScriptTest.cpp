// Archives that unpacked flat and packed again would not give back every
// entry, and words that cannot stand in a script line, are refused before a
// script is written.
#include <gtest/gtest.h>
#include <zip.h>

#include <QFile>
#include <list>

#include "maintenance/FixRomScript.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

namespace {

// An archive of the given entries, each holding its own name; names ending
// in "/" are folders.
void writeZip(const QString& host, const QStringList& names) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(host).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    std::list<QByteArray> contents;
    for (const QString& name : names) {
        contents.push_back(name.toUtf8());
        if (name.endsWith(u'/')) {
            zip_dir_add(archive, contents.back().constData(), ZIP_FL_ENC_UTF_8);
            continue;
        }
        zip_source_t* data =
            zip_source_buffer(archive, contents.back().constData(), contents.back().size(), 0);
        ASSERT_GE(zip_file_add(archive, contents.back().constData(), data, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

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
    const struct {
        QString location;
        QStringList entries;  // empty: a text file, no archive
        const char* because;
    } cases[] = {
        {q("D:\\ROMS\\GAME.ZIP"),
         {q("set/../../x.rom")},
         "the entry \"set/../../x.rom\" names a place outside its archive"},
        {q("D:\\ROMS\\GAME.ZIP"),
         {q("set/.keep"), q("a.rom")},
         "the entry \"set/.keep\" would become a hidden file, which PKZIP leaves out"},
        {q("D:\\ROMS\\GAME.ZIP"),
         {q("set/"), q("set/sub/")},
         "its archive D:\\ROMS\\GAME.ZIP holds no files"},
        {q("D:\\ROMS\\GAME.ZIP"),
         {},
         "its archive D:\\ROMS\\GAME.ZIP cannot be read (Not a zip archive)"},
        {q("D:\\ROMS\\NONE.ZIP"), {}, "its archive D:\\ROMS\\NONE.ZIP cannot be found"},
        {q("D:\\100%\\GAME.ZIP"),
         {q("a.rom")},
         "the game's archive \"D:\\100%\\GAME.ZIP\" holds the character %"},
    };
    for (const auto& c : cases) {
        TempInstallation inst;
        inst.writeFile(q("C:\\T\\PKZIP.EXE"), "x");
        inst.writeFile(q("C:\\T\\PKUNZIP.EXE"), "x");
        inst.writeFile(c.location.endsWith(q("NONE.ZIP")) ? q("D:\\ROMS\\OTHER.ZIP") : c.location,
                       "not a zip");
        if (!c.entries.isEmpty()) {
            writeZip(inst.host(c.location), c.entries);
        }
        const auto script =
            MaintenanceScripts::FixRom(inst.fs(), {q("Pac-Man"), c.location, q("C:\\BRIVANEL\\"),
                                                   q("C:\\T\\PKZIP.EXE"), q("C:\\T\\PKUNZIP.EXE")});
        EXPECT_EQ(script.refusal, u"Fix ROM left \"Pac-Man\" as it was: " + q(c.because) + u'.');
        EXPECT_TRUE(script.lines.isEmpty()) << c.because;
    }
}

TEST(FixRomScript, RefusedForAnUnknownMethodAMissingToolOrAReadOnlyArchive) {
    TempInstallation inst;
    inst.writeFile(q("C:\\T\\PKUNZIP.EXE"), "x");
    const QString zip = q("D:\\ROMS\\GAME.ZIP");
    inst.mkdir(q("D:\\ROMS"));
    writeZip(inst.host(zip), {q("a.rom"), q("b.rom")});
    const auto refusal = [&](const QString& pkzip) {
        return MaintenanceScripts::FixRom(inst.fs(), {q("Pac-Man"), zip, q("C:\\BRIVANEL\\"), pkzip,
                                                      q("C:\\T\\PKUNZIP.EXE")})
            .refusal;
    };
    EXPECT_EQ(refusal(q("C:\\T\\PKZIP.EXE")),
              q("Fix ROM left \"Pac-Man\" as it was: PKZip is missing. You can set its location "
                "by selecting Locations from the File Menu."));
    inst.writeFile(q("C:\\T\\PKZIP.EXE"), "x");
    EXPECT_TRUE(refusal(q("C:\\T\\PKZIP.EXE")).isEmpty());
    inst.fs().setReadOnly(zip, true);
    EXPECT_TRUE(refusal(q("C:\\T\\PKZIP.EXE")).endsWith(q("is read-only.")));
    inst.fs().setReadOnly(zip, false);
    markImploded(inst.host(zip));
    EXPECT_TRUE(refusal(q("C:\\T\\PKZIP.EXE"))
                    .endsWith(q("\"a.rom\" is packed with a method PKUNZIP cannot unpack.")));
    // A game kept in a folder has nothing to repack.
    const auto folder =
        MaintenanceScripts::FixRom(inst.fs(), {q("Pac-Man"), q("D:\\ROMS"), q("C:\\BRIVANEL\\"),
                                               q("C:\\T\\PKZIP.EXE"), q("C:\\T\\PKUNZIP.EXE")});
    EXPECT_TRUE(folder.lines.isEmpty() && folder.refusal.isEmpty());
}

}  // namespace
