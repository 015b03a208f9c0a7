#include "gamelist/MameListConversion.h"

#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "platform/TextCodec.h"

namespace MameListConversion {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringList convert(const QStringList& output, const QString& header, int column) {
    QStringList lines;
    lines.reserve(output.size() + 1);
    lines << header;
    for (qsizetype i = 1; i < output.size(); ++i) {
        lines << PlaceSeparator(output[i], column);
    }
    return lines;
}

bool convertFile(const DosFileSystem& fs, const QString& path, const QString& header, int column) {
    const auto bytes = fs.readFile(path);
    if (!bytes) {
        return false;
    }
    const QStringList lines =
        convert(TextCodec::splitLines(TextCodec::decode(*bytes)), header, column);
    return fs.writeFile(path, TextCodec::encodeDosLines(lines));
}

}  // namespace

QString PlaceSeparator(const QString& row, int column) {
    qsizetype nameEnd = 0;
    while (nameEnd < row.size() && !isBlank(row[nameEnd]) && row[nameEnd] != u'"') {
        ++nameEnd;
    }
    if (nameEnd == row.size()) {
        return row;  // a name alone: nothing to separate it from
    }
    QString out = row;
    if (nameEnd <= column && column < row.size()) {
        bool paddedToColumn = true;
        for (qsizetype i = nameEnd; i <= column && paddedToColumn; ++i) {
            paddedToColumn = isBlank(row[i]);
        }
        if (paddedToColumn) {
            out[column] = u'=';
            return out;
        }
    }
    if (isBlank(row[nameEnd])) {
        out[nameEnd] = u'=';
    } else {
        out.insert(nameEnd, u'=');
    }
    return out;
}

QStringList ConvertGameList(const QStringList& output) {
    return convert(output, QStringLiteral("[Games]"), kGameColumn);
}

QStringList ConvertCloneList(const QStringList& output) {
    return convert(output, QStringLiteral("[Merged]"), kCloneColumn);
}

QString MergeFilePath(const QString& listFile) {
    const QString extension = DosPath::extension(listFile);
    return listFile.left(listFile.size() - extension.size()) + u".MRG";
}

bool ConvertListFiles(const DosFileSystem& fs, const QString& listFile) {
    const QString mergeFile = MergeFilePath(listFile);
    if (fs.fileExists(mergeFile)) {
        convertFile(fs, mergeFile, QStringLiteral("[Merged]"), kCloneColumn);
    }
    return convertFile(fs, listFile, QStringLiteral("[Games]"), kGameColumn);
}

}  // namespace MameListConversion
