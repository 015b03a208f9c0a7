// The definitions the installer ships for Debian's emulators: every option
// word is one that the installed emulator accepts, and the first choice of
// each list is what the emulator does without it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "catalogue/ProfileFile.h"
#include "launch/mame/ShippedEmulators.h"
#include "support/Text.h"

namespace {

const QStringList kNotFragments{q("Name"), q("Hint"), q("Min"), q("Max"), q("Default")};
const QStringList kNotOptions{q("Emulator"), q("Config"), q("Keyhelp")};

ProfileFile load(const QString& definition) {
    QFile file(QDir(q(BRIVANEL_EMULATORS_DIR)).filePath(definition + u".ini"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return ProfileFile::parse(file.readAll());
}

bool isListGroup(const QString& section) {
    static const QStringList lists{q("Resolutions"), q("FrameSkip"),  q("VesaMode"),
                                   q("Extra"),       q("Sound"),      q("Rotate"),
                                   q("Controller1"), q("Controller2")};
    return lists.contains(section, Qt::CaseInsensitive);
}

// The command-line text of every option group and of AlwaysDo, as words.
QStringList fragmentWords(const ProfileFile& ini) {
    QStringList words =
        ini.readString(q("Emulator"), q("AlwaysDo"), QString()).split(u' ', Qt::SkipEmptyParts);
    for (const QString& section : ini.sectionNames()) {
        if (kNotOptions.contains(section, Qt::CaseInsensitive)) {
            continue;
        }
        for (const QString& key : ini.keyNames(section)) {
            if (!kNotFragments.contains(key, Qt::CaseInsensitive)) {
                words << ini.readString(section, key, QString()).split(u' ', Qt::SkipEmptyParts);
            }
        }
    }
    return words;
}

// "-name value" pairs of a fragment, for emulators whose options all take a value.
QMap<QString, QString> settingsOf(const QString& fragment) {
    const QStringList words = fragment.split(u' ', Qt::SkipEmptyParts);
    QMap<QString, QString> settings;
    for (qsizetype i = 0; i + 1 < words.size(); i += 2) {
        EXPECT_TRUE(words[i].startsWith(u'-')) << fragment.toStdString();
        settings.insert(words[i].mid(1), words[i + 1]);
    }
    EXPECT_EQ(words.size() % 2, 0) << "an option without its value: " << fragment.toStdString();
    return settings;
}

// Values as the emulators write them back: "6" is "6.000000", "1" is "true".
bool sameValue(const QString& a, const QString& b) {
    const auto normal = [](const QString& v) {
        bool number = false;
        const double d = v.toDouble(&number);
        if (number) {
            return QString::number(d);
        }
        return v == u"true" ? q("1") : v == u"false" ? q("0") : v.toLower();
    };
    return normal(a) == normal(b);
}

// Choosing the first entry of a list must undo any other: the emulator keeps
// what it is started with, so the first entry names every setting of its
// list, with the emulator's own default where the emulator keeps the setting.
void expectFirstChoicesAreDefaults(const QString& definition,
                                   const QMap<QString, QString>& defaults) {
    SCOPED_TRACE(definition.toStdString());
    const ProfileFile ini = load(definition);
    for (const QString& section : ini.sectionNames()) {
        const QStringList captions = ini.keyNames(section);
        if (!isListGroup(section) || captions.isEmpty()) {
            continue;
        }
        const QMap<QString, QString> first =
            settingsOf(ini.readString(section, captions[0], QString()));
        for (const QString& caption : captions) {
            const QMap<QString, QString> choice =
                settingsOf(ini.readString(section, caption, QString()));
            for (auto it = choice.begin(); it != choice.end(); ++it) {
                if (!defaults.contains(it.key())) {
                    continue;  // not kept: each start gives it anew
                }
                ASSERT_TRUE(first.contains(it.key()))
                    << section.toStdString() << ": " << caption.toStdString() << " sets "
                    << it.key().toStdString() << ", the first choice does not";
                EXPECT_TRUE(sameValue(first[it.key()], defaults[it.key()]))
                    << section.toStdString() << ": " << it.key().toStdString() << " "
                    << first[it.key()].toStdString() << ", default "
                    << defaults[it.key()].toStdString();
            }
        }
    }
    // A check box's two states set the same settings, or one would stay.
    for (const QString& section : ini.sectionNames()) {
        if (!kNotOptions.contains(section, Qt::CaseInsensitive) && !isListGroup(section)) {
            EXPECT_EQ(settingsOf(ini.readString(section, q("Check"), QString())).keys(),
                      settingsOf(ini.readString(section, q("Clear"), QString())).keys())
                << section.toStdString();
        }
    }
}

TEST(ShippedDefinitions, EachIsAConsoleOrMameDefinitionWithKeyHelp) {
    const QList<ShippedEmulator> rows = ShippedEmulators();
    QStringList definitions;
    for (const ShippedEmulator& row : rows) {
        definitions << row.definition;
    }
    const QStringList files =
        QDir(q(BRIVANEL_EMULATORS_DIR)).entryList({q("*.ini")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 14);
    QMap<QString, QString> extensionsOfPlatform;
    for (const QString& file : files) {
        const QString definition = QFileInfo(file).completeBaseName();
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(definitions.contains(definition)) << "no row in the installer's table";
        const ProfileFile ini = load(definition);
        const auto read = [&](const char* section, const char* key) {
            return ini.readString(q(section), q(key), QString());
        };
        EXPECT_TRUE(read("Emulator", "LBName").contains(u'{'));
        EXPECT_EQ(read("Keyhelp", "Filename"), q("KEYS.TXT"));
        EXPECT_FALSE(read("Keyhelp", "KeyBegin").isEmpty());
        const QString type = read("Emulator", "Type");
        if (type == u"CONSOLE") {
            const QString platform = read("Emulator", "Platform");
            EXPECT_FALSE(platform.isEmpty());
            EXPECT_FALSE(read("Emulator", "Extensions").isEmpty());
            // One list per system: every emulator of it reads the same files.
            if (extensionsOfPlatform.contains(platform)) {
                EXPECT_EQ(extensionsOfPlatform[platform], read("Emulator", "Extensions"));
            }
            extensionsOfPlatform.insert(platform, read("Emulator", "Extensions"));
        } else {
            EXPECT_EQ(type, q("MAME"));
        }
        for (const QString& section : ini.sectionNames()) {
            if (isListGroup(section)) {
                EXPECT_FALSE(ini.keyNames(section).isEmpty()) << section.toStdString();
            }
        }
    }
}

QString run(const QString& program, const QStringList& arguments, const QString& home,
            int* exitCode = nullptr) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(q("HOME"), home);
    env.remove(q("MEDNAFEN_HOME"));
    env.insert(q("SDL_VIDEODRIVER"), q("dummy"));
    env.insert(q("SDL_AUDIODRIVER"), q("dummy"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode != nullptr) {
        *exitCode = process.exitCode();
    }
    return QString::fromLocal8Bit(process.readAll());
}

TEST(ShippedDefinitions, MameAcceptsEveryFragmentAndStartsAsWithout) {
    const QString mame = q("/usr/games/mame");
    if (!QFileInfo(mame).isExecutable()) {
        GTEST_SKIP() << "Debian's mame is not installed";
    }
    QTemporaryDir home;
    const ProfileFile ini = load(q("mame"));
    const QStringList words = fragmentWords(ini);
    ASSERT_GT(words.size(), 40);
    int status = 0;
    const QString out = run(mame, QStringList{q("-showconfig")} + words, home.path(), &status);
    EXPECT_EQ(status, 0) << out.right(400).toStdString();
    EXPECT_FALSE(out.contains(q("Error"))) << out.right(400).toStdString();

    // With Debian's mame.ini, as the launcher starts it.
    QStringList firstChoices;
    for (const QString& section : ini.sectionNames()) {
        if (isListGroup(section)) {
            const QString first = ini.keyNames(section).value(0);
            firstChoices
                << ini.readString(section, first, QString()).split(u' ', Qt::SkipEmptyParts);
        }
    }
    EXPECT_TRUE(firstChoices.contains(q("-rotate")));
    const QString plain = run(mame, {q("-showconfig")}, home.path());
    const QString chosen = run(mame, QStringList{q("-showconfig")} + firstChoices, home.path());
    ASSERT_TRUE(plain.contains(q("rotate                    1")));
    EXPECT_EQ(chosen.split(u'\n'), plain.split(u'\n')) << firstChoices.join(u' ').toStdString();
}

TEST(ShippedDefinitions, MednafenAcceptsEveryFragmentAndStartsAsWithout) {
    const QString mednafen = q("/usr/games/mednafen");
    if (!QFileInfo(mednafen).isExecutable()) {
        GTEST_SKIP() << "Debian's mednafen is not installed";
    }
    QTemporaryDir home;
    const QString missing = q("/nonexistent/game.nes");
    // A first start writes every setting with its default.
    run(mednafen, {missing}, home.path());
    QMap<QString, QString> defaults;
    QFile cfg(home.filePath(q(".mednafen/mednafen.cfg")));
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(cfg.readAll()).split(u'\n')) {
        if (!line.startsWith(u';') && line.contains(u' ')) {
            defaults.insert(line.section(u' ', 0, 0), line.section(u' ', 1));
        }
    }
    ASSERT_GT(defaults.size(), 1000);

    int definitions = 0;
    for (const ShippedEmulator& row : ShippedEmulators()) {
        if (row.program != mednafen) {
            continue;
        }
        ++definitions;
        SCOPED_TRACE(row.definition.toStdString());
        expectFirstChoicesAreDefaults(row.definition, defaults);
        // Mednafen checks every setting before it looks for the game.
        const QStringList words = fragmentWords(load(row.definition));
        ASSERT_GT(words.size(), 30);
        const QString out = run(mednafen, words + QStringList{missing}, home.path());
        EXPECT_TRUE(out.contains(u"Error opening file \"" + missing + u'"'))
            << out.right(400).toStdString();
    }
    EXPECT_EQ(definitions, 12);
}

// Stella's options and, where its help lists them, their values: "-name
// <a|b>" or "-name <0 - 5>".
QMap<QString, QString> stellaOptions(const QString& help) {
    QMap<QString, QString> options;
    static const QRegularExpression option(q("^\\s+-([\\w.]+)\\s*(<[^>]*>)?"));
    for (const QString& line : help.split(u'\n')) {
        const QRegularExpressionMatch m = option.match(line);
        if (m.hasMatch()) {
            options.insert(m.captured(1), m.captured(2));
        }
    }
    return options;
}

bool stellaAllows(const QString& values, const QString& value) {
    static const QRegularExpression range(q("^<(-?[\\d.]+)\\s*-\\s*(-?[\\d.]+)>$"));
    static const QRegularExpression choices(q("^<[\\w.]+(\\|[\\w.]+)+>$"));
    if (const QRegularExpressionMatch m = range.match(values); m.hasMatch()) {
        return value.toDouble() >= m.captured(1).toDouble() &&
               value.toDouble() <= m.captured(2).toDouble();
    }
    if (choices.match(values).hasMatch()) {
        return values.mid(1, values.size() - 2).split(u'|').contains(value);
    }
    return true;  // "<number>", "<type>": checked by the play
}

TEST(ShippedDefinitions, StellaAcceptsEveryFragmentAndStartsAsWithout) {
    const QString stella = q("/usr/bin/stella");
    if (!QFileInfo(stella).isExecutable()) {
        GTEST_SKIP() << "Debian's stella is not installed";
    }
    QTemporaryDir home;
    QDir(home.path()).mkpath(q(".config/stella"));
    const QMap<QString, QString> options = stellaOptions(run(stella, {q("-help")}, home.path()));
    ASSERT_GT(options.size(), 100);
    const QStringList words = fragmentWords(load(q("stella")));
    const QMap<QString, QString> settings = settingsOf(words.join(u' '));
    ASSERT_GT(settings.size(), 8);
    const QStringList controllers = ShippedEmulatorRun::StellaControllerTypes();
    for (qsizetype i = 0; i + 1 < words.size(); i += 2) {
        const QString name = words[i].mid(1);
        ASSERT_TRUE(options.contains(name)) << words[i].toStdString();
        EXPECT_TRUE(stellaAllows(options[name], words[i + 1]))
            << name.toStdString() << " " << words[i + 1].toStdString() << " not in "
            << options[name].toStdString();
        if (name == u"lc" || name == u"rc") {
            EXPECT_TRUE(controllers.contains(words[i + 1])) << words[i + 1].toStdString();
        }
    }
    const QMap<QString, QString> defaults = ShippedEmulatorRun::StellaDefaults(home.path());
    ASSERT_GT(defaults.size(), 100);
    expectFirstChoicesAreDefaults(q("stella"), defaults);
}

}  // namespace
