#include "maintenance/KeyHelp.h"

#include <stdexcept>

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosFileSystem.h"
#include "platform/TextCodec.h"

namespace KeyHelp {

namespace {

// A document line may start with a run of dashes that frames it; the run
// goes, a blank line stays as it is.
void stripFramingDashes(QString& line) {
    while (!isBlankLine(line) && line.trimmed().startsWith(u'-')) {
        line.remove(0, 1);
    }
}

QStringList readLines(const DosFileSystem& fs, const QString& path) {
    const std::optional<QByteArray> bytes = fs.readFile(path);
    if (!bytes) {
        throw std::runtime_error(
            QStringLiteral("Cannot open file \"%1\". No such file or directory.")
                .arg(path)
                .toStdString());
    }
    return TextCodec::splitLines(TextCodec::decode(*bytes));
}

}  // namespace

bool isBlankLine(const QString& line) {
    for (const QChar c : line) {
        if (c.unicode() > u' ') {
            return false;
        }
    }
    return true;
}

QString GameMarker(const QString& gameSpecific, const QString& shortName,
                   const QString& entryName) {
    QString marker = gameSpecific;
    const auto replaceFirst = [&marker](const QString& placeholder, const QString& value) {
        const qsizetype at = marker.indexOf(placeholder);
        if (at >= 0) {
            marker.replace(at, placeholder.size(), value);
        }
    };
    replaceFirst(QStringLiteral("%sn%"), shortName);
    replaceFirst(QStringLiteral("%ln%"), entryName);
    return marker;
}

std::optional<QStringList> GamePassage(QStringList lines, const QString& marker, int blankLines) {
    if (marker.isEmpty()) {
        return std::nullopt;
    }
    const QString wanted = marker.toUpper();
    qsizetype found = -1;
    for (qsizetype k = 0; k < lines.size() && found < 0; ++k) {
        if (lines[k].toUpper().contains(wanted)) {
            found = k;
        }
    }
    if (found < 0) {
        return std::nullopt;
    }

    // Backward: the passage starts after the run of blank lines before the marker.
    qsizetype c = 0;
    qsizetype i = found;
    while (c < blankLines && i >= 0) {
        stripFramingDashes(lines[i]);
        c = isBlankLine(lines[i]) ? c + 1 : 0;
        --i;
    }
    if (i + c >= 0) {
        lines.remove(0, i + c + 1);
    }

    // Forward: it ends before the next such run. The first two lines keep
    // their dashes, as they may be part of the passage's own heading.
    qsizetype j = 0;
    qsizetype d = 0;
    while (d < blankLines && j < lines.size()) {
        if (j > 1) {
            while (lines[j].startsWith(u'-')) {
                lines[j].remove(0, 1);
            }
        }
        d = isBlankLine(lines[j]) ? d + 1 : 0;
        ++j;
    }
    lines.remove(j - d, lines.size() - (j - d));
    return lines;
}

QStringList GeneralKeyList(QStringList lines, const QString& keyBegin, const QString& keyEnd) {
    qsizetype begin = lines.size();
    if (!keyBegin.isEmpty()) {
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (lines[k].contains(keyBegin)) {
                begin = k;
                break;
            }
        }
    }
    lines.remove(0, begin);
    if (!keyEnd.isEmpty()) {
        for (qsizetype k = lines.size() - 1; k >= 0; --k) {
            if (lines[k].contains(keyEnd)) {
                lines.remove(k, lines.size() - k);
                break;
            }
        }
    }
    return lines;
}

std::optional<Passage> PassageFor(const DosFileSystem& fs, const EmulatorDefinition& emulator,
                                  const QString& entryName, const QString& shortName,
                                  const QString& emulatorFolder) {
    if (emulator.keyHelpFile.isEmpty() && emulator.gameKeyHelpFile.isEmpty()) {
        return std::nullopt;
    }
    Passage passage{QStringLiteral("Keys for ") + entryName, {}};
    if (entryName != emulator.lbName) {
        const QString document =
            emulator.gameKeyHelpFile.isEmpty() ? emulator.keyHelpFile : emulator.gameKeyHelpFile;
        const QString marker = GameMarker(emulator.gameSpecific, shortName, entryName);
        if (std::optional<QStringList> lines = GamePassage(readLines(fs, emulatorFolder + document),
                                                           marker, emulator.gsBlankLines)) {
            passage.lines = std::move(*lines);
            return passage;
        }
    }
    if (emulator.keyHelpFile.isEmpty()) {
        return std::nullopt;
    }
    passage.lines = GeneralKeyList(readLines(fs, emulatorFolder + emulator.keyHelpFile),
                                   emulator.keyBegin, emulator.keyEnd);
    return passage;
}

}  // namespace KeyHelp
