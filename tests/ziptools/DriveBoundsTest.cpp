#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

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
