// brivanel-makelist: writes a console emulator's list file from a folder of
// ROM files, so that a user with such a folder gets a list without writing
// one. Installed beside brivanel; the list goes there by default.
//
//   brivanel-makelist [--emulator ID] [--extension EXT]... [--list FILE] FOLDER
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "gamelist/ConsoleList.h"

namespace {

int usage() {
    std::fprintf(
        stderr,
        "usage: brivanel-makelist [--emulator ID] [--extension EXT]... [--list FILE] FOLDER\n"
        "  Gives every ROM file of FOLDER an archive named after its short name and\n"
        "  writes the list file. --emulator names a definition beside this program\n"
        "  (ID.ini, such as medgb): its Extensions are the ROM files' and the list is\n"
        "  its <Platform>.lst. Without it the ROM files are *.EXT (default: nes; EXT\n"
        "  may be several, \"gb,gbc\") and the list is <first EXT>.lst beside this\n"
        "  program. Files of the folder that it did not make are never changed, and\n"
        "  the list file only when every archive and the whole new list could be\n"
        "  written.\n");
    return 2;
}

// The definition `name` names: a path to it, or <ID>.ini beside this program
// (with or without ".ini"), found ignoring case as the program finds its
// definitions.
QString definitionPath(const QString& name) {
    if (name.contains(u'/')) {
        return name;
    }
    const QString id = name.endsWith(u".ini", Qt::CaseInsensitive) ? name.chopped(4) : name;
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& name : programDir.entryList({QStringLiteral("*.ini")}, QDir::Files)) {
        if (name.compare(id + u".ini", Qt::CaseInsensitive) == 0) {
            return programDir.filePath(name);
        }
    }
    return programDir.filePath(id + u".ini");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QStringList extensions;
    QString emulator;
    QString list;
    QString folder;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if ((arg == u"--extension" || arg == u"--list" || arg == u"--emulator") &&
            !args.isEmpty()) {
            const QString value = args.takeFirst();
            if (arg == u"--extension") {
                extensions << ConsoleList::ExtensionWords(value);
            } else {
                (arg == u"--list" ? list : emulator) = value;
            }
        } else if (arg.startsWith(u'-') || !folder.isEmpty()) {
            return usage();
        } else {
            folder = arg;
        }
    }
    if (folder.isEmpty() || (!emulator.isEmpty() && !extensions.isEmpty())) {
        return usage();
    }
    QString listName;
    if (!emulator.isEmpty()) {
        const QString path = definitionPath(emulator);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "brivanel-makelist: cannot read the definition %s\n",
                         qPrintable(path));
            return 1;
        }
        const ConsoleList::ListTarget target =
            ConsoleList::TargetOfDefinition(QFileInfo(path).fileName(), file.readAll());
        if (!target.problem.isEmpty()) {
            std::fprintf(stderr, "brivanel-makelist: %s\n", qPrintable(target.problem));
            return 1;
        }
        extensions = target.extensions;
        listName = target.listName;
    } else if (extensions.isEmpty()) {
        extensions << QStringLiteral("nes");
    }
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "brivanel-makelist: %s is no folder\n", qPrintable(folder));
        return 1;
    }
    if (list.isEmpty()) {
        list = QCoreApplication::applicationDirPath() + u'/' +
               (listName.isEmpty() ? extensions.first().toUpper() + u".lst" : listName);
    }
    const ConsoleList::Written written = ConsoleList::WriteFolder(folder, extensions, list);
    for (const QString& skipped : written.skipped) {
        std::fprintf(stderr, "brivanel-makelist: skipped %s\n", qPrintable(skipped));
    }
    for (const QString& problem : written.problems) {
        std::fprintf(stderr, "brivanel-makelist: %s\n", qPrintable(problem));
    }
    if (!written.problems.isEmpty()) {
        std::fprintf(stderr, "brivanel-makelist: nothing written to %s\n", qPrintable(list));
        return 1;
    }
    std::printf("%d games listed in %s\n", written.games, qPrintable(list));
    return 0;
}
