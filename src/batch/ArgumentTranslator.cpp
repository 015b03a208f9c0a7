#include "batch/ArgumentTranslator.h"

namespace ArgumentTranslator {
namespace {

bool isAsciiLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

qsizetype dosPathStart(const DosFileSystem& fs, const QString& argument) {
    for (qsizetype i = 0; i + 2 < argument.size(); ++i) {
        if (isAsciiLetter(argument[i]) && argument[i + 1] == u':' && argument[i + 2] == u'\\' &&
            !fs.drives().hostRoot(argument[i]).isEmpty()) {
            return i;
        }
    }
    return -1;
}

QString toHost(const DosFileSystem& fs, const QString& argument) {
    const qsizetype start = dosPathStart(fs, argument);
    if (start < 0) {
        return argument;
    }
    const QString dos = argument.mid(start);
    QString host = fs.hostPath(dos);
    if (dos.endsWith(u'\\') && !host.endsWith(u'/')) {
        host += u'/';
    }
    return argument.left(start) + host;
}

QString toWine(const DosFileSystem& fs, const DosFileSystem& wineDrives, const QString& argument) {
    const qsizetype start = dosPathStart(fs, argument);
    if (start < 0) {
        return argument;
    }
    const QString dos = argument.mid(start);
    QString wine = wineDrives.toDos(fs.hostPath(dos));
    if (wine.isEmpty()) {
        return argument;
    }
    if (dos.endsWith(u'\\') && !wine.endsWith(u'\\')) {
        wine += u'\\';
    }
    return argument.left(start) + wine;
}

}  // namespace ArgumentTranslator
