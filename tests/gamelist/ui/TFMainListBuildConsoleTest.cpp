// A folder of console ROMs as users name them, through brivanel-makelist,
// read back by the program's list reader and built with the shipped
// CONSOLE definition.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "catalogue/ProfileFile.h"
#include "gamelist/ListFileGames.h"
#include "platform/ZipEntries.h"
#include "support/Text.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kMednes = QStringLiteral("Mednafen NES {The Mednafen Team}");

// 30 names with blanks, brackets, accents, other scripts, and some that
// collide once reduced to letters and digits.
QStringList romNames() {
    QStringList names;
    const QStringList stems{u"Super Mario Bros. 3 (USA) (Rev 1)"_qs,
                            u"The Legend of Zelda (Europe)"_qs,
                            u"Pokémon Ñandú Édition"_qs,
                            u"ドラゴンクエスト"_qs,
                            u"Kirby's Adventure"_qs,
                            u"Mega Man 2 [!]"_qs,
                            u"Zelda"_qs,
                            u"ZELDA II"_qs,
                            u"Zelda-II"_qs,
                            u"Tetris"_qs,
                            u"Ölfeld Rallye"_qs,
                            u"Castlevania  III  (Japan)"_qs};
    names << stems;
    for (int i = names.size(); i < 30; ++i) {
        names << QStringLiteral("Homebrew Spiel Nr. %1 (Übersetzung)").arg(i);
    }
    return names;
}

}  // namespace

TEST(ListBuildConsole, MakeListOfThirtyRomsAndBuildWithTheShippedDefinition) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt());
    ListBuildInstallation b;
    ASSERT_TRUE(QFile::copy(q(BRIVANEL_EMULATORS_DIR "/mednes.ini"),
                            b.inst.host(q("C:\\BRIVANEL\\mednes.ini"))));
    b.writeFile(q("C:\\BRIVANEL\\MEDNES\\MEDNES.EXE"));
    const QStringList names = romNames();
    for (int i = 0; i < names.size(); ++i) {
        b.inst.writeFile(u"D:\\NES ROMs\\" + names[i] + u".nes",
                         "NES\x1a rom " + QByteArray::number(i));
    }
    b.inst.writeFile(q("D:\\NES ROMs\\readme.txt"), "not a ROM");

    QProcess makelist;
    makelist.start(q(BRIVANEL_MAKELIST), {q("--list"), b.inst.host(q("C:\\BRIVANEL\\NES.lst")),
                                          b.inst.host(q("D:\\NES ROMs"))});
    ASSERT_TRUE(makelist.waitForFinished(60000));
    EXPECT_EQ(makelist.exitCode(), 0) << makelist.readAllStandardError().toStdString();
    EXPECT_TRUE(makelist.readAllStandardOutput().startsWith("30 games listed"));

    // Read back as the program reads list files: every short name once, its
    // full name the file's name as it was.
    const QByteArray listBytes = b.inst.readFile(q("C:\\BRIVANEL\\NES.lst"));
    EXPECT_TRUE(listBytes.startsWith("[Games]\r\n"));
    EXPECT_EQ(listBytes.count("\r\n"), 31);
    const QStringList shortNames =
        ListFileGames::ReadGameNames(b.inst.fs(), q("C:\\BRIVANEL\\NES.lst"));
    ASSERT_EQ(shortNames.size(), 30);
    const ProfileFile list = ProfileFile::parse(listBytes);
    QStringList fullNames;
    for (const QString& shortName : shortNames) {
        fullNames << list.readString(q("Games"), shortName, QString());
        // The archive beside the ROMs holds the ROM under the short name.
        const QString archive = u"D:\\NES ROMs\\" + shortName + u".zip";
        const ZipEntries archived = ZipEntries::read(b.inst.host(archive));
        ASSERT_TRUE(archived.error.isEmpty()) << archive.toStdString();
        ASSERT_EQ(archived.entries.size(), 1);
        EXPECT_EQ(archived.entries[0].name, shortName + u".nes");
    }
    QStringList sortedFull = fullNames;
    sortedFull.sort(Qt::CaseInsensitive);
    QStringList sortedNames = names;
    sortedNames.sort(Qt::CaseInsensitive);
    EXPECT_EQ(sortedFull, sortedNames);

    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({kMednes}, true);
    b.finishTicks();
    for (int i = 0; i < shortNames.size(); ++i) {
        SCOPED_TRACE(fullNames[i].toStdString());
        EXPECT_EQ(b.value(fullNames[i], q("Location")),
                  (u"D:\\NES ROMS\\" + shortNames[i] + u".ZIP").toUpper());
        EXPECT_EQ(b.value(fullNames[i], q("Shortname")), shortNames[i]);
    }
    EXPECT_EQ(listBox(main, q("LBConsole")).count(), 31);  // the games and the emulator
    EXPECT_TRUE(b.inst.dialogs.messages().isEmpty())
        << b.inst.dialogs.messages().join(u'|').toStdString();
}
