#include "catalogue/EmulatorDefinition.h"

#include "catalogue/LoadProfile.h"
#include "platform/DosPath.h"

namespace {

const QString kEmulator = QString::fromUtf16(kEmulatorSection);
const QString kKeyhelp = QStringLiteral("Keyhelp");
const QString kConfig = QStringLiteral("Config");

bool isKnownType(const QString& upperType) {
    return upperType == u"MAME" || upperType == u"SINGLE" || upperType == u"MULTI" ||
           upperType == u"CONSOLE";
}

}  // namespace

QString EmulatorDefinition::tabCaption() const {
    const qsizetype brace = lbName.indexOf(u'{');
    return brace < 0 ? lbName : lbName.left(std::max<qsizetype>(0, brace - 1));
}

QString EmulatorIdFromFileName(const QString& fileName) {
    const qsizetype dot = fileName.indexOf(u'.');
    return (dot < 0 ? fileName : fileName.left(dot)).toUpper();
}

bool IsEmulatorDefinition(const DosFileSystem& fs, const QString& dosPath) {
    const ProfileFile ini = LoadProfile(fs, dosPath);
    return ini.readString(kEmulator, QStringLiteral("LBName"), QString()).contains(u'{') &&
           isKnownType(ini.readString(kEmulator, QStringLiteral("Type"), QString()).toUpper());
}

EmulatorDefinition ReadEmulatorDefinition(const DosFileSystem& fs, const QString& programDirectory,
                                          const QString& emulatorId) {
    const ProfileFile ini = LoadProfile(fs, programDirectory + emulatorId + u".ini");
    const auto str = [&ini](const QString& section, const char16_t* key) {
        return ini.readString(section, QString::fromUtf16(key), QString());
    };
    EmulatorDefinition d;
    d.emulatorId = emulatorId;
    d.lbName = str(kEmulator, u"LBName");
    d.sortName =
        ini.readString(kEmulator, QStringLiteral("SortName"), QString::fromUtf16(kDefaultSortName));
    d.type = str(kEmulator, u"Type").toUpper();
    if (d.type == u"CONSOLE") {
        d.platform = str(kEmulator, u"Platform");
    }
    d.extensions = str(kEmulator, u"Extensions").toUpper();
    d.notSingle = d.type != u"SINGLE";
    d.romPath = DosPath::withTrailingBackslash(str(kEmulator, u"ROMPath"));
    d.zippedRomPath = DosPath::withTrailingBackslash(str(kEmulator, u"ZippedROMPath"));
    d.romLast = ini.readBool(kEmulator, QStringLiteral("ROMLast"), false);
    d.samplesPath = str(kEmulator, u"SamplesPath");
    d.showJoyEmu = ini.readBool(kEmulator, QStringLiteral("ShowJoyEmu"), false);
    d.showAdditional = ini.readBool(kEmulator, QStringLiteral("ShowAdditional"), true);
    d.gameSwitch = str(kEmulator, u"GameSwitch");
    d.alwaysDo = str(kEmulator, u"AlwaysDo");

    QStringList sections;
    for (const QString& name : ini.sectionNames()) {
        sections << name.toUpper();
    }

    d.keyHelpFile = str(kKeyhelp, u"Filename");
    d.keyBegin = str(kKeyhelp, u"KeyBegin");
    d.keyEnd = str(kKeyhelp, u"KeyEnd");
    d.gameKeyHelpFile = str(kKeyhelp, u"GSFileName");
    d.gameSpecific = str(kKeyhelp, u"GameSpecific");
    d.gsBlankLines = ini.readInteger(kKeyhelp, QStringLiteral("GSBlankLines"), 0);
    d.highScorePattern = str(kConfig, u"High");
    d.nvramPattern = str(kConfig, u"RAM");
    d.configPattern = str(kConfig, u"Cfg");
    d.dipswitchPattern = str(kConfig, u"Dip");
    d.keyPattern = str(kConfig, u"Key");

    for (int g = 0; g < kCheckGroupCount; ++g) {
        const QString section = QString::fromUtf16(kCheckGroups[size_t(g)].section);
        CheckGroupDefinition& c = d.checks[size_t(g)];
        c.present = sections.contains(section.toUpper());
        c.name = str(section, u"Name");
        c.hint = str(section, u"Hint");
        if (g == index(CheckGroup::LinesOffscreen)) {
            d.linesOffscreenMin = ini.readInteger(section, QStringLiteral("Min"), 0);
            d.linesOffscreenMax = ini.readInteger(section, QStringLiteral("Max"), 32);
            d.linesOffscreenDefault = ini.readInteger(section, QStringLiteral("Default"), 8);
        }
        c.clear = str(section, u"Clear");
        c.check = str(section, u"Check");
    }
    for (int g = 0; g < kListGroupCount; ++g) {
        const QString section = QString::fromUtf16(kListGroups[size_t(g)].section);
        ListGroupDefinition& l = d.lists[size_t(g)];
        l.present = sections.contains(section.toUpper());
        l.captions = ini.keyNames(section);
        for (const QString& caption : l.captions) {
            l.fragments << ini.readString(section, caption, QString());
        }
    }
    return d;
}
