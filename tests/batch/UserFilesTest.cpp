// Every script the program composes, run by the real brivanel-batch with the
// shipped PKZIP and PKUNZIP on drives that hold the user's own files at the
// paths the script touches and around them. Afterwards every file is as it
// was, except what the script declared its own: what this run made (absent
// before) and what the command exists to remove or change.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <functional>
#include <map>

#include "BatchHarness.h"
#include "catalogue/EmulatorDefinition.h"
#include "gamelist/MameListRequest.h"
#include "gamelist/RemoveFromList.h"
#include "launch/LaunchPlan.h"
#include "maintenance/FixRomScript.h"
#include "maintenance/MaintenanceScripts.h"
#include "platform/ScriptWord.h"
#include "support/Text.h"
#include "support/ZipFiles.h"

namespace {

// Every file and folder below the drives: its path, folded as DOS compares
// names, and a hash of its bytes ("" for a folder).
using Snapshot = std::map<QString, QByteArray>;

enum class Command {
    PlayMame,
    PlayMulti,
    PlayMameZippedFolder,
    PlayMultiZippedFolder,
    PlayRage,
    PlayConsole,
    PlaySingle,
    ListRequest,
    RemoveRomFile,
    RemoveRomFolder,
    DeleteHighScore,  // of a zipped game: inside its archive too
    DeleteNvram,
    DeleteConfig,
    DeleteDipswitch,
    DeleteKey,
    FixRom,
    SamplesZipped,
    SamplesFolder,
    Uninstall,
};

const QString kGameZip = q("D:\\ZIPS\\PACMAN.ZIP");

class UserFiles {
public:
    explicit UserFiles(Command command) : command_(command) {
        h.inst.mkdir(q("C:\\TOOLS"));
        StandIn::placeProgram(q(BRIVANEL_PKZIP), h.host(q("C:\\TOOLS\\PKZIP.EXE")));
        StandIn::placeProgram(q(BRIVANEL_PKUNZIP), h.host(q("C:\\TOOLS\\PKUNZIP.EXE")));
        h.writeProgram(q("C:\\BRIVANEL\\brivanel"), q("exit 0"));
        h.writeProgram(q("C:\\EMU\\MAME\\MAME.EXE"),
                       q("case \"$1\" in -listclones) printf 'name     clone of\\npacman   "
                         "puckman\\n';; -listfull) printf 'name      description\\npacman    "
                         "\"Pac-Man\"\\n';; esac"));
        for (const char* emulator :
             {"C:\\EMU\\NES\\NES.EXE", "C:\\EMU\\RAGE\\RAGE.EXE", "C:\\EMU\\PONG\\PONG.EXE"}) {
            h.writeProgram(q(emulator), q("exit 0"));
        }
        zip(kGameZip, {q("pacman.rom"), q("hi/pacman.hi")});
        zip(q("D:\\ZIPS\\puckman.zip"), {q("puckman.rom")});
        zip(q("D:\\ZIPS\\MARIO.ZIP"), {q("mario.nes")});
        zip(q("C:\\EMU\\MAME\\bigprom.zip"), {q("pacman/big.prm")});
        zip(q("C:\\EMU\\MAME\\allproms.zip"), {q("pacman/all.prm")});
        zip(q("C:\\EMU\\RAGE\\ragepack.zip"), {q("rage.dat"), q("data/palette.bin")});
        zip(q("C:\\SAMPLES\\PACSND.ZIP"), {q("chomp.wav"), q("death.wav")});
        h.inst.writeLines(q("C:\\BRIVANEL\\MAME.MRG"), {q("[Merged]"), q("pacman=puckman")});
        // The user's files around every path a script names.
        h.writeFiles({"C:\\EMU\\MAME\\ROMS\\pacman2\\a.rom", "C:\\EMU\\MAME\\ROMS\\pacman.txt",
                      "C:\\EMU\\MAME\\pacman\\pacman.rom", "C:\\EMU\\MAME\\hi\\pacman.hi",
                      "C:\\EMU\\MAME\\hi\\pacman2.hi", "C:\\EMU\\MAME\\nvram\\pacman.nv",
                      "C:\\EMU\\MAME\\cfg\\pacman.cfg", "C:\\EMU\\MAME\\cfg\\default.cfg",
                      "C:\\EMU\\MAME\\dip\\pacman.dip", "C:\\EMU\\MAME\\key\\pacman.key",
                      "C:\\EMU\\NES\\ROMS\\zelda.nes", "C:\\EMU\\NES\\ROMS\\mario.sav",
                      "C:\\EMU\\RAGE\\ROMS\\notes.txt", "D:\\ZIPS\\pacman2.zip",
                      "C:\\BRIVANEL\\notes.txt", "C:\\BRIVANEL2\\keep.txt", "C:\\FixRom\\x"});
        h.write(q("C:\\EMU\\RAGE\\rage.dat"), "the user's edit");
    }

    // Lays a file of the user's ("...\\" a folder; "=X" copies the file X).
    void lay(const QString& path, const QString& content) {
        if (path.endsWith(u'\\')) {
            h.inst.mkdir(path);
        } else if (content.startsWith(u'=')) {
            h.write(path, h.read(content.mid(1)));
        } else {
            h.write(path, content.toUtf8());
        }
    }

    std::optional<QStringList> compose(ScriptWords& words, const QString& shortName,
                                       const QString& emulatorLocation) {
        const DosFileSystem fs = h.inst.fs();
        const QString pkzip = q("C:\\TOOLS\\PKZIP.EXE");
        const QString pkunzip = q("C:\\TOOLS\\PKUNZIP.EXE");
        const QString p = h.inst.context().ProgramDirectory();
        const MaintenanceScripts::GameFiles zipped{q("pacman"), kGameZip,
                                                   q("C:\\EMU\\MAME\\MAME.EXE")};
        const MaintenanceScripts::GameFiles folder{q("pacman"), q("Dir"), zipped.emulatorLocation};
        const auto state = [&](const char* pattern, const MaintenanceScripts::GameFiles& game) {
            return MaintenanceScripts::DeleteGameStateFile(fs, q(pattern), game, pkzip, words);
        };
        const auto samples = [&](const MaintenanceScripts::GameFiles& game) {
            const MaintenanceScripts::SampleSet set{
                q("C:\\SAMPLES\\PACSND.ZIP"), q("ROMS\\"), q("SAMPLES"), pkzip, pkunzip, true};
            return MaintenanceScripts::AddSoundSamples(fs, game, set, words);
        };
        const auto rom = [&](const char* location) {
            const RemoveFromList::RomFiles files{q(location), q("C:\\EMU\\MAME\\"), q("pacman"),
                                                 q("MULTI"), QString()};
            const std::optional<QString> line = RemoveFromList::RomDeletionLine(fs, files, words);
            return line ? std::optional<QStringList>(QStringList{*line}) : std::nullopt;
        };
        switch (command_) {
            case Command::ListRequest: {
                auto lines =
                    MameListRequest::ScriptLines(q("C:\\EMU\\MAME\\MAME.EXE"), p, q("MAME"), words);
                if (lines) {
                    MameListRequest::RemoveOldLists(fs, p, q("MAME"));
                }
                return lines;
            }
            case Command::RemoveRomFile:
                return rom("D:\\ZIPS\\PACMAN.ZIP");
            case Command::RemoveRomFolder:
                return rom("Dir");
            case Command::DeleteHighScore:
                return state("hi\\%sn%.hi", zipped);
            case Command::DeleteNvram:
                return state("nvram\\%sn%.nv", folder);
            case Command::DeleteConfig:
                return state("cfg\\%sn%.cfg", folder);
            case Command::DeleteDipswitch:
                return state("dip\\%sn%.dip", folder);
            case Command::DeleteKey:
                return state("key\\%sn%.key", folder);
            case Command::FixRom: {
                MaintenanceScripts::FixRomScript script =
                    MaintenanceScripts::FixRom(fs, {q("Pac-Man"), kGameZip, p, pkzip, pkunzip});
                for (const ScriptWords::Effect& effect : script.effects) {
                    effect.made ? words.made(effect.path, u"") : words.purpose(effect.path);
                }
                words.refuse(script.refusal);
                return script.refusal.isEmpty() ? std::optional(script.lines) : std::nullopt;
            }
            case Command::SamplesZipped:
                return samples(zipped);
            case Command::SamplesFolder:
                return samples(folder);
            case Command::Uninstall:
                return MaintenanceScripts::Uninstall(p, words);
            default:
                return play(words, shortName, emulatorLocation);
        }
    }

    Snapshot snapshot() const {
        Snapshot out;
        for (const char* drive : {"/c", "/d"}) {
            QDirIterator it(h.inst.root() + drive,
                            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QByteArray hash;
                if (!it.fileInfo().isDir()) {
                    QFile file(path);
                    file.open(QIODevice::ReadOnly);
                    hash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
                }
                out[path.toCaseFolded()] = hash;
            }
        }
        // The runner's own files.
        for (const char* name : {"/c/brivanel/execute.bat", "/c/brivanel/execute.log"}) {
            out.erase(QString(h.inst.root() + q(name)).toCaseFolded());
        }
        return out;
    }

    // The host path of a DOS path, folded as the snapshot holds it.
    QString folded(const QString& dosPath) const {
        return h.inst.fs().hostPath(dosPath).toCaseFolded();
    }

    BatchHarness h;

private:
    void zip(const QString& dosPath, const QStringList& names) {
        h.inst.mkdir(dosPath.left(dosPath.lastIndexOf(u'\\')));
        writeZip(h.host(dosPath), names);
    }

    std::optional<QStringList> play(ScriptWords& words, const QString& shortName,
                                    const QString& emulatorLocation) {
        EmulatorDefinition e;
        e.emulatorId = q("MAME");
        e.type = q("MAME");
        e.romPath = q("ROMS\\");
        LaunchRequest request;
        request.shortName = shortName.isEmpty() ? q("pacman") : shortName;
        request.location = kGameZip;
        request.emulatorLocation = q("C:\\EMU\\MAME\\MAME.EXE");
        request.tools.pkzip = q("C:\\TOOLS\\PKZIP.EXE");
        request.tools.pkunzip = q("C:\\TOOLS\\PKUNZIP.EXE");
        switch (command_) {
            case Command::PlayMulti:
                e.type = q("MULTI");
                break;
            case Command::PlayMameZippedFolder:
                e.zippedRomPath = q("ROMS\\");
                break;
            case Command::PlayMultiZippedFolder:
                e.type = q("MULTI");
                e.zippedRomPath = q("ZIPPED\\");
                break;
            case Command::PlayRage:
                e.emulatorId = q("RAGE");
                e.type = q("MULTI");
                request.emulatorLocation = q("C:\\EMU\\RAGE\\RAGE.EXE");
                break;
            case Command::PlayConsole:
                e.emulatorId = q("NES");
                e.type = q("CONSOLE");
                e.extensions = q("NES FDS");
                request.emulatorLocation = q("C:\\EMU\\NES\\NES.EXE");
                request.location = q("D:\\ZIPS\\MARIO.ZIP");
                request.shortName = shortName.isEmpty() ? q("mario") : shortName;
                break;
            case Command::PlaySingle:
                e.emulatorId = q("PONG");
                e.type = q("SINGLE");
                request.emulatorLocation = request.location = q("C:\\EMU\\PONG\\PONG.EXE");
                request.shortName.clear();
                break;
            default:
                break;
        }
        if (!emulatorLocation.isEmpty()) {
            request.emulatorLocation = emulatorLocation;
        }
        return launchLines(h.inst.context(), e, request, words);
    }

    Command command_;
};

struct Row {
    Command command;
    const char* what;
    // The user's files laid for this row: a DOS path and its content.
    std::vector<std::pair<const char*, const char*>> lay;
    // What the refusal says, or "" when the script runs.
    const char* refusal;
    // What the command exists to remove or change, as DOS paths.
    std::vector<const char*> purpose;
    const char* shortName = "";
    const char* emulatorLocation = "";
};

const char* const kTheirs = "the user's";
const char* const kArchive = "D:\\ZIPS\\PACMAN.ZIP";

const Row kRows[] = {
    {Command::PlayMame, "a clone unpacked beside the user's sets", {}, "", {}},
    {Command::PlayMame,
     "the user's unpacked set of the game's name",
     {{"C:\\EMU\\MAME\\ROMS\\pacman\\mine.rom", kTheirs}},
     "the folder the game is unpacked into \"C:\\EMU\\MAME\\ROMS\\pacman\" is there already",
     {}},
    {Command::PlayMulti,
     "the same set in capitals",
     {{"C:\\EMU\\MAME\\ROMS\\PACMAN\\", ""}},
     "\"C:\\EMU\\MAME\\ROMS\\pacman\" is there already",
     {}},
    {Command::PlayMame,
     "a short name with the Kelvin sign, and another game's set",
     {{"C:\\EMU\\MAME\\ROMS\\kof\\kof.rom", kTheirs}},
     "\"C:\\EMU\\MAME\\ROMS\\\u212Aof\" is there already",
     {},
     "\u212Aof"},
    {Command::PlayMameZippedFolder,
     "PROMs merged into the archive, copies removed",
     {},
     "",
     {kArchive}},
    {Command::PlayMameZippedFolder,
     "the folder holding an equal copy of the game's archive",
     {{"C:\\EMU\\MAME\\ROMS\\pacman.zip", "=D:\\ZIPS\\PACMAN.ZIP"}},
     "",
     {}},
    {Command::PlayMameZippedFolder,
     "the folder holding an older archive of the game's name",
     {{"C:\\EMU\\MAME\\ROMS\\PACMAN.ZIP", "an older archive"}},
     "the zipped-ROM folder holds \"C:\\EMU\\MAME\\ROMS\\PACMAN.ZIP\", which differs from the "
     "game's archive \"D:\\ZIPS\\PACMAN.ZIP\"",
     {}},
    {Command::PlayMultiZippedFolder, "a zipped-ROM folder that is not there yet", {}, "", {}},
    {Command::PlayMultiZippedFolder,
     "a file of the zipped-ROM folder's name",
     {{"C:\\EMU\\MAME\\ZIPPED", kTheirs}},
     "the zipped-ROM folder \"C:\\EMU\\MAME\\ZIPPED\" is a file, not a folder",
     {}},
    {Command::PlayRage, "RAGE's pack beside the user's edit of one of its files", {}, "", {}},
    {Command::PlayConsole, "a console game beside the user's other games", {}, "", {}},
    {Command::PlayConsole,
     "the user's file of the name the game unpacks to",
     {{"C:\\EMU\\NES\\ROMS\\MARIO.NES", kTheirs}},
     "the file the game is unpacked to \"C:\\EMU\\NES\\ROMS\\mario.NES\" is there already",
     {}},
    {Command::PlaySingle, "a single-game emulator", {}, "", {}},
    {Command::PlayMame,
     "an emulator on a drive that is not mapped",
     {},
     "the emulator \"Q:\\EMU\\QEMU.EXE\" lies on drive Q:, which is not mapped",
     {},
     "",
     "Q:\\EMU\\QEMU.EXE"},
    {Command::ListRequest,
     "old lists renewed",
     {{"C:\\BRIVANEL\\MAME.LST", "old"}},
     "",
     {"C:\\BRIVANEL\\MAME.MRG", "C:\\BRIVANEL\\MAME.LST"}},
    {Command::ListRequest,
     "a file of the temporary name",
     {{"C:\\BRIVANEL\\mame.!!!", kTheirs}},
     "the list's temporary file \"C:\\BRIVANEL\\MAME.!!!\" is there already",
     {}},
    {Command::RemoveRomFile, "the ROM file", {}, "", {kArchive}},
    {Command::RemoveRomFolder, "the ROM folder", {}, "", {"C:\\EMU\\MAME\\pacman"}},
    {Command::DeleteHighScore,
     "a zipped game's high scores",
     {},
     "",
     {"C:\\EMU\\MAME\\hi\\pacman.hi", kArchive}},
    {Command::DeleteNvram, "NVRAM", {}, "", {"C:\\EMU\\MAME\\nvram\\pacman.nv"}},
    {Command::DeleteConfig, "configuration", {}, "", {"C:\\EMU\\MAME\\cfg\\pacman.cfg"}},
    {Command::DeleteDipswitch, "dip switches", {}, "", {"C:\\EMU\\MAME\\dip\\pacman.dip"}},
    {Command::DeleteKey, "keys", {}, "", {"C:\\EMU\\MAME\\key\\pacman.key"}},
    {Command::FixRom,
     "beside the user's folder of the work folder's name",
     {{"C:\\BRIVANEL\\FixRom\\mine.txt", kTheirs}},
     "",
     {kArchive}},
    {Command::SamplesZipped, "samples into the game's archive", {}, "", {kArchive}},
    {Command::SamplesZipped,
     "the user's folder of the game's name",
     {{"C:\\EMU\\MAME\\ROMS\\pacman\\SAMPLES\\mine.wav", kTheirs}},
     "the folder the game is unpacked into \"C:\\EMU\\MAME\\ROMS\\pacman\" is there already",
     {}},
    {Command::SamplesFolder,
     "samples beside the user's own",
     {{"C:\\EMU\\MAME\\ROMS\\pacman\\SAMPLES\\mine.wav", kTheirs}},
     "",
     {}},
    {Command::SamplesFolder,
     "a sample file of the user's of the same name",
     {{"C:\\EMU\\MAME\\ROMS\\pacman\\SAMPLES\\CHOMP.WAV", kTheirs}},
     "the sample file \"C:\\EMU\\MAME\\ROMS\\pacman\\SAMPLES\\chomp.wav\" is there already",
     {}},
    {Command::Uninstall, "the program folder", {}, "", {"C:\\BRIVANEL"}},
};

bool under(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + u'/');
}

// What changed, went or came between two snapshots outside the declared paths.
QStringList differences(const Snapshot& before, const Snapshot& after,
                        const QStringList& declared) {
    const auto isDeclared = [&declared](const QString& path) {
        return std::any_of(declared.begin(), declared.end(),
                           [&path](const QString& d) { return under(path, d); });
    };
    QStringList out;
    for (const auto& [path, hash] : before) {
        const auto now = after.find(path);
        if (!isDeclared(path) && (now == after.end() || now->second != hash)) {
            out << (now == after.end() ? u"gone: " : u"changed: ") + path;
        }
    }
    for (const auto& [path, hash] : after) {
        if (before.count(path) == 0 && !isDeclared(path)) {
            out << u"new: " + path;
        }
    }
    return out;
}

TEST(UserFiles, EveryScriptChangesOnlyWhatItMadeOrExistsToChange) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        UserFiles drive(row.command);
        for (const auto& [path, content] : row.lay) {
            drive.lay(q(path), q(content));
        }
        const Snapshot before = drive.snapshot();
        ScriptWords words(drive.h.inst.fs());
        const std::optional<QStringList> lines =
            drive.compose(words, q(row.shortName), q(row.emulatorLocation));
        if (*row.refusal != 0) {
            EXPECT_FALSE(lines.has_value());
            EXPECT_TRUE(words.refusal().contains(q(row.refusal))) << words.refusal().toStdString();
        } else {
            EXPECT_TRUE(lines.has_value()) << words.refusal().toStdString();
        }
        if (!lines) {
            const QStringList changed = differences(before, drive.snapshot(), {});
            EXPECT_TRUE(changed.isEmpty()) << changed.join(u'\n').toStdString();
            continue;
        }
        QStringList declared;
        QStringList purpose;
        for (const ScriptWords::Effect& effect : words.effects()) {
            const QString host = drive.folded(effect.path);
            declared << host;
            if (effect.made) {
                EXPECT_EQ(before.count(host), 0u) << "made, yet there before: " << host.toStdString();
            } else if (!purpose.contains(host)) {
                purpose << host;
            }
        }
        QStringList expected;
        for (const char* path : row.purpose) {
            expected << drive.folded(q(path));
        }
        purpose.sort();
        expected.sort();
        EXPECT_EQ(purpose.join(u'\n').toStdString(), expected.join(u'\n').toStdString());

        const BatchHarness::Result result = drive.h.run(*lines);
        EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
        const QStringList changed = differences(before, drive.snapshot(), declared);
        EXPECT_TRUE(changed.isEmpty()) << changed.join(u'\n').toStdString() << "\nin the script\n"
                                       << lines->join(u'\n').toStdString();
    }
}

}  // namespace
