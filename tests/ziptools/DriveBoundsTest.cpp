#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "ZipToolHarness.h"

namespace {

using H = ZipToolHarness;

std::map<QString, QByteArray> snapshot(const H& h) {
    std::map<QString, QByteArray> out;
    for (const QString& file : h.files()) {
        out[file] = h.read(file);
    }
    return out;
}

}  // namespace

// Drive C: holds a link to a folder beside it, off every drive: neither tool
// reads, writes or deletes anything there, nor brings anything back from it.
TEST(DriveBounds, NeitherToolGoesThroughALinkOffEveryDrive) {
    struct Case {
        bool zip;
        QStringList arguments;
    };
    const std::vector<Case> cases = {
        {false, words({"c/out/game.zip", "c/dest", "-o"})},
        {false, words({"c/game.zip", "c/out", "-o"})},
        {false, words({"c/game.zip", "c/out/new", "-d", "-o"})},
        {true, words({"c/out/new.zip", "c/src/*.*"})},
        {true, words({"c/out/game.zip", "-d", "pacman.6e"})},
        {true, words({"c/g.zip", "c/out/*.*", "-m"})},
        {true, words({"c/g.zip", "c/out/secret.txt", "-m"})},
        // Written through, a dangling link would create its target off the drives.
        {true, words({"c/dangling.zip", "c/src/*.*"})},
    };
    for (const Case& c : cases) {
        const std::string label = c.arguments.join(u' ').toStdString();
        H h;
        h.mapDrives(u"C:=" + h.path("c"));
        h.makeZip("outside/game.zip", {{"pacman.6e", "outside 6e"}, {"keep.txt", "k"}});
        h.write("outside/secret.txt", "secret");
        h.makeZip("c/game.zip", {{"pacman.6e", "6e"}});
        h.write("c/src/new.txt", "new");
        ASSERT_TRUE(QFile::link(h.path("outside"), h.path("c/out")));
        ASSERT_TRUE(QFile::link(h.path("outside/new.zip"), h.path("c/dangling.zip")));
        const auto before = snapshot(h);
        const auto r = c.zip ? h.pkzip(c.arguments) : h.pkunzip(c.arguments);
        EXPECT_NE(r.exitCode, 0) << label;
        EXPECT_TRUE(r.err.contains("outside every drive")) << label << ": " << r.err.toStdString();
        EXPECT_EQ(snapshot(h), before) << label;
    }
}

TEST(DriveBounds, LinksThatStayOnADriveAreFollowed) {
    H h;
    h.mapDrives(u"C:=" + h.path("c"));
    h.write("c/src/new.txt", "new");
    ASSERT_TRUE(QFile::link(h.path("c/src"), h.path("c/via")));
    EXPECT_EQ(h.pkzip(words({"c/g.zip", "c/via/*.*", "-m"})).exitCode, 0);
    EXPECT_EQ(h.pkunzip(words({"c/via/../g.zip", "c/via/out/"})).exitCode, 0);
    EXPECT_EQ(h.files("c"), words({"g.zip", "src/out/new.txt"}));
}

// An archive that is a link is the archive it names: PKZIP writes there and
// the link stays, a link dangling on a drive included.
TEST(DriveBounds, PkzipWritesThroughALinkOnADrive) {
    struct Case {
        QStringList arguments;
        const char* target;
        std::map<std::string, QByteArray> entries;
    };
    const std::vector<Case> cases = {
        {words({"c/link.zip", "c/src/*.*"}),
         "c/zips/real.zip",
         {{"pacman.6e", "6e"}, {"new.txt", "new"}}},
        {words({"c/link", "-d", "PACMAN.6E"}), "c/zips/real.zip", {}},
        {words({"c/dangling.zip", "c/src/new.txt"}), "c/zips/new.zip", {{"new.txt", "new"}}},
    };
    for (const Case& c : cases) {
        const std::string label = c.arguments.join(u' ').toStdString();
        H h;
        h.mapDrives(u"C:=" + h.path("c"));
        h.makeZip("c/zips/real.zip", {{"pacman.6e", "6e"}});
        h.write("c/src/new.txt", "new");
        ASSERT_TRUE(QFile::link("zips/real.zip", h.path("c/link.zip")));
        ASSERT_TRUE(QFile::link(h.path("c/zips/new.zip"), h.path("c/dangling.zip")));
        const auto r = h.pkzip(c.arguments);
        EXPECT_EQ(r.exitCode, 0) << label << ": " << r.err.toStdString();
        EXPECT_EQ(h.readZip(c.target), c.entries) << label;
        EXPECT_TRUE(QFileInfo(h.path("c/link.zip")).isSymLink()) << label;
        EXPECT_TRUE(QFileInfo(h.path("c/dangling.zip")).isSymLink()) << label;
    }
}

// brivanel-batch turns only the paths on its drives into host paths; a word
// on another drive reaches the tools as written and must not become a folder
// "Q:" below the current one.
TEST(DriveBounds, AWordOnAnUnmappedDriveIsRefused) {
    struct Case {
        bool zip;
        QStringList arguments;
    };
    const std::vector<Case> cases = {
        {false, words({"c/game.zip", "Q:\\EMU\\ROMS\\pacman", "-d", "-o"})},
        {false, words({"c/game.zip", "q:\\EMU\\ROMS\\", "-o"})},
        {false, words({"Q:\\ZIPS\\GAME.ZIP", "c/dest"})},
        {true, words({"Q:\\ZIPS\\NEW.ZIP", "c/src/*.*"})},
        {true, words({"c/game.zip", "Q:\\SRC\\*.*", "-m"})},
        {true, words({"c/game.zip", "c/src/new.txt", "Q:NEW.TXT", "-m"})},
    };
    for (const Case& c : cases) {
        const std::string label = c.arguments.join(u' ').toStdString();
        H h;
        h.mapDrives(u"C:=" + h.path("c"));
        h.makeZip("c/game.zip", {{"pacman.6e", "6e"}});
        h.write("c/src/new.txt", "new");
        const auto before = snapshot(h);
        const auto r = c.zip ? h.pkzip(c.arguments) : h.pkunzip(c.arguments);
        EXPECT_EQ(r.exitCode, 2) << label;
        EXPECT_TRUE(r.err.contains("drive Q: is not mapped"))
            << label << ": " << r.err.toStdString();
        EXPECT_EQ(snapshot(h), before) << label;
        EXPECT_FALSE(h.exists("Q:")) << label;
        EXPECT_FALSE(h.exists("q:")) << label;
    }
}

TEST(DriveBounds, WordsOnAMappedDriveAreItsHostPaths) {
    H h;
    QDir().mkpath(h.path("d"));
    h.mapDrives(u"C:=" + h.path("c") + u";D:=" + h.path("d"));
    h.write("c/src/new.txt", "new");
    EXPECT_EQ(h.pkzip(words({"d:\\NEW", "C:\\SRC\\*.*"})).exitCode, 0);
    EXPECT_EQ(h.pkunzip(words({"D:\\new.zip", "C:\\OUT\\"})).exitCode, 0);
    // "D:NAME" without a folder is below the current one, as DOS takes it.
    EXPECT_EQ(h.pkunzip(words({"D:NEW.ZIP", "C:"}), "d").exitCode, 0);
    EXPECT_EQ(h.files(), words({"c/OUT/new.txt", "c/new.txt", "c/src/new.txt", "d/NEW.zip"}));
}
