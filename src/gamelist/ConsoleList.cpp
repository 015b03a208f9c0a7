#include "gamelist/ConsoleList.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMultiHash>
#include <QSet>

#include "catalogue/EmulatorDefinition.h"
#include "catalogue/ProfileFile.h"
#include "dosnames/DosCase.h"
#include "gamelist/RomArchive.h"
#include "platform/FileReplace.h"
#include "platform/TextCodec.h"

namespace ConsoleList {
namespace {

// The file's extension when it is one of `extensions` (lower case), else empty.
QString romExtension(const QString& file, const QStringList& extensions) {
    const qsizetype dot = file.lastIndexOf(u'.');
    const QString extension = dot > 0 ? file.mid(dot + 1).toLower() : QString();
    return extensions.contains(extension) ? extension : QString();
}

QString baseName(const QString& file) {
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot > 0 ? file.left(dot) : file;
}

QString cleanFullName(const QString& name) {
    QString out;
    for (const QChar c : name) {
        out += (c.unicode() < 0x20 || c.unicode() == 0x7F) ? QChar(u' ') : c;
    }
    return out.trimmed();
}

// ASCII letters and digits of the name, accents taken off ("É" gives "E").
QString shortStem(const QString& name) {
    QString out;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')) {
            out += c.toUpper();
        }
        if (out.size() == kMaxShortName) {
            break;
        }
    }
    return out.isEmpty() ? QStringLiteral("GAME") : out;
}

// The first of `stem`, variant(first), variant(first + 1) ... that is free.
template <typename Free, typename Variant>
QString unique(const QString& stem, int first, Free free, Variant variant) {
    QString candidate = stem;
    for (int n = first; !free(candidate); ++n) {
        candidate = variant(n);
    }
    return candidate;
}

// The ROM search takes a path for a game's when it holds "\" + short name +
// "."; every entry whose name begins so, or is the short name, is one the
// short name would find.
QString searchStem(const QString& entryName) {
    const qsizetype dot = entryName.indexOf(u'.');
    return DosCase::fold(dot < 0 ? entryName : entryName.left(dot));
}

struct Folder {
    QStringList roms;
    QStringList skipped;
    QMultiHash<QString, QString> entries;  // every entry's name by its searchStem
};

Folder scan(const QString& folder, const QStringList& extensions) {
    Folder found;
    const QString inside = QFileInfo(folder).canonicalFilePath() + u'/';
    const QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        found.entries.insert(searchStem(name), name);
        if (name.startsWith(u'.') || romExtension(name, extensions).isEmpty()) {
            continue;
        }
        const QFileInfo info(folder + u'/' + name);
        if (info.isSymLink() && !info.canonicalFilePath().startsWith(inside)) {
            found.skipped << name + u": a link that leads out of the folder";
        } else if (!info.isFile()) {
            found.skipped << name + u": not a regular file";
        } else if (info.size() > RomArchive::kMaxRomBytes) {
            found.skipped << name + QStringLiteral(": larger than %1 MiB")
                                        .arg(RomArchive::kMaxRomBytes >> 20);
        } else {
            found.roms << name;
        }
    }
    return found;
}

}  // namespace

QStringList ExtensionWords(const QString& words) {
    QStringList extensions;
    QString word;
    const QString ended = words + u' ';
    for (const QChar c : ended) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80) {
            word += c.toLower();
        } else if (!word.isEmpty()) {
            if (!extensions.contains(word)) {
                extensions << word;
            }
            word.clear();
        }
    }
    return extensions;
}

ListTarget TargetOfDefinition(const QString& definitionFileName, const QByteArray& content) {
    const ProfileFile ini = ProfileFile::parse(content);
    const auto read = [&](const char16_t* key) {
        return ini.readString(QString::fromUtf16(kEmulatorSection), QString::fromUtf16(key),
                              QString());
    };
    ListTarget target;
    const QString type = read(u"Type").toUpper();
    if (!read(u"LBName").contains(u'{') || (type != u"CONSOLE" && type != u"MULTI")) {
        target.problem = definitionFileName +
                         u" is no definition of a CONSOLE or MULTI emulator, whose list this makes";
        return target;
    }
    target.extensions = ExtensionWords(read(u"Extensions"));
    if (target.extensions.isEmpty()) {
        target.problem = definitionFileName + u" names no Extensions";
        return target;
    }
    const QString platform = type == u"CONSOLE" ? read(u"Platform") : QString();
    // The name becomes a file beside the program: only letters, digits, "-" and "_".
    const QString name = platform.isEmpty() ? EmulatorIdFromFileName(definitionFileName) : platform;
    const bool usable = !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c.isLetterOrNumber() && c.unicode() < 0x80) || c == u'-' || c == u'_';
    });
    if (!usable) {
        target.problem = definitionFileName + u" gives the list no usable name: " + name;
        return target;
    }
    target.listName = name + u".lst";
    return target;
}

std::vector<Game> NameGames(const QStringList& fileNames, const ShortNameCheck& usable) {
    QSet<QString> taken;  // every file's own name, then each short name given
    for (const QString& file : fileNames) {
        taken.insert(DosCase::fold(baseName(file)));
    }
    QSet<QString> fullNames;
    std::vector<Game> games;
    for (const QString& file : fileNames) {
        Game game;
        game.file = file;
        const QString stem = shortStem(baseName(file));
        const auto free = [&](const QString& candidate) {
            return !taken.contains(DosCase::fold(candidate)) &&
                   (!usable || usable(candidate, file));
        };
        game.shortName = unique(stem, 1, free,
                                [&](int n) -> QString { return stem + u'_' + QString::number(n); });
        taken.insert(DosCase::fold(game.shortName));
        const QString cleaned = cleanFullName(baseName(file));
        const QString full = cleaned.isEmpty() ? game.shortName : cleaned;
        const auto freeFull = [&](const QString& c) {
            return !fullNames.contains(DosCase::fold(c));
        };
        game.fullName = unique(full, 2, freeFull, [&](int n) -> QString {
            return full + u" (" + QString::number(n) + u')';
        });
        fullNames.insert(DosCase::fold(game.fullName));
        games.push_back(game);
    }
    return games;
}

QStringList ListLines(const std::vector<Game>& games) {
    QStringList lines{QStringLiteral("[Games]")};
    for (const Game& game : games) {
        lines << game.shortName + u"=\"" + game.fullName + u'"';
    }
    return lines;
}

Written WriteFolder(const QString& folder, const QStringList& extensionList,
                    const QString& listFile) {
    const QStringList extensions = ExtensionWords(extensionList.join(u' '));
    Written written;
    const Folder found = scan(folder, extensions);
    written.skipped = found.skipped;
    if (found.roms.isEmpty()) {
        written.problems << QStringLiteral("no *.%1 file in %2")
                                .arg(extensions.join(QStringLiteral(", *.")), folder);
        return written;
    }
    // The entry keeps the ROM's own extension: an emulator may tell two
    // systems of one list apart by it (".gb" and ".gbc").
    const auto entryName = [&](const Game& game) -> QString {
        return game.shortName + u'.' + romExtension(game.file, extensions);
    };
    // What the archive already named like a candidate is to the ROM it was
    // tried for; looked at once, since it means reading both.
    QHash<QString, RomArchive::Existing> existing;
    const auto usable = [&](const QString& shortName, const QString& file) {
        const QStringList same = found.entries.values(DosCase::fold(shortName));
        if (same.isEmpty()) {
            return true;
        }
        if (same.size() > 1 || !DosCase::same(same[0], QString(shortName + u".zip"))) {
            return false;
        }
        const RomArchive::Existing archive = RomArchive::inspect(
            folder + u'/' + same[0], shortName + u'.' + romExtension(file, extensions),
            folder + u'/' + file);
        existing.insert(same[0] + u'/' + file, archive);
        return archive.madeHere || archive.holdsRom;
    };
    const std::vector<Game> games = NameGames(found.roms, usable);
    for (const Game& game : games) {
        const QStringList same = found.entries.values(DosCase::fold(game.shortName));
        if (!same.isEmpty() && existing.value(same[0] + u'/' + game.file).holdsRom) {
            continue;
        }
        const QString archive =
            folder + u'/' + (same.isEmpty() ? game.shortName + u".zip" : same[0]);
        const QString problem =
            RomArchive::write(archive, entryName(game), folder + u'/' + game.file, !same.isEmpty());
        if (!problem.isEmpty()) {
            written.problems << problem;
        }
    }
    if (written.problems.isEmpty()) {
        const QString problem =
            FileReplace::replace(listFile, TextCodec::encodeDosLines(ListLines(games)));
        if (!problem.isEmpty()) {
            written.problems << problem;
        } else {
            written.games = int(games.size());
        }
    }
    return written;
}

}  // namespace ConsoleList
