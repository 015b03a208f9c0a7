// The definitions the installer ships for Debian's emulators: every option
// fragment is one that the installed emulator accepts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "catalogue/ProfileFile.h"
#include "support/Text.h"

namespace {

// The command-line text of every option group and of AlwaysDo, as words.
QStringList fragmentWords(const QString& definition) {
    QFile file(definition);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << definition.toStdString();
    const ProfileFile ini = ProfileFile::parse(file.readAll());
    QStringList words =
        ini.readString(q("Emulator"), q("AlwaysDo"), QString()).split(u' ', Qt::SkipEmptyParts);
    const QStringList notFragments{q("Name"), q("Hint"), q("Min"), q("Max"), q("Default")};
    for (const QString& section : ini.sectionNames()) {
        if (QStringList{q("Emulator"), q("Config"), q("Keyhelp")}.contains(section,
                                                                           Qt::CaseInsensitive)) {
            continue;
        }
        for (const QString& key : ini.keyNames(section)) {
            if (!notFragments.contains(key, Qt::CaseInsensitive)) {
                words << ini.readString(section, key, QString()).split(u' ', Qt::SkipEmptyParts);
            }
        }
    }
    return words;
}

QString run(const QString& program, const QStringList& arguments, int* exitCode) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(q("HOME"), QDir::tempPath());
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    *exitCode = process.exitCode();
    return QString::fromLocal8Bit(process.readAll());
}

TEST(ShippedDefinitions, MameAcceptsEveryFragment) {
    const QString mame = q("/usr/games/mame");
    if (!QFileInfo(mame).isExecutable()) {
        GTEST_SKIP() << "Debian's mame is not installed";
    }
    const QStringList words = fragmentWords(q(BRIVANEL_EMULATORS_DIR "/mame.ini"));
    ASSERT_GT(words.size(), 40);
    int status = 0;
    const QString out =
        run(mame, QStringList{q("-noreadconfig"), q("-showconfig")} + words, &status);
    EXPECT_EQ(status, 0) << out.right(400).toStdString();
    EXPECT_FALSE(out.contains(q("Error"))) << out.right(400).toStdString();
}

TEST(ShippedDefinitions, MednafenAcceptsEveryFragment) {
    const QString mednafen = q("/usr/games/mednafen");
    if (!QFileInfo(mednafen).isExecutable()) {
        GTEST_SKIP() << "Debian's mednafen is not installed";
    }
    const QStringList words = fragmentWords(q(BRIVANEL_EMULATORS_DIR "/mednes.ini"));
    ASSERT_GT(words.size(), 30);
    // Mednafen checks every setting before it looks for the game, which is missing here.
    int status = 0;
    const QString out = run(mednafen, words + QStringList{q("/nonexistent/game.nes")}, &status);
    EXPECT_TRUE(out.contains(q("Error opening file \"/nonexistent/game.nes\"")))
        << out.right(400).toStdString();
}

}  // namespace
