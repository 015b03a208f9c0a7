// Short and full names of console games made from ROM file names, and
// brivanel-makelist on folders that hold the user's own files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "gamelist/ConsoleList.h"
#include "gamelist/RomArchive.h"
#include "platform/ScriptWord.h"
#include "support/ProcessRun.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

namespace {

struct Named {
    const char16_t* file;
    const char16_t* shortName;
    const char16_t* fullName;
};

TEST(ConsoleList, NamesFromFileNames) {
    const Named cases[] = {
        {u"Super Mario Bros. 3 (USA).nes", u"SUPERMARIOBROS3USA", u"Super Mario Bros. 3 (USA)"},
        // Its own name would find the ROM beside the archive as well.
        {u"Zelda.nes", u"ZELDA_1", u"Zelda"},
        {u"Pokémon Ñandú.nes", u"POKEMONNANDU", u"Pokémon Ñandú"},
        {u"日本語のゲーム.nes", u"GAME", u"日本語のゲーム"},
        {u"A very long title that goes on and on.nes", u"AVERYLONGTITLETHATGO",
         u"A very long title that goes on and on"},
        {u"Tab\there .nes", u"TABHERE", u"Tab here"},
        {u"\"Quoted\" = Odd; [name].nes", u"QUOTEDODDNAME", u"\"Quoted\" = Odd; [name]"},
        // Two files giving one short name; a later file's own name is kept free too.
        {u"Tetris!.nes", u"TETRIS_1", u"Tetris!"},
        {u"TETRIS.nes", u"TETRIS_2", u"TETRIS"},
        {u"Tetris.NES", u"TETRIS_3", u"Tetris (2)"},
        {u"noextension", u"NOEXTENSION_1", u"noextension"},
    };
    QStringList files;
    for (const Named& c : cases) {
        files << QString::fromUtf16(c.file);
    }
    const std::vector<ConsoleList::Game> games = ConsoleList::NameGames(files);
    ASSERT_EQ(games.size(), std::size(cases));
    for (size_t i = 0; i < games.size(); ++i) {
        SCOPED_TRACE(files[qsizetype(i)].toStdString());
        EXPECT_EQ(games[i].file, files[qsizetype(i)]);
        EXPECT_EQ(games[i].shortName, QString::fromUtf16(cases[i].shortName));
        EXPECT_EQ(games[i].fullName, QString::fromUtf16(cases[i].fullName));
        EXPECT_TRUE(ScriptWord::isSafe(games[i].shortName, ScriptWord::Kind::Name));
    }
    EXPECT_EQ(ConsoleList::ListLines({games[0], games[6]}),
              (QStringList{u"[Games]"_qs, u"SUPERMARIOBROS3USA=\"Super Mario Bros. 3 (USA)\""_qs,
                           u"QUOTEDODDNAME=\"\"Quoted\" = Odd; [name]\""_qs}));
}

// brivanel-makelist on a folder, its output and what the folder holds
// afterwards, name by name.
struct MakeList {
    QTemporaryDir dir;
    QString folder() const { return dir.path() + u"/NES ROMs"_qs; }
    QString list() const { return dir.path() + u"/NES.lst"_qs; }
    QString at(const QString& name) const { return folder() + u'/' + name; }

    MakeList() { QDir().mkpath(folder()); }
    void write(const QString& name, const QByteArray& content) const {
        QFile file(at(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }
    // The run as the shell gives it, after `limits` (such as "ulimit -f 2").
    ProcessOutcome run(const QStringList& options = {}, const QString& limits = {},
                       int boundMs = 120000) const {
        QProcess process;
        process.setProgram(u"bash"_qs);
        process.setArguments(QStringList{u"-c"_qs, limits + u"\nexec \"$0\" \"$@\""_qs,
                                         q(BRIVANEL_MAKELIST), u"--list"_qs, list()} +
                             options + QStringList{folder()});
        return runToEnd(process, boundMs);
    }
    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> content;
        for (const QString& name : QDir(folder()).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(at(name));
            content[name] = file.open(QIODevice::ReadOnly) ? file.read(1 << 20) : "unreadable";
        }
        return content;
    }
    QStringList listed() const {
        QFile file(list());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u"\r\n"_qs)
                                              : QStringList();
    }
};

// The one entry of an archive: name and content.
std::pair<QString, QByteArray> onlyEntry(const QString& path) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (archive == nullptr || zip_get_num_entries(archive, 0) != 1) {
        zip_discard(archive);
        return {};
    }
    zip_stat_t stat;
    zip_stat_index(archive, 0, 0, &stat);
    QByteArray content(qsizetype(stat.size), '\0');
    zip_file_t* entry = zip_fopen_index(archive, 0, 0);
    zip_fread(entry, content.data(), stat.size);
    zip_fclose(entry);
    const QString name = QString::fromUtf8(zip_get_name(archive, 0, 0));
    zip_discard(archive);
    return {name, content};
}

void writeZip(const QString& path, const QByteArray& entryName, const QByteArray& content) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE, &error);
    ASSERT_NE(archive, nullptr);
    zip_source_t* data = zip_source_buffer(archive, content.constData(), content.size(), 0);
    ASSERT_GE(zip_file_add(archive, entryName.constData(), data, 0), 0);
    ASSERT_EQ(zip_close(archive), 0);
}

TEST(MakeList, ChangesNoFileItDidNotMakeAndRunsAgainAsBefore) {
    MakeList m;
    enum class Lay { File, Folder, OtherArchive, ThisRomsArchive };
    const struct {
        const char16_t* rom;
        Lay lay;
        const char16_t* name;  // where the short name would otherwise go
        const char16_t* shortName;
    } cases[] = {
        {u"Tetris (USA).nes", Lay::File, u"tetrisusa.ZIP", u"TETRISUSA_1"},
        // The Kelvin sign folds to "k": the same name.
        {u"Kirby's Adventure.nes", Lay::File, u"\u212AIRBYSADVENTURE.zip", u"KIRBYSADVENTURE_1"},
        {u"Zelda.nes", Lay::File, u"ZELDA_1.txt", u"ZELDA_2"},  // ZELDA is the ROM's own
        {u"Castlevania (U).nes", Lay::File, u"CastlevaniaU.sav.zip", u"CASTLEVANIAU_1"},
        {u"Mega Man.nes", Lay::Folder, u"MEGAMAN", u"MEGAMAN_1"},
        // The archive's very entry, other bytes: the user's own dump.
        {u"Contra (J).nes", Lay::OtherArchive, u"CONTRAJ.zip", u"CONTRAJ_1"},
        // Exactly this ROM, as an earlier version made it: used as it is.
        {u"Metroid (E).nes", Lay::ThisRomsArchive, u"METROIDE.zip", u"METROIDE"},
    };
    QStringList archives;
    for (const auto& c : cases) {
        const QString rom = QString::fromUtf16(c.rom);
        const QString name = QString::fromUtf16(c.name);
        m.write(rom, "NES\x1a " + rom.toUtf8());
        switch (c.lay) {
            case Lay::File:
                m.write(name, "the user's");
                break;
            case Lay::Folder:
                ASSERT_TRUE(QDir().mkdir(m.at(name)));
                break;
            case Lay::OtherArchive:
                writeZip(m.at(name), name.chopped(4).toUtf8() + ".nes", "my own dump");
                break;
            case Lay::ThisRomsArchive:
                writeZip(m.at(name), name.chopped(4).toUtf8() + ".nes", "NES\x1a " + rom.toUtf8());
                break;
        }
        archives << QString::fromUtf16(c.shortName) + u".zip";
    }
    const QMap<QString, QByteArray> before = m.files();

    const ProcessOutcome first = m.run();
    ASSERT_EQ(first.exitCode, 0) << first.standardError.toStdString();
    const QStringList lines = m.listed();
    for (const auto& c : cases) {
        const QString rom = QString::fromUtf16(c.rom);
        const QString shortName = QString::fromUtf16(c.shortName);
        SCOPED_TRACE(rom.toStdString());
        EXPECT_TRUE(lines.contains(shortName + u"=\"" + rom.chopped(4) + u'"'));
        EXPECT_EQ(
            onlyEntry(m.at(shortName + u".zip")),
            std::make_pair(QString(shortName + u".nes"), QByteArray("NES\x1a " + rom.toUtf8())));
    }
    const QMap<QString, QByteArray> made = m.files();
    for (auto it = before.begin(); it != before.end(); ++it) {
        EXPECT_EQ(made.value(it.key()), it.value()) << it.key().toStdString();
    }
    QStringList expected = before.keys() + archives;
    expected.removeDuplicates();
    expected.sort();
    EXPECT_EQ(made.keys(), expected);  // nothing else, no file left behind

    // Again, with one ROM changed: its archive is made again under its
    // name, every other file stays as it was, not even written anew.
    const QDateTime old = QDateTime::currentDateTime().addYears(-20);
    for (const QString& name : made.keys()) {
        QFile file(m.at(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    m.write(u"Zelda.nes"_qs, "NES\x1a patched");
    const ProcessOutcome second = m.run();
    ASSERT_EQ(second.exitCode, 0) << second.standardError.toStdString();
    EXPECT_EQ(m.listed(), lines);
    const QMap<QString, QByteArray> again = m.files();
    EXPECT_EQ(again.keys(), made.keys());
    for (const QString& name : made.keys()) {
        const bool changed = name == u"Zelda.nes" || name == u"ZELDA_2.zip";
        EXPECT_EQ(QFileInfo(m.at(name)).lastModified() == old, !changed) << name.toStdString();
    }
    EXPECT_EQ(onlyEntry(m.at(u"ZELDA_2.zip"_qs)).second, QByteArray("NES\x1a patched"));
}

TEST(ConsoleList, ListOfADefinition) {
    const struct {
        const char* file;
        const char* emulator;  // the [Emulator] section's lines
        const char* extensions;
        const char* list;  // empty: refused
    } cases[] = {
        {"medgb.ini", "LBName=GB {x}\nType=console\nPlatform=GB\nExtensions=gb, GBC;gb", "gb gbc",
         "GB.lst"},
        {"medgb.ini", "LBName=GB {x}\nType=CONSOLE\nExtensions=gb", "gb", "MEDGB.lst"},
        // Only a console's list is shared.
        {"galaxian.ini", "LBName=G {x}\nType=MULTI\nPlatform=GB\nExtensions=zip", "zip",
         "GALAXIAN.lst"},
        {"mame.ini", "LBName=M {x}\nType=MAME\nExtensions=zip", "", ""},
        {"pong.ini", "LBName=P {x}\nType=SINGLE\nExtensions=zip", "", ""},
        {"medgb.ini", "LBName=GB\nType=CONSOLE\nExtensions=gb", "", ""},
        {"medgb.ini", "LBName=GB {x}\nType=CONSOLE\nPlatform=GB", "", ""},
        {"medgb.ini", "LBName=GB {x}\nType=CONSOLE\nPlatform=../GB\nExtensions=gb", "gb", ""},
        {".ini", "LBName=GB {x}\nType=CONSOLE\nExtensions=gb", "gb", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.emulator);
        const ConsoleList::ListTarget target = ConsoleList::TargetOfDefinition(
            q(c.file), QByteArray("[Emulator]\n") + c.emulator + "\n");
        EXPECT_EQ(target.listName, q(c.list));
        EXPECT_EQ(target.problem.isEmpty(), *c.list != '\0') << target.problem.toStdString();
        if (*c.list != '\0') {
            EXPECT_EQ(target.extensions.join(u' '), q(c.extensions));
        }
    }
}

TEST(MakeList, TakesEveryExtensionOfTheDefinitionAndKeepsEach) {
    MakeList m;
    m.write(u"Tetris.gb"_qs, "GB tetris");
    m.write(u"Zelda DX.GBC"_qs, "GBC zelda");
    m.write(u"Mario.nes"_qs, "NES mario");
    m.write(u"Notes.gbc.txt"_qs, "text");
    const QString definition = m.dir.filePath(u"medgb.ini"_qs);
    QFile file(definition);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Emulator]\r\nLBName=GB {x}\r\nType=CONSOLE\r\nPlatform=GB\r\n"
               "Extensions=gb gbc\r\n");
    file.close();
    const ProcessOutcome run = m.run({u"--emulator"_qs, definition});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(m.listed(), (QStringList{u"[Games]"_qs, u"TETRIS_1=\"Tetris\""_qs,
                                       u"ZELDADX=\"Zelda DX\""_qs, QString()}));
    EXPECT_EQ(onlyEntry(m.at(u"TETRIS_1.zip"_qs)).first, u"TETRIS_1.gb"_qs);
    EXPECT_EQ(onlyEntry(m.at(u"ZELDADX.zip"_qs)).first, u"ZELDADX.gbc"_qs);
    // The definition decides the extensions: naming others as well is a mistake.
    EXPECT_EQ(m.run({u"--emulator"_qs, definition, u"--extension"_qs, u"nes"_qs}).exitCode, 2);
}

TEST(MakeList, LeavesTheListAsItWasOnEveryFailure) {
    const struct {
        const char* what;
        int roms;  // of 4 KiB each, named at length
        QStringList options;
        const char* limits;  // bash's ulimit counts 1 KiB blocks
        const char* says;
    } cases[] = {
        {"no ROM in the folder", 0, {}, "", "no *.nes file in "},
        {"a wrong extension", 3, {u"--extension"_qs, u"sfc"_qs}, "", "no *.sfc file in "},
        // A full disk: every write beyond the bound fails as on a full one.
        {"no archive written", 3, {}, "trap '' XFSZ; ulimit -f 1", "cannot write "},
        {"the new list cut short", 60, {}, "trap '' XFSZ; ulimit -f 2", "cannot write "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeList m;
        for (int i = 0; i < c.roms; ++i) {
            QByteArray rom;
            for (int n = 0; n < 1024; ++n) {
                rom += QByteArray::number(quint32(n * 2654435761u ^ i), 16).right(4);
            }
            m.write(
                QStringLiteral("A game with a long name to fill the list, number %1.nes").arg(i),
                c.roms > 3 ? rom.left(16) : rom);
        }
        m.write(u"readme.txt"_qs, "not a ROM");
        QFile old(m.list());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("[Games]\r\nPONG=\"Pong\"\r\n");
        old.close();

        const ProcessOutcome run = m.run(c.options, q(c.limits));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.standardError.contains(q(c.says))) << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.contains(u"nothing written to " + m.list()));
        EXPECT_EQ(m.listed(), (QStringList{u"[Games]"_qs, u"PONG=\"Pong\""_qs, QString()}));
        EXPECT_TRUE(QDir(m.dir.path()).entryList(QDir::Hidden | QDir::Files).size() == 1)
            << "a new file left beside the list";
    }
}

TEST(MakeList, ReadsOnlyRegularFilesOfTheFolderWithinTheBound) {
    MakeList m;
    m.write(u"Real.nes"_qs, "NES\x1a real");
    m.write(u"../Outside.nes"_qs, "NES\x1a outside");
    const struct {
        const char* name;
        std::function<bool(const QString&)> make;
        const char* skipped;  // empty: listed
    } cases[] = {
        {"Alias.nes", [](const QString& at) { return QFile::link(u"Real.nes"_qs, at); }, ""},
        {"Zero.nes", [](const QString& at) { return QFile::link(u"/dev/zero"_qs, at); },
         "a link that leads out of the folder"},
        {"ToPipe.nes", [](const QString& at) { return QFile::link(u"Pipe.nes"_qs, at); },
         "not a regular file"},
        {"Out.nes", [](const QString& at) { return QFile::link(u"../Outside.nes"_qs, at); },
         "a link that leads out of the folder"},
        {"Pipe.nes",
         [](const QString& at) { return ::mkfifo(QFile::encodeName(at).constData(), 0644) == 0; },
         "not a regular file"},
        {"Folder.nes", [](const QString& at) { return QDir().mkdir(at); }, "not a regular file"},
        {"Huge.nes",
         [](const QString& at) {
             QFile file(at);
             return file.open(QIODevice::WriteOnly) && file.resize(RomArchive::kMaxRomBytes + 1);
         },
         "larger than 512 MiB"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.make(m.at(q(c.name)))) << c.name;
    }
    const ProcessOutcome run = m.run({}, {}, 30000);
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(m.listed(), (QStringList{u"[Games]"_qs, u"ALIAS_1=\"Alias\""_qs,
                                       u"REAL_1=\"Real\""_qs, QString()}));
    for (const auto& c : cases) {
        EXPECT_EQ(run.standardError.contains(u"skipped " + q(c.name) + u": " + q(c.skipped)),
                  *c.skipped != '\0')
            << c.name << ": " << run.standardError.toStdString();
    }
}

}  // namespace
