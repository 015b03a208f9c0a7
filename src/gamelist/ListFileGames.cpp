#include "gamelist/ListFileGames.h"

#include <QSet>

#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "platform/TextCodec.h"

namespace ListFileGames {

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
        if (!DosPath::isSafeName(name)) {
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
