// brivanel-makelist: writes a console emulator's list file from a folder of
// ROM files, so that a user with such a folder gets a list without writing
// one. Installed beside brivanel; the list goes there by default.
//
//   brivanel-makelist [--extension EXT] [--list FILE] FOLDER
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "gamelist/ConsoleList.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: brivanel-makelist [--extension EXT] [--list FILE] FOLDER\n"
                 "  Gives every FOLDER/*.EXT (default: nes) an archive named after its short\n"
                 "  name and writes the list file (default: NES.lst beside this program).\n"
                 "  Files of the folder that it did not make are never changed, and the list\n"
                 "  file only when every archive and the whole new list could be written.\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString extension = QStringLiteral("nes");
    QString list;
    QString folder;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if ((arg == u"--extension" || arg == u"--list") && !args.isEmpty()) {
            (arg == u"--list" ? list : extension) = args.takeFirst();
        } else if (arg.startsWith(u'-') || !folder.isEmpty()) {
            return usage();
        } else {
            folder = arg;
        }
    }
    extension.remove(0, extension.startsWith(u'.') ? 1 : 0);
    if (folder.isEmpty() || extension.isEmpty()) {
        return usage();
    }
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "brivanel-makelist: %s is no folder\n", qPrintable(folder));
        return 1;
    }
    if (list.isEmpty()) {
        list = QCoreApplication::applicationDirPath() + u'/' + extension.toUpper() + u".lst";
    }
    const ConsoleList::Written written = ConsoleList::WriteFolder(folder, extension, list);
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
