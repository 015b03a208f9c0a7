// Names a user's list files can really hold, run through Play, each Delete
// ... File and Remove from list with its ROMs, every script run to its end
// by brivanel-batch: only the game's own files ever go, and each refusal
// names the entry and the reason. (Here for the shipped PKZIP, which the
// zipped games' state files are deleted with.)
#include <gtest/gtest.h>

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <map>

#include <QPushButton>
#include <QTabWidget>

#include "app/ui/TFMain.h"
#include "gamelist/ListViewSetup.h"
#include "gamelist/RemoveFromList.h"
#include "support/ProcessRun.h"
#include "support/StandIn.h"
#include "support/Text.h"
#include "support/ui/WindowDriver.h"

namespace {

struct Hostile {
    const char* entry;
    const char* emulatorId;
    const char* shortName;
    const char* location;
    const char* play;  // why Play is refused
    const char* file;  // why the Delete ... File commands below are refused
    int files;         // how many of them are
    const char* roms;  // why Remove may not delete the ROMs; "" when they go
};

const Hostile kGames[] = {
    {"Dot Dot", "MAME", "x ..", "D:\\ROMS\\DOTDOT.ZIP", "the short name \"x ..\" holds a blank",
     "the short name \"x ..\" holds a blank", 5, ""},
    {"Dot Dir", "MAME", "x ..", "Dir", "the short name \"x ..\" holds a blank",
     "the short name \"x ..\" holds a blank", 5,
     "the ROM location \"C:\\EMU\\x ..\" holds a blank"},
    {"Pac Man Plus", "MAME", "pac man", "D:\\ROMS\\PACPLUS.ZIP",
     "the short name \"pac man\" holds a blank", "the short name \"pac man\" holds a blank", 5, ""},
    {"Evil Galaxy", "GALAXY", "evil>C:\\BRIVANEL\\galaxy.ini", "D:\\ROMS\\GALAXY.ZIP",
     "the short name \"evil>C:\\BRIVANEL\\galaxy.ini\" holds the character >",
     "the short name \"evil>C:\\BRIVANEL\\galaxy.ini\" holds the character >", 1, ""},
    {"Append", "GALAXY", "a>>C:\\SENTINEL\\keep.txt", "D:\\ROMS\\APPEND.ZIP",
     "the short name \"a>>C:\\SENTINEL\\keep.txt\" holds the character >",
     "the short name \"a>>C:\\SENTINEL\\keep.txt\" holds the character >", 1, ""},
    {"Pipe", "GALAXY", "a|b", "D:\\ROMS\\PIPE.ZIP", "the short name \"a|b\" holds the character |",
     "the short name \"a|b\" holds the character |", 1, ""},
    {"Super Mario Bros.", "NES", "Super Mario Bros", "D:\\ROMS\\SMB.ZIP",
     "the short name \"Super Mario Bros\" holds a blank",
     "the short name \"Super Mario Bros\" holds a blank", 1, ""},
    // A safe short name: its own state files go, but for the one whose
    // pattern holds a blank.
    {"Puck Clone", "MAME", "puckc", "D:\\ROMS\\PUCKC.ZIP",
     "the parent name \"puck man\" holds a blank",
     "the state file \"key\\puckc y.key\" holds a blank", 1, ""},
};

// What the user is told, in the order of Play, the Delete commands, Remove.
QStringList refusals(const Hostile& game) {
    const QString entry = u'"' + q(game.entry) + u'"';
    QStringList out{entry + u" cannot be played: " + q(game.play) + u'.'};
    for (int i = 0; i < game.files; ++i) {
        out << u"No file of " + entry + u" was deleted: " + q(game.file) + u'.';
    }
    if (*game.roms != 0) {
        out << u"The ROMs of " + entry + u" cannot be deleted; the game was left as it was: " +
                   q(game.roms) + u'.';
    }
    return out;
}

class HostileNamesTest : public ::testing::Test, public ListViewSetup {
protected:
    HostileNamesTest() {
        define("mame", {"LBName=MAME {Arcade}", "Type=MAME", "ROMPath=ROMS\\", "ShowJoyEmu=1",
                        "[Config]", "High=hi\\%sn%.hi", "RAM=nvram\\%sn%.nv", "Cfg=cfg\\%sn%.cfg",
                        "Dip=dip\\%sn%.dip", "Key=key\\%sn% y.key"});
        define("galaxy", {"LBName=Galaxy {Arcade}", "Type=MULTI", "ROMPath=ROMS\\", "ShowJoyEmu=0",
                          "[Config]", "High=hi\\%sn%.hi"});
        define("nes", {"LBName=NES {Console}", "Type=CONSOLE", "Extensions=NES", "ShowJoyEmu=1",
                       "[Config]", "High=hi\\%sn%.hi"});
        inst.writeLines(q("C:\\BRIVANEL\\GALAXY.lst"),
                        {q("[Directories]"), q("evil>C:\\BRIVANEL\\galaxy.ini=galaxy"),
                         q("a>>C:\\SENTINEL\\keep.txt=append"), q("a|b=pipe")});
        inst.writeLines(q("C:\\BRIVANEL\\MAME.MRG"), {q("[Merged]"), q("puckc=puck man")});
        inst.mkdir(q("C:\\TOOLS"));
        QFile::copy(q(BRIVANEL_PKZIP), inst.host(q("C:\\TOOLS\\PKZIP.EXE")));
        QFile::copy(q(BRIVANEL_PKUNZIP), inst.host(q("C:\\TOOLS\\PKUNZIP.EXE")));
        addEmulator(q("MAME {Arcade}"), q("MAME"), q("C:\\EMU\\MAME.EXE"));
        addEmulator(q("Galaxy {Arcade}"), q("GALAXY"), q("C:\\EMU\\GALAXY.EXE"));
        addEmulator(q("NES {Console}"), q("NES"), q("C:\\NES\\NES.EXE"));
        for (const Hostile& game : kGames) {
            addEntry(q(game.entry), q(game.emulatorId), q(game.shortName), q(game.location));
            if (q(game.location) != u"Dir") {
                inst.writeFile(q(game.location), "PK");
            }
        }
        // What lies around the games' own files, and one of their own.
        for (const char* file :
             {"C:\\SENTINEL\\keep.txt", "C:\\EMU\\ROMS\\pac\\pac.rom", "C:\\EMU\\man",
              "C:\\EMU\\y.key", "C:\\EMU\\hi\\other.hi", "C:\\NES\\Mario", "C:\\NES\\Bros.NES",
              "D:\\ROMS\\OTHER.ZIP", "C:\\EMU\\hi\\puckc.hi"}) {
            inst.writeFile(q(file), file);
        }
    }

    void define(const char* id, std::initializer_list<const char*> lines) {
        QStringList text{q("[Emulator]")};
        for (const char* line : lines) {
            text << q(line);
        }
        inst.writeLines(u"C:\\BRIVANEL\\" + q(id) + u".ini", text);
    }

    void addEmulator(const QString& lbName, const QString& id, const QString& executable) {
        addEntry(lbName, id, QString(), executable);
        StandIn::writeProgram(inst, executable, q("echo played"));
    }

    void addEntry(const QString& name, const QString& id, const QString& shortName,
                  const QString& location) {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Entry(name), true);
        store.WriteString(q("Emulator"), id);
        store.WriteString(q("Location"), location);
        if (!shortName.isEmpty()) {
            store.WriteString(q("Shortname"), shortName);
        }
    }

    // The entry on the page it is listed on, selected there.
    void select(const QString& entry) {
        for (const char* name : {"LBArcade", "LBConsole"}) {
            GameListWidget& list = listBox(*main, q(name));
            if (list.indexOf(entry) >= 0) {
                control<QTabWidget>(*main, q("PCConsole")).setCurrentWidget(list.parentWidget());
                selectItem(list, entry);
                return;
            }
        }
        FAIL() << entry.toStdString();
    }

    // Every file and folder on the drives, with the files' contents; the
    // scripts' own files aside.
    std::map<QString, QByteArray> drives() const {
        std::map<QString, QByteArray> found;
        for (const char* drive : {"/c", "/d"}) {
            QDirIterator it(inst.root() + drive,
                            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QFileInfo info(it.next());
                if (!info.fileName().startsWith(u"Execute.")) {
                    QFile file(info.filePath());
                    found[info.filePath().mid(inst.root().size())] =
                        info.isDir() || !file.open(QIODevice::ReadOnly) ? "<folder>"
                                                                        : file.readAll();
                }
            }
        }
        return found;
    }

    // Runs the scripts started since the last call to their end.
    void runNewScripts() {
        const auto& starts = inst.starter.starts();
        for (; scriptsRun_ < starts.size(); ++scriptsRun_) {
            QProcess batch;
            batch.setProgram(starts[scriptsRun_].program);
            batch.setArguments(starts[scriptsRun_].arguments);
            batch.setWorkingDirectory(starts[scriptsRun_].workingFolder);
            runToEnd(batch);
        }
    }

    // The messages since `from`, without Remove's two questions.
    QStringList messagesFrom(size_t from) const {
        QStringList out;
        const auto& shown = inst.dialogs.shown();
        for (size_t i = from; i < shown.size(); ++i) {
            if (shown[i].kind == u"message" &&
                shown[i].text != QString::fromUtf16(RemoveFromList::kMarkQuestion) &&
                shown[i].text != QString::fromUtf16(RemoveFromList::kDeleteRomsQuestion)) {
                out << shown[i].text;
            }
        }
        return out;
    }

    std::unique_ptr<TFMain> main;
    size_t scriptsRun_ = 0;
};

TEST_F(HostileNamesTest, OnlyTheGamesOwnFilesGoAndEveryRefusalSaysWhoAndWhy) {
    main = std::make_unique<TFMain>(inst.context());
    main->FormActivate();
    main->show();
    enterLocation(inst, *main, q("EPKZip"), q("C:\\TOOLS\\PKZIP.EXE"));
    enterLocation(inst, *main, q("EPKUnzip"), q("C:\\TOOLS\\PKUNZIP.EXE"));
    std::map<QString, QByteArray> expected = drives();

    for (const Hostile& game : kGames) {
        SCOPED_TRACE(game.entry);
        const size_t before = inst.dialogs.shown().size();
        select(q(game.entry));
        control<QPushButton>(*main, q("BPlay")).click();
        runNewScripts();
        for (const char* command : {"DeleteHighScoreFile1", "DeleteNVRAMfile1", "DeleteConfigFile1",
                                    "DeleteDipswitchFile1", "DeleteKeyFile1"}) {
            // Only where the emulator names such a file.
            menuItem(*main, q(command)).trigger();
            runNewScripts();
        }
        inst.dialogs.answer(mrOk);
        inst.dialogs.answer(mrYes);
        menuItem(*main, q("Removefromlist1")).trigger();
        runNewScripts();
        EXPECT_EQ(messagesFrom(before), refusals(game));
        EXPECT_TRUE(main->isVisible());
        if (q(game.location) != u"Dir") {
            expected.erase(u"/d/ROMS/" + q(game.location).mid(8));
        }
    }
    expected.erase(q("/c/EMU/hi/puckc.hi"));
    const std::map<QString, QByteArray> after = drives();
    QStringList changes;
    for (const auto& [path, content] : expected) {
        const auto now = after.find(path);
        if (now == after.end()) {
            changes << u"gone: " + path;
        } else if (now->second != content) {
            changes << u"changed: " + path;
        }
    }
    for (const auto& [path, content] : after) {
        if (expected.count(path) == 0) {
            changes << u"new: " + path;
        }
    }
    EXPECT_EQ(changes, QStringList());
}

}  // namespace
