#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "ZipToolHarness.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

namespace {

void copyProgram(const TempInstallation& inst, const QString& from, const QString& dosPath) {
    const QString to = inst.host(dosPath);
    inst.mkdir(dosPath.left(dosPath.lastIndexOf(u'\\')));
    ASSERT_TRUE(QFile::copy(from, to)) << to.toStdString();
    QFile::setPermissions(to, QFile::permissions(from));
}

}  // namespace

// The launch and game-maintenance lines as the front-end writes them: every
// path in short form, here through folders whose names have blanks.
TEST(ScriptLine, BrivanelBatchRunsTheToolsThroughShortNames) {
    TempInstallation inst;
    copyProgram(inst, ZipToolHarness::pkunzipProgram(),
                q("C:\\Program Files\\PK Tools\\PKUNZIP.EXE"));
    copyProgram(inst, ZipToolHarness::pkzipProgram(), q("C:\\Program Files\\PK Tools\\PKZIP.EXE"));
    inst.mkdir(q("C:\\My Emulators\\ROMS"));
    const ZipToolHarness maker;
    maker.makeZip("pacman.zip",
                  {{"pacman.6e", "6e"}, {"PROMS/82s123.7f", "7f"}, {"hi/pacman.hi", "scores"}});
    inst.mkdir(q("D:\\Zipped Games"));
    ASSERT_TRUE(
        QFile::copy(maker.path("pacman.zip"), inst.host(q("D:\\Zipped Games\\PACMAN.ZIP"))));

    const auto fs = inst.fs();
    const QString pku = fs.shortPath(q("C:\\Program Files\\PK Tools\\PKUNZIP.EXE"));
    const QString pkz = fs.shortPath(q("C:\\Program Files\\PK Tools\\PKZIP.EXE"));
    const QString zip = fs.shortPath(q("D:\\Zipped Games\\PACMAN.ZIP"));
    const QString emulator = fs.shortPath(q("C:\\My Emulators\\"));
    for (const QString& line : {pku, pkz, zip, emulator}) {
        ASSERT_FALSE(line.contains(u' ')) << line.toStdString();
    }
    inst.writeLines(q("C:\\BRIVANEL\\Execute.bat"),
                    {pku + u' ' + zip + u' ' + emulator + u"ROMS\\pacman -d -o",
                     pkz + u' ' + zip + u" -d hi\\pacman.hi"});

    QProcess batch;
    batch.setProgram(TempInstallation::batchInterpreter());
    batch.setArguments({q("--drives"), inst.drives().toString(), q("--show"), q("minimised"),
                        inst.host(q("C:\\BRIVANEL\\Execute.bat"))});
    batch.setWorkingDirectory(inst.programHostDir());
    batch.setStandardInputFile(QProcess::nullDevice());
    batch.start();
    ASSERT_TRUE(batch.waitForFinished(120000));
    QFile log(inst.host(q("C:\\BRIVANEL\\Execute.log")));
    log.open(QIODevice::ReadOnly);
    const std::string logText = log.readAll().toStdString();
    EXPECT_EQ(batch.exitCode(), 0) << logText << batch.readAllStandardError().toStdString();

    EXPECT_EQ(inst.readFile(q("C:\\My Emulators\\ROMS\\pacman\\pacman.6e")), "6e");
    EXPECT_EQ(inst.readFile(q("C:\\My Emulators\\ROMS\\pacman\\PROMS\\82s123.7f")), "7f");
    const ZipToolHarness reader;
    ASSERT_TRUE(
        QFile::copy(inst.host(q("D:\\Zipped Games\\PACMAN.ZIP")), reader.path("after.zip")));
    EXPECT_EQ(reader.readZip("after.zip"),
              (std::map<std::string, QByteArray>{{"pacman.6e", "6e"}, {"PROMS/82s123.7f", "7f"}}));
}
