#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ZipToolHarness.h"

namespace {

using H = ZipToolHarness;

// A game archive with stored folders, as MAME sets and sample packs come.
void makeGame(const H& h, const QString& zip) {
    h.makeZip(zip, {{"pacman.6e", "rom 6e"},
                    {"PROMS/", ""},
                    {"PROMS/82s123.7f", "prom 7f"},
                    {"PROMS/deep/82s126.4a", "prom 4a"}});
}

}  // namespace

TEST(Unzip, FoldersKeptAndExistingFilesOverwrittenWithDashDDashO) {
    H h;
    makeGame(h, "zips/PACMAN.ZIP");
    h.write("roms/pacman/pacman.6e", "old");
    h.write("roms/pacman/PROMS/82S123.7F", "old");
    const auto r = h.pkunzip({h.path("zips/PACMAN.ZIP"), h.path("roms/pacman"), "-d", "-o"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The differently cased file is the same file to DOS: replaced, not doubled.
    EXPECT_EQ(h.files("roms/pacman"),
              words({"PROMS/82S123.7F", "PROMS/deep/82s126.4a", "pacman.6e"}));
    EXPECT_EQ(h.read("roms/pacman/pacman.6e"), "rom 6e");
    EXPECT_EQ(h.read("roms/pacman/PROMS/82S123.7F"), "prom 7f");
    EXPECT_EQ(QFileInfo(h.path("roms/pacman/pacman.6e")).lastModified(),
              QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
}

TEST(Unzip, FoldersDroppedWithOnlyDashO) {
    H h;
    makeGame(h, "samples.zip");
    h.write("roms/pacman/samples/82s123.7f", "old");
    const auto r = h.pkunzip({"-o", h.path("samples.zip"), h.path("roms/pacman/samples")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.files("roms/pacman/samples"), words({"82s123.7f", "82s126.4a", "pacman.6e"}));
    EXPECT_EQ(h.read("roms/pacman/samples/82s123.7f"), "prom 7f");
}

TEST(Unzip, OptionsFirstExtractIntoTheCurrentFolder) {
    H h;
    makeGame(h, "ragepack.zip");
    QDir().mkpath(h.path("rage"));
    h.write("rage/pacman.6e", "old");
    const auto r = h.pkunzip({"-d", "-o", h.path("ragepack.zip")}, "rage");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.files("rage"), words({"PROMS/82s123.7f", "PROMS/deep/82s126.4a", "pacman.6e"}));
    EXPECT_EQ(h.read("rage/pacman.6e"), "rom 6e");
}

// The PROM merge: one game's folder out of a shared archive, into a work folder
// named after the game, so that PKZIP can add the files at the archive's top.
TEST(Unzip, MaskTakesOnlyMatchingEntries) {
    struct Case {
        const char* mask;
        bool keepFolders;
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {"pacman\\*.*", true, words({"82s123.7f", "sub/82s126.4a"})},
        {"PACMAN\\*.*", true, words({"82s123.7f", "sub/82s126.4a"})},
        {"pacman\\*.*", false, words({"82s123.7f", "82s126.4a"})},
        {"pacman\\*.7?", true, words({"82s123.7f"})},
        {"*.txt", true, words({"readme.txt"})},
        {"pacman\\sub\\*.*", true, words({"82s126.4a"})},
        {"puckman\\82S123.7F", true, words({"82s123.7f"})},
    };
    for (const Case& c : cases) {
        H h;
        h.makeZip("bigprom.zip", {{"pacman/82s123.7f", "pac 7f"},
                                  {"pacman/sub/82s126.4a", "pac 4a"},
                                  {"puckman/82s123.7f", "puck 7f"},
                                  {"readme.txt", "text"}});
        QStringList arguments{h.path("bigprom.zip"), QString::fromUtf8(c.mask),
                              h.path("work/pacman")};
        if (c.keepFolders) {
            arguments << "-d";
        }
        const auto r = h.pkunzip(arguments);
        EXPECT_EQ(r.exitCode, 0) << c.mask << ": " << r.err.toStdString();
        EXPECT_EQ(h.files("work/pacman"), c.expected) << c.mask;
    }
}

TEST(Unzip, MaskMatchingNothingFailsAndWritesNothing) {
    H h;
    h.makeZip("allproms.zip", {{"galaga/prom.1", "g"}});
    const auto r = h.pkunzip({h.path("allproms.zip"), "pacman\\*.*", h.path("work/pacman"), "-d"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("no entries")) << r.err.toStdString();
    EXPECT_FALSE(h.exists("work"));
}

// Fix ROM: a bare PKUNZIP in the work folder, folders dropped, nothing overwritten.
TEST(Unzip, BareArchiveDropsFoldersAndKeepsExistingFiles) {
    H h;
    makeGame(h, "PACMAN.ZIP");
    h.write("FixRom/82s126.4a", "mine");
    const auto r = h.pkunzip({h.path("PACMAN.ZIP")}, "FixRom");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.files("FixRom"), words({"82s123.7f", "82s126.4a", "pacman.6e"}));
    EXPECT_EQ(h.read("FixRom/82s126.4a"), "mine");
    EXPECT_TRUE(r.out.contains("Not overwritten: 82s126.4a")) << r.out.toStdString();
}

TEST(Unzip, ArchiveFoundIgnoringCaseAndWithoutItsExtension) {
    H h;
    makeGame(h, "zips/pacman.zip");
    for (const char* typed : {"ZIPS/PACMAN.ZIP", "zips\\Pacman"}) {
        const auto r = h.pkunzip({QString::fromUtf8(typed), "out\\", "-o"});
        EXPECT_EQ(r.exitCode, 0) << typed << ": " << r.err.toStdString();
        EXPECT_EQ(h.read("out/pacman.6e"), "rom 6e") << typed;
        QFile::remove(h.path("out/pacman.6e"));
    }
}

// Fix ROM's script goes by these exit statuses: nothing unreadable passes as done.
TEST(Unzip, MissingOrDamagedArchiveFailsWithAMessage) {
    H h;
    makeGame(h, "good.zip");
    QByteArray truncated = h.read("good.zip");
    truncated.chop(30);
    h.write("truncated.zip", truncated);
    h.write("text.zip", "this is no archive at all");
    h.makeZip("stored.zip", {{"pacman.6e", "rom 6e", true}});
    QByteArray corrupted = h.read("stored.zip");
    corrupted.replace(corrupted.indexOf("rom 6e"), 6, "ROM 6E");  // stored, so the CRC fails
    h.write("corrupted.zip", corrupted);
    // The size both headers record cut to 10 bytes: the CRC still fits the whole.
    h.makeZip("big.zip", {{"pacman.6e", QByteArray(5000, 'x')}});
    QByteArray inflating = h.read("big.zip");
    for (const qsizetype sizeField : {qsizetype(22), inflating.indexOf("PK\x01\x02") + 24}) {
        inflating.replace(sizeField, 4, QByteArray("\x0a\x00\x00\x00", 4));
    }
    h.write("inflating.zip", inflating);
    h.makeZip("encrypted.zip",
              {{"pacman.6e", "rom 6e", false, QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), true}});
    struct Case {
        const char* archive;
        int exitCode;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{{"absent.zip", 3, "archive not found"},
                                           {"truncated.zip", 3, "cannot read the archive"},
                                           {"text.zip", 3, "cannot read the archive"},
                                           {"corrupted.zip", 3, "damaged entry"},
                                           {"inflating.zip", 3, "more than its recorded 10 bytes"},
                                           {"encrypted.zip", 1, "cannot read the entry"}}) {
        const auto r = h.pkunzip({h.path(c.archive), h.path("out"), "-d", "-o"});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.archive;
        EXPECT_TRUE(r.err.contains(c.message)) << c.archive << ": " << r.err.toStdString();
        EXPECT_FALSE(h.exists("out/pacman.6e")) << c.archive;
    }
}

TEST(Unzip, EntriesLeadingOutsideAreRefusedAndNothingLandsOutside) {
    H h;
    h.makeZip("evil.zip", {{"../x", "up"},
                           {"a/../../y", "up"},
                           {"/tmp/abs", "abs"},
                           {"..\\z", "up"},
                           {"C:\\w", "drive"},
                           {"ok.txt", "fine"}});
    const QStringList before = h.files();
    const auto r = h.pkunzip({h.path("evil.zip"), h.path("dest"), "-d", "-o"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("refused entry ../x")) << r.err.toStdString();
    QStringList expected = QStringList(before) << "dest/ok.txt";
    expected.sort();
    EXPECT_EQ(h.files(), expected);
    EXPECT_FALSE(QFile::exists("/tmp/abs"));
}

// A link planted in the destination is replaced or refused, never written through.
TEST(Unzip, LinksInTheDestinationAreNotFollowed) {
    H h;
    h.write("outside/target.txt", "precious");
    QDir().mkpath(h.path("dest"));
    ASSERT_TRUE(QFile::link(h.path("outside/target.txt"), h.path("dest/game.txt")));
    ASSERT_TRUE(QFile::link(h.path("outside"), h.path("dest/sub")));
    h.makeZip("game.zip", {{"game.txt", "new"}, {"sub/evil.txt", "evil"}});
    const auto r = h.pkunzip({h.path("game.zip"), h.path("dest"), "-d", "-o"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("not followed")) << r.err.toStdString();
    EXPECT_EQ(h.read("outside/target.txt"), "precious");
    EXPECT_EQ(h.files("outside"), words({"target.txt"}));
    EXPECT_FALSE(QFileInfo(h.path("dest/game.txt")).isSymLink());
    EXPECT_EQ(h.read("dest/game.txt"), "new");
}

TEST(Unzip, AnEntryNamedLikeTheArchiveDoesNotReplaceIt) {
    H h;
    h.makeZip("work/self.zip", {{"SELF.ZIP", "another archive"}, {"other", "o"}});
    const QByteArray before = h.read("work/self.zip");
    const auto r = h.pkunzip({"self.zip", "-o"}, "work");
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("the archive being read")) << r.err.toStdString();
    EXPECT_EQ(h.read("work/self.zip"), before);
    EXPECT_EQ(h.files("work"), words({"other", "self.zip"}));
}

TEST(Unzip, PlainWordIsAnEntryWhenItNamesOneElseANewFolder) {
    H h;
    makeGame(h, "game.zip");
    QDir().mkpath(h.path("cwd"));
    auto r = h.pkunzip({h.path("game.zip"), "PACMAN.6E"}, "cwd");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.files("cwd"), words({"pacman.6e"}));
    r = h.pkunzip({h.path("game.zip"), "out", "-d"}, "cwd");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.files("cwd/out"), words({"PROMS/82s123.7f", "PROMS/deep/82s126.4a", "pacman.6e"}));
}

// A name the user has is theirs under any case, the Kelvin sign's "K" among
// them: without -o nothing lands beside it, and -o leaves a read-only file.
TEST(Unzip, TheUsersNamesUnderCaseFoldingAndReadOnlyFilesAreKept) {
    for (const bool overwrite : {false, true}) {
        H h;
        h.makeZip(
            "game.zip",
            {{"ÉTÉ.TXT", "entry"}, {"\xE2\x84\xAAOF/game.rom", "rom"}, {"locked.cfg", "entry"}});
        h.write("dest/été.txt", "mine");
        h.write("dest/kof/mine.txt", "mine");
        h.write("dest/locked.cfg", "mine");
        QFile::setPermissions(h.path("dest/locked.cfg"), QFileDevice::ReadOwner);
        QStringList arguments{h.path("game.zip"), h.path("dest"), "-d"};
        if (overwrite) {
            arguments << "-o";
        }
        const auto r = h.pkunzip(arguments);
        EXPECT_EQ(r.exitCode, overwrite ? 1 : 0) << overwrite << ": " << r.err.toStdString();
        EXPECT_EQ(h.files("dest"), words({"kof/game.rom", "kof/mine.txt", "locked.cfg", "été.txt"}))
            << overwrite;
        EXPECT_EQ(h.read("dest/été.txt"), overwrite ? "entry" : "mine") << overwrite;
        EXPECT_EQ(h.read("dest/locked.cfg"), "mine") << overwrite;
        EXPECT_EQ(r.err.contains("read-only"), overwrite) << r.err.toStdString();
    }
}
