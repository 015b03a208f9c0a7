// The ROM location search on real files: the "Dir" test, the candidates
// from the found-files list, the parent fallback and the user's answers.
#include <gtest/gtest.h>

#include "catalogue/EmulatorDefinition.h"
#include "gamelist/FoundFilesIndex.h"
#include "gamelist/RomLocation.h"
#include "platform/Dialogs.h"
#include "support/TempInstallation.h"

namespace {

class ListBuildRomSearch : public ::testing::Test {
protected:
    ListBuildRomSearch() {
        emulator.emulatorId = QStringLiteral("MAME");
        emulator.lbName = QStringLiteral("MAME {Test}");
        emulator.type = QStringLiteral("MAME");
        emulator.extensions = QStringLiteral("*.NES;*.SMC");
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.lst"),
                        {QStringLiteral("[Games]"), QStringLiteral("pacman=Pac-Man"),
                         QStringLiteral("[Directories]"), QStringLiteral("galaxian=galax")});
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.MRG"),
                        {QStringLiteral("[Merged]"), QStringLiteral("puckman=pacman"),
                         QStringLiteral("npacmod=puckman"), QStringLiteral("loopa=loopb"),
                         QStringLiteral("loopb=loopc"), QStringLiteral("loopc=LOOPA")});
        hooks.showNames = [this](const QString& lb, const QString& sn, const QString& clone) {
            shownNames << lb + u'|' + sn + u'|' + clone;
        };
        hooks.showLocation = [this](const QString& location) { shownLocations << location; };
        hooks.ask = [this](const RomLocation::Question& q) {
            questions.push_back(q);
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question";
                return RomLocation::Answer{mrCancel, QString()};
            }
            RomLocation::Answer a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
    }

    RomLocation::Result find(const QString& shortName, const QStringList& files) {
        index.update(files);
        return RomLocation::Find(inst.context(), index, emulator, chosenRomDirectory, shortName,
                                 QStringLiteral("C:\\MAME\\"), hooks);
    }

    void makeGameDirectory(const QString& dir, int files) {
        inst.mkdir(dir);
        for (int i = 0; i < files; ++i) {
            inst.writeFile(dir + QStringLiteral("\\F%1.ROM").arg(i), "x");
        }
    }

    TempInstallation inst;
    EmulatorDefinition emulator;
    QString chosenRomDirectory;
    FoundFilesIndex index;
    RomLocation::Hooks hooks;
    QStringList shownNames;
    QStringList shownLocations;
    std::vector<RomLocation::Question> questions;
    std::vector<RomLocation::Answer> answers;
};

RomLocation::Result located(const QString& path) {
    return RomLocation::Result{true, path, false};
}

const RomLocation::Result kMissing{false, QStringLiteral("#"), false};

}  // namespace

namespace RomLocation {
void PrintTo(const Result& r, std::ostream* os) {
    *os << (r.found ? "found " : "not found ") << r.location.toStdString()
        << (r.aborted ? " aborted" : "");
}
}  // namespace RomLocation

TEST_F(ListBuildRomSearch, GameDirectoryNeedsSixEntriesCountingDotAndDotDot) {
    makeGameDirectory(QStringLiteral("C:\\MAME\\PACMAN"), 3);  // 5 entries
    const QStringList files{QStringLiteral("C:\\ROMS\\PACMAN.ZIP")};
    EXPECT_EQ(find(QStringLiteral("pacman"), files), located(files[0]));

    inst.writeFile(QStringLiteral("C:\\MAME\\PACMAN\\F3.ROM"), "x");  // 6 entries
    EXPECT_EQ(find(QStringLiteral("pacman"), files), located(QStringLiteral("Dir")));
    EXPECT_EQ(shownLocations.back(), QStringLiteral("Dir"));

    // A console emulator never has its games in directories.
    emulator.type = QStringLiteral("CONSOLE");
    EXPECT_EQ(find(QStringLiteral("pacman"), files), located(files[0]));
}

TEST_F(ListBuildRomSearch, RomNameComesFromTheDirectoriesSection) {
    makeGameDirectory(QStringLiteral("C:\\MAME\\GALAX"), 4);
    EXPECT_EQ(find(QStringLiteral("galaxian"), {}), located(QStringLiteral("Dir")));
    const QStringList files{QStringLiteral("C:\\ROMS\\GALAXIAN.ZIP"),
                            QStringLiteral("C:\\ROMS\\GALAX.NES")};
    emulator.type = QStringLiteral("CONSOLE");
    EXPECT_EQ(find(QStringLiteral("galaxian"), files), located(files[1]));
}

TEST_F(ListBuildRomSearch, SingleCandidateNeedsZipOrOneOfTheExtensions) {
    EXPECT_EQ(find(QStringLiteral("dkong"), {QStringLiteral("C:\\ROMS\\DKONG.ZIP")}),
              located(QStringLiteral("C:\\ROMS\\DKONG.ZIP")));
    EXPECT_EQ(find(QStringLiteral("dkong"), {QStringLiteral("C:\\ROMS\\DKONG.SMC")}),
              located(QStringLiteral("C:\\ROMS\\DKONG.SMC")));
    // Part of the Extensions text is enough, as the text is searched.
    EXPECT_EQ(find(QStringLiteral("dkong"), {QStringLiteral("C:\\ROMS\\DKONG.NE")}),
              located(QStringLiteral("C:\\ROMS\\DKONG.NE")));
    EXPECT_EQ(find(QStringLiteral("dkong"), {QStringLiteral("C:\\ROMS\\DKONG.TXT")}), kMissing);
    // The key in a folder part: the file found has no extension at all.
    EXPECT_EQ(find(QStringLiteral("dkong"), {QStringLiteral("C:\\DKONG.OLD\\README")}), kMissing);
    EXPECT_EQ(shownNames.back(), QStringLiteral("MAME {Test}|DKONG|DKONG"));
    EXPECT_EQ(shownLocations.back(), QStringLiteral("#"));
}

TEST_F(ListBuildRomSearch, CloneFallsBackToItsParentsRom) {
    const QStringList files{QStringLiteral("C:\\ROMS\\PACMAN.ZIP")};
    EXPECT_EQ(find(QStringLiteral("npacmod"), files), located(files[0]));
    EXPECT_EQ(shownNames, (QStringList{QStringLiteral("MAME {Test}|NPACMOD|PUCKMAN"),
                                       QStringLiteral("MAME {Test}|PUCKMAN|PACMAN"),
                                       QStringLiteral("MAME {Test}|PACMAN|PACMAN")}));
    // A clone with a ROM of its own keeps it.
    EXPECT_EQ(find(QStringLiteral("puckman"), {QStringLiteral("C:\\ROMS\\PUCKMAN.ZIP"), files[0]}),
              located(QStringLiteral("C:\\ROMS\\PUCKMAN.ZIP")));
    // The parent not found either: missing.
    EXPECT_EQ(find(QStringLiteral("puckman"), {}), kMissing);
}

TEST_F(ListBuildRomSearch, ClonesNamingEachOtherInACircleEnd) {
    EXPECT_EQ(find(QStringLiteral("loopa"), {QStringLiteral("C:\\ROMS\\OTHER.ZIP")}), kMissing);
    EXPECT_EQ(shownNames.size(), 3);
    // The circle does not hide a ROM that exists for one of its members.
    EXPECT_EQ(find(QStringLiteral("loopa"), {QStringLiteral("C:\\ROMS\\LOOPC.ZIP")}),
              located(QStringLiteral("C:\\ROMS\\LOOPC.ZIP")));
}

TEST_F(ListBuildRomSearch, SeveralCandidatesAskAfterFiltering) {
    // The .TXT goes before the question; Select without a selected item names no file.
    const QStringList files{QStringLiteral("C:\\ROMS\\DKONG.ZIP"),
                            QStringLiteral("D:\\NES\\DKONG.NES"),
                            QStringLiteral("D:\\DOCS\\DKONG.TXT")};
    answers.push_back({mrOk, QString()});
    EXPECT_EQ(find(QStringLiteral("dkong"), files), kMissing);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].candidates, (QStringList{files[0], files[1]}));
}

TEST_F(ListBuildRomSearch, AllNarrowsLaterQuestionsToTheChosenDirectory) {
    const QStringList files{
        QStringLiteral("C:\\ROMS\\DKONG.ZIP"),   QStringLiteral("D:\\NEW\\DKONG.ZIP"),
        QStringLiteral("C:\\ROMS\\GALAGA.ZIP"),  QStringLiteral("D:\\NEW\\GALAGA.ZIP"),
        QStringLiteral("C:\\ROMS\\FROGGER.ZIP"), QStringLiteral("D:\\OLD\\FROGGER.ZIP"),
        QStringLiteral("D:\\NEW\\QBERT.ZIP"),    QStringLiteral("D:\\NEW\\X\\QBERT.ZIP")};
    answers.push_back({mrAll, files[1]});
    EXPECT_EQ(find(QStringLiteral("dkong"), files), located(files[1]));
    EXPECT_EQ(chosenRomDirectory, QStringLiteral("D:\\NEW\\"));
    // Exactly one candidate in the chosen directory: no question.
    EXPECT_EQ(find(QStringLiteral("galaga"), files), located(files[3]));
    // None there: missing, without a question.
    EXPECT_EQ(find(QStringLiteral("frogger"), files), kMissing);
    // Two there (a sub-directory contains the text too): asked again.
    answers.push_back({mrOk, files[7]});
    EXPECT_EQ(find(QStringLiteral("qbert"), files), located(files[7]));
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1].candidates, (QStringList{files[6], files[7]}));
    // The chosen directory does not filter a single candidate.
    EXPECT_EQ(find(QStringLiteral("frogger"), {files[4]}), located(files[4]));
}

TEST(ListBuildRomCandidates, ExtensionRuleAndFilter) {
    EXPECT_TRUE(RomLocation::IsAcceptableExtension(QStringLiteral("C:\\A.ZIP"), QString()));
    EXPECT_TRUE(RomLocation::IsAcceptableExtension(QStringLiteral("C:\\A.zip"), QString()));
    EXPECT_FALSE(
        RomLocation::IsAcceptableExtension(QStringLiteral("C:\\A.ZIP.BAK"), QStringLiteral("NES")));
    EXPECT_FALSE(
        RomLocation::IsAcceptableExtension(QStringLiteral("C:\\A"), QStringLiteral("NES")));
    EXPECT_FALSE(
        RomLocation::IsAcceptableExtension(QStringLiteral("C:\\A.B\\C"), QStringLiteral("B")));
    EXPECT_EQ(RomLocation::FilterCandidates(
                  {QStringLiteral("C:\\X\\A.NES"), QStringLiteral("C:\\Y\\A.NES"),
                   QStringLiteral("C:\\X\\A.TXT")},
                  QStringLiteral("NES"), QStringLiteral("C:\\X\\")),
              QStringList{QStringLiteral("C:\\X\\A.NES")});
}
