#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ZipToolHarness.h"

namespace {

using H = ZipToolHarness;
using Contents = std::map<std::string, QByteArray>;

QDateTime at(int hour) {
    return QDateTime(QDate(2010, 6, 1), QTime(hour, 0));
}

}  // namespace

TEST(Zip, FolderWildcardMakesANewArchive) {
    struct Case {
        const char* files;
        const char* workingFolder;
        Contents expected;
    };
    const std::vector<Case> cases = {
        // Host path, as brivanel-batch hands over C:\BRIVANEL\pacman\*.*.
        {"@/pacman/*.*", "", {{"82s123.7f", "a"}, {"README", "r"}, {"sub/82s126.4a", "b"}}},
        // Relative, with DOS separators and another case.
        {"PACMAN\\*.7F", "", {{"82s123.7f", "a"}}},
        {"*.*", "pacman", {{"82s123.7f", "a"}, {"README", "r"}, {"sub/82s126.4a", "b"}}},
        {"@/pacman", "", {{"82s123.7f", "a"}, {"README", "r"}, {"sub/82s126.4a", "b"}}},
        {"pacman\\readme", "", {{"README", "r"}}},
    };
    for (const Case& c : cases) {
        H h;
        h.write("pacman/82s123.7f", "a");
        h.write("pacman/sub/82s126.4a", "b");
        h.write("pacman/README", "r");
        h.write("pacman/.hidden", "h");
        QString files = QString::fromUtf8(c.files);
        files.replace("@", h.path("").chopped(1));
        const auto r = h.pkzip({h.path("PACMAN.ZIP"), files}, QString::fromUtf8(c.workingFolder));
        EXPECT_EQ(r.exitCode, 0) << c.files << ": " << r.err.toStdString();
        EXPECT_EQ(h.readZip("PACMAN.ZIP"), c.expected) << c.files;
    }
}

TEST(Zip, ExistingArchiveGetsFilesAddedAndReplacedIgnoringCase) {
    H h;
    h.makeZip("zips/pacman.zip", {{"PACMAN.6E", "old 6e"}, {"pacman.6f", "6f"}});
    h.write("proms/pacman.6e", "new 6e");
    h.write("proms/82s123.7f", "7f");
    const auto r = h.pkzip({h.path("zips/pacman.zip"), h.path("proms/*.*")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.readZip("zips/pacman.zip"),
              (Contents{{"PACMAN.6E", "new 6e"}, {"pacman.6f", "6f"}, {"82s123.7f", "7f"}}));
}

// Fix ROM: the work folder's files make a new archive of the deleted one's name.
TEST(Zip, BareArchiveTakesTheCurrentFolder) {
    H h;
    h.write("FixRom/pacman.6e", "6e");
    h.write("FixRom/82s123.7f", "7f");
    const auto r = h.pkzip({h.path("PACMAN.ZIP")}, "FixRom");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.readZip("PACMAN.ZIP"), (Contents{{"pacman.6e", "6e"}, {"82s123.7f", "7f"}}));
}

TEST(Zip, ArchiveInTheCurrentFolderIsNotAddedToItself) {
    H h;
    h.write("work/pacman.6e", "6e");
    h.makeZip("work/GAME.ZIP", {{"old", "o"}});
    const auto r = h.pkzip({"game"}, "work");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.readZip("work/GAME.ZIP"), (Contents{{"old", "o"}, {"pacman.6e", "6e"}}));
}

TEST(Zip, DashDDeletesTheNamedEntries) {
    struct Case {
        QStringList names;
        int exitCode;
        Contents expected;
    };
    const Contents all{{"hi/pacman.hi", "h"}, {"cfg/pacman.cfg", "c"}, {"pacman.6e", "6e"}};
    const std::vector<Case> cases = {
        {words({"hi\\pacman.hi"}), 0, {{"cfg/pacman.cfg", "c"}, {"pacman.6e", "6e"}}},
        {words({"HI\\PACMAN.HI", "cfg\\*.*"}), 0, {{"pacman.6e", "6e"}}},
        {words({"pacman.hi"}), 1, all},
        {words({"nvram\\pacman.nv"}), 1, all},
        // Names that spell no entry take none, and nothing goes for the others.
        {words({"."}), 1, all},
        {words({""}), 1, all},
        {words({"cfg\\"}), 1, all},
        {words({"hi\\pacman.hi", "."}), 1, all},
        // Emptied, the archive stays, with no entry.
        {words({"*.*", "hi\\*.*", "CFG\\PACMAN.CFG"}), 0, {}},
    };
    for (const Case& c : cases) {
        H h;
        h.makeZip("PACMAN.ZIP",
                  {{"hi/pacman.hi", "h"}, {"cfg/pacman.cfg", "c"}, {"pacman.6e", "6e"}});
        const auto r = h.pkzip(QStringList{h.path("PACMAN.ZIP"), "-d"} + c.names);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.names.join(' ').toStdString() << r.err.toStdString();
        ASSERT_TRUE(h.exists("PACMAN.ZIP")) << c.names.join(' ').toStdString();
        EXPECT_EQ(h.readZip("PACMAN.ZIP"), c.expected) << c.names.join(' ').toStdString();
    }
}

// Add Sound Samples: the unpacked game and its samples go back into the game's
// archive; what the archive holds newer stays, and the folder is emptied.
TEST(Zip, MoveUpdateReplacesOnlyNewerAndDeletesTheSources) {
    H h;
    h.makeZip("PACMAN.ZIP", {{"pacman.6e", "archive 6e", false, at(10)},
                             {"pacman.6f", "archive 6f", false, at(10)},
                             {"samples/old.wav", "archive wav", false, at(10)}});
    // As PKUNZIP left them: the same bytes, times to the two seconds of DOS.
    h.write("roms/pacman/pacman.6e", "archive 6e", at(9));
    h.write("roms/pacman/PACMAN.6F", "newer 6f", at(11));
    h.write("roms/pacman/pacman.6h", "new 6h", at(9));
    h.write("roms/pacman/samples/old.wav", "archive wav", at(10));
    h.write("roms/pacman/samples/fire.wav", "fire", at(9));
    QDir().mkpath(h.path("roms/pacman/cfg"));  // the user's, empty: nothing moves out of it
    const auto r = h.pkzip({h.path("PACMAN.ZIP"), h.path("roms/pacman/*.*"), "-m", "-u"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(h.readZip("PACMAN.ZIP"), (Contents{{"pacman.6e", "archive 6e"},
                                                 {"pacman.6f", "newer 6f"},
                                                 {"pacman.6h", "new 6h"},
                                                 {"samples/old.wav", "archive wav"},
                                                 {"samples/fire.wav", "fire"}}));
    EXPECT_EQ(h.entryTime("PACMAN.ZIP", "pacman.6f"), at(11));
    EXPECT_EQ(h.files("roms"), QStringList());
    EXPECT_TRUE(QDir(h.path("roms/pacman")).exists());
    EXPECT_FALSE(QDir(h.path("roms/pacman/samples")).exists());
    EXPECT_TRUE(QDir(h.path("roms/pacman/cfg")).exists());
}

// Entry names equal under case folding (the Kelvin sign's "K" among them)
// are one name, as they are to the interpreter's del and copy.
TEST(Zip, NamesEqualUnderCaseFoldingAreOneEntry) {
    struct Case {
        QStringList arguments;
        Contents expected;
    };
    const std::vector<Case> cases = {
        {words({"G.ZIP", "w\\été.txt"}), {{"ÉTÉ.TXT", "new"}, {"kof.hi", "h"}}},
        {words({"G.ZIP", "-d", "\xE2\x84\xAAOF.HI"}), {{"ÉTÉ.TXT", "old"}}},
        {words({"G.ZIP", "-d", "é*.txt"}), {{"kof.hi", "h"}}},
    };
    for (const Case& c : cases) {
        const std::string label = c.arguments.join(u' ').toStdString();
        H h;
        h.makeZip("G.ZIP", {{"ÉTÉ.TXT", "old"}, {"kof.hi", "h"}});
        h.write("w/été.txt", "new");
        const auto r = h.pkzip(c.arguments);
        EXPECT_EQ(r.exitCode, 0) << label << ": " << r.err.toStdString();
        EXPECT_EQ(h.readZip("G.ZIP"), c.expected) << label;
    }
}

// A file that is not what the archive now holds under its name is kept, and
// the exit status says that not everything was moved.
TEST(Zip, MoveKeepsEveryFileTheArchiveDoesNotHold) {
    struct File {
        const char* path;
        QByteArray content;
    };
    struct Case {
        const char* what;
        std::vector<H::Entry> archive;
        std::vector<File> files;
        QStringList arguments;
        Contents archived;
        const char* kept;
    };
    const std::vector<Case> cases = {
        {"one name in two folders",
         {},
         {{"d1/x.txt", "one"}, {"d2/x.txt", "two"}},
         words({"G.ZIP", "d1\\x.txt", "d2\\x.txt", "-m"}),
         {{"x.txt", "two"}},
         "d1/x.txt"},
        {"names that differ in case only",
         {},
         {{"w/GAME.ROM", "upper"}, {"w/game.rom", "lower"}},
         words({"G.ZIP", "w\\*.*", "-m"}),
         {{"GAME.ROM", "lower"}},
         "w/GAME.ROM"},
        {"an older file that differs, left out by -u",
         {{"pacman.6e", "archive", false, at(10)}},
         {{"w/pacman.6e", "older"}},
         words({"G.ZIP", "w\\*.*", "-m", "-u"}),
         {{"pacman.6e", "archive"}},
         "w/pacman.6e"},
    };
    for (const Case& c : cases) {
        H h;
        if (!c.archive.empty()) {
            h.makeZip("G.ZIP", c.archive);
        }
        QByteArray keptContent;
        for (const File& f : c.files) {
            h.write(QString::fromUtf8(f.path), f.content, at(9));
            keptContent = QByteArray(f.path) == c.kept ? f.content : keptContent;
        }
        const auto r = h.pkzip(c.arguments);
        EXPECT_EQ(r.exitCode, 1) << c.what;
        EXPECT_TRUE(r.err.contains("is not moved")) << c.what << ": " << r.err.toStdString();
        EXPECT_EQ(h.readZip("G.ZIP"), c.archived) << c.what;
        EXPECT_EQ(h.files(), (QStringList{u"G.ZIP"_qs, QString::fromUtf8(c.kept)})) << c.what;
        EXPECT_EQ(h.read(QString::fromUtf8(c.kept)), keptContent) << c.what;
    }
}

TEST(Zip, ReadOnlyOrDamagedArchiveIsLeftAsItWasAndSourcesStay) {
    struct Case {
        const char* name;
        int exitCode;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{{"readonly", 4, "read-only"},
                                           {"damaged", 3, "cannot read the archive"}}) {
        H h;
        h.makeZip("GAME.ZIP", {{"pacman.6e", "6e"}});
        QByteArray before = h.read("GAME.ZIP");
        if (QByteArray(c.name) == "damaged") {
            before.chop(30);
            h.write("GAME.ZIP", before);
        } else {
            QFile::setPermissions(h.path("GAME.ZIP"), QFileDevice::ReadOwner);
        }
        h.write("work/new.wav", "w");
        const auto r = h.pkzip({h.path("GAME.ZIP"), h.path("work/*.*"), "-m", "-u"});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(r.err.contains(c.message)) << c.name << ": " << r.err.toStdString();
        EXPECT_EQ(h.read("GAME.ZIP"), before) << c.name;
        EXPECT_EQ(h.read("work/new.wav"), "w") << c.name;
    }
}

TEST(Zip, NothingToAddOrNoFolderForTheArchiveLeavesNoArchive) {
    struct Case {
        const char* archive;
        int exitCode;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{{"NEW.ZIP", 1, "nothing to add"},
                                           {"absent/NEW.ZIP", 4, "no folder absent"}}) {
        H h;
        QDir().mkpath(h.path("empty"));
        h.write("work/pacman.6e", "6e");
        const QString files = c.exitCode == 1 ? h.path("empty/*.*") : h.path("work/*.*");
        const auto r = h.pkzip({h.path(c.archive), files, "-m"});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.archive;
        EXPECT_TRUE(r.err.contains(c.message)) << c.archive << ": " << r.err.toStdString();
        EXPECT_EQ(h.files(), QStringList{"work/pacman.6e"}) << c.archive;
    }
}

// Deflating what does not shrink only costs time and room; a noise header
// before data that deflates still has the whole file deflated.
TEST(Zip, LargeFileThatDoesNotDeflateIsStored) {
    QByteArray noise(3 << 20, '\0');
    quint32 state = 12345;
    for (char& c : noise) {
        state = state * 1103515245u + 12345u;
        c = char(state >> 24);
    }
    const QByteArray text = QByteArray("pacman ghost pellet ").repeated(150000);
    const struct {
        const char* name;
        QByteArray content;
        bool stored;
    } cases[] = {
        {"noise.bin", noise, true},
        {"text.txt", text, false},
        {"header.bin", noise.left(300 << 10) + text, false},
    };
    H h;
    for (const auto& c : cases) {
        h.write(QString::fromUtf8("w/") + c.name, c.content);
    }
    const auto r = h.pkzip(words({"G.ZIP", "w\\*.*"}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const Contents archived = h.readZip("G.ZIP");
    for (const auto& c : cases) {
        EXPECT_EQ(h.isStored("G.ZIP", c.name), c.stored) << c.name;
        EXPECT_TRUE(archived.at(c.name) == c.content) << c.name;
    }
}
