// The index over the found-files list answers exactly as the plain scan.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "gamelist/FoundFilesIndex.h"
#include "tools/FoundFiles.h"

namespace {

// The plain rule: every entry containing the upper-cased text, in order.
QStringList plainMatches(const QStringList& files, const QString& text) {
    const QString joined = FindInFoundFiles(files, text, false);
    return joined.isEmpty() ? QStringList() : joined.split(u'\r');
}

const QStringList kTricky{
    QStringLiteral("C:\\ROMS\\PACMAN.ZIP"),
    QStringLiteral("C:\\ROMS\\MSPACMAN.ZIP"),  // the name inside a longer one
    QStringLiteral("C:\\ROMS\\PAC.ZIP"),
    QStringLiteral("C:\\PACMAN.OLD\\GAME.ZIP"),    // the key in a folder part
    QStringLiteral("C:\\ROMS\\PACMAN.ZIP.BAK"),    // several dots
    QStringLiteral("C:\\ROMS\\PAC.MAN.ZIP"),       // a dot inside the name
    QStringLiteral("D:\\X\\PACMAN.\\PACMAN.ZIP"),  // the key twice in one path
    QStringLiteral("C:\\ROMS\\PACMAN"),            // no dot after the name
    QStringLiteral("C:\\ROMS\\.HIDDEN"),
    QStringLiteral("C:\\ROMS\\PACMAN.ZIP"),  // a duplicate stays
    QStringLiteral("C:\\ROMSPACMAN.ZIP"),    // no backslash before it
    QStringLiteral("C:\\ROMS\\SUB\\PACMAN.NES"),
};

}  // namespace

TEST(ListBuildFoundFilesIndex, SameAnswersAsThePlainScanOnTrickyPaths) {
    FoundFilesIndex index;
    index.update(kTricky);
    for (const QString& name :
         {QStringLiteral("pacman"), QStringLiteral("PAC"), QStringLiteral("PAC.MAN"),
          QStringLiteral("MAN"), QStringLiteral(""), QStringLiteral("GAME"),
          QStringLiteral("SUB\\PACMAN"), QStringLiteral("HIDDEN"), QStringLiteral("nothing")}) {
        EXPECT_EQ(index.romCandidates(name), plainMatches(kTricky, u'\\' + name + u'.'))
            << qPrintable(name);
    }
    EXPECT_EQ(
        index.romCandidates(QStringLiteral("pacman")),
        (QStringList{kTricky[0], kTricky[3], kTricky[4], kTricky[6], kTricky[9], kTricky[11]}));
    // Texts of another shape are scanned.
    EXPECT_EQ(index.findAll(QStringLiteral("pacman.zip")),
              plainMatches(kTricky, QStringLiteral("PACMAN.ZIP")));
}

TEST(ListBuildFoundFilesIndex, SameAnswersOnRandomPaths) {
    // Short names from a small alphabet make many names that are parts of others.
    QRandomGenerator random(20240607);
    const auto word = [&random](int maxLength) {
        QString w;
        const int length = 1 + int(random.bounded(maxLength));
        for (int i = 0; i < length; ++i) {
            w += QChar(u"AB.\\"[random.bounded(random.bounded(4) == 0 ? 4 : 2)]);
        }
        return w;
    };
    QStringList files;
    for (int i = 0; i < 3000; ++i) {
        files << QStringLiteral("C:\\") + word(6) + u'\\' + word(8);
    }
    FoundFilesIndex index;
    index.update(files);
    for (int i = 0; i < 400; ++i) {
        QString name = word(4);
        name.remove(u'\\');
        EXPECT_EQ(index.romCandidates(name), plainMatches(files, u'\\' + name + u'.'))
            << qPrintable(name);
    }
}

TEST(ListBuildFoundFilesIndex, FollowsChangesOfTheList) {
    QStringList files{QStringLiteral("C:\\A\\GAME.ZIP")};
    FoundFilesIndex index;
    index.update(files);
    ASSERT_EQ(index.romCandidates(QStringLiteral("game")).size(), 1);
    // The same list, asked again and again, is indexed once.
    index.update(files);
    index.update(std::as_const(files));
    EXPECT_EQ(index.builds(), 1);

    files << QStringLiteral("D:\\B\\GAME.ZIP");  // changed in place, same variable
    index.update(files);
    EXPECT_EQ(index.romCandidates(QStringLiteral("game")).size(), 2);

    files = QStringList{QStringLiteral("E:\\OTHER.ZIP")};  // replaced by a list of another size
    index.update(files);
    EXPECT_TRUE(index.romCandidates(QStringLiteral("game")).isEmpty());

    files[0] = QStringLiteral("E:\\GAME.ZIP");  // same size, changed entry
    index.update(files);
    EXPECT_EQ(index.romCandidates(QStringLiteral("game")),
              QStringList{QStringLiteral("E:\\GAME.ZIP")});

    files.clear();
    index.update(files);
    EXPECT_TRUE(index.romCandidates(QStringLiteral("game")).isEmpty());
}
