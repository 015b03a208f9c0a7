#include "gamelist/ListFileGames.h"

#include <QSet>

#include "platform/DosFileSystem.h"
#include "platform/TextCodec.h"

namespace ListFileGames {

bool IsSafeName(const QString& name) {
    if (name.isEmpty() || name.count(u'.') == name.size()) {
        return false;  // nothing, ".", "..", "...": each names a folder, not a game
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c)) {
            return false;
        }
    }
    return true;
}

QStringList CollectGameNames(const QStringList& lines) {
    QStringList names;
    QSet<QString> seen;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty() || line.startsWith(u';')) {
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) {
            continue;
        }
        const QString name = line.left(eq).trimmed();
        if (!IsSafeName(name)) {
            continue;
        }
        const QString folded = name.toCaseFolded();
        if (seen.contains(folded)) {
            continue;
        }
        seen.insert(folded);
        names << name;
    }
    return names;
}

QStringList ReadGameNames(const DosFileSystem& fs, const QString& listFile) {
    const auto bytes = fs.readFile(listFile);
    return bytes ? CollectGameNames(TextCodec::splitLines(TextCodec::decode(*bytes)))
                 : QStringList();
}

}  // namespace ListFileGames
