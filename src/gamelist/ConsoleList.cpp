#include "gamelist/ConsoleList.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <memory>

#include "platform/TextCodec.h"

namespace ConsoleList {
namespace {

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

// The first of `stem`, variant(first), variant(first + 1) ... not taken.
template <typename Variant>
QString unique(const QString& stem, const QSet<QString>& taken, int first, Variant variant) {
    QString candidate = stem;
    for (int n = first; taken.contains(candidate.toCaseFolded()); ++n) {
        candidate = variant(n);
    }
    return candidate;
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

// <folder>/<short name>.zip holding the ROM as "<short name>.<extension>";
// an archive of an earlier run is replaced.
QString writeArchive(const QString& folder, const Game& game, const QString& extension) {
    const QByteArray path = QFile::encodeName(folder + u'/' + game.shortName + u".zip");
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive) {
        return u"cannot write " + QFile::decodeName(path);
    }
    const QByteArray rom = QFile::encodeName(folder + u'/' + game.file);
    zip_source_t* source = zip_source_file(archive.get(), rom.constData(), 0, 0);
    const QByteArray entry = (game.shortName + u'.' + extension).toUtf8();
    if (source == nullptr || zip_file_add(archive.get(), entry.constData(), source,
                                          ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(source);
        return u"cannot read " + QFile::decodeName(rom);
    }
    if (zip_close(archive.get()) != 0) {
        return u"cannot write " + QFile::decodeName(path);
    }
    archive.release();
    return {};
}

}  // namespace

std::vector<Game> NameGames(const QStringList& fileNames) {
    QSet<QString> taken;  // every file's own name, then each short name given
    for (const QString& file : fileNames) {
        taken.insert(baseName(file).toCaseFolded());
    }
    QSet<QString> fullNames;
    std::vector<Game> games;
    for (const QString& file : fileNames) {
        Game game;
        game.file = file;
        const QString stem = shortStem(baseName(file));
        game.shortName = unique(stem, taken, 1,
                                [&](int n) -> QString { return stem + u'_' + QString::number(n); });
        taken.insert(game.shortName.toCaseFolded());
        const QString cleaned = cleanFullName(baseName(file));
        const QString full = cleaned.isEmpty() ? game.shortName : cleaned;
        game.fullName = unique(full, fullNames, 2, [&](int n) -> QString {
            return full + u" (" + QString::number(n) + u')';
        });
        fullNames.insert(game.fullName.toCaseFolded());
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

Written WriteFolder(const QString& folder, const QString& extension, const QString& listFile) {
    Written written;
    const QStringList files =
        QDir(folder).entryList({u"*." + extension}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    std::vector<Game> games = NameGames(files);
    std::vector<Game> archived;
    for (const Game& game : games) {
        const QString problem = writeArchive(folder, game, extension.toLower());
        if (problem.isEmpty()) {
            archived.push_back(game);
        } else {
            written.problems << problem;
        }
    }
    QSaveFile list(listFile);
    if (!list.open(QIODevice::WriteOnly) ||
        list.write(TextCodec::encodeDosLines(ListLines(archived))) < 0 || !list.commit()) {
        written.problems << u"cannot write " + listFile;
        return written;
    }
    written.games = int(archived.size());
    return written;
}

}  // namespace ConsoleList
