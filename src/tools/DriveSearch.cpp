#include "tools/DriveSearch.h"

#include <algorithm>

#include "catalogue/EmulatorTable.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"

namespace {

constexpr qsizetype kMaxRest = 255;

bool isAsciiLetterOrDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9');
}

// The words of an Extensions value; a value without any word yields one
// empty word, which becomes the fragment ".".
QStringList extensionWords(const QString& extensions) {
    QString text = extensions;
    for (QChar& c : text) {
        if (!isAsciiLetterOrDigit(c)) {
            c = u' ';
        }
    }
    QString rest = text.trimmed();
    QStringList words;
    for (qsizetype blank = rest.indexOf(u' '); blank >= 0; blank = rest.indexOf(u' ')) {
        words << rest.left(blank);
        rest = rest.mid(blank + 1).trimmed().left(kMaxRest);
    }
    words << rest;
    return words;
}

}  // namespace

namespace DriveSearch {

QStringList BuildWantedSuffixes(const EmulatorTable& emulators) {
    QStringList suffixes{QStringLiteral(".EXE"), QStringLiteral(".ZIP")};
    for (int i = 1; i <= emulators.count(); ++i) {
        const QString& extensions = emulators.at(i).extensions;
        if (extensions.isEmpty()) {
            continue;
        }
        for (const QString& word : extensionWords(extensions)) {
            suffixes << u'.' + word.toUpper();
        }
    }
    return suffixes;
}

QStringList SplitSearchPaths(const QString& drivesText) {
    QStringList elements;
    QString rest = drivesText;
    for (qsizetype separator = rest.indexOf(u';'); separator >= 0; separator = rest.indexOf(u';')) {
        if (separator > 0) {
            elements << rest.left(separator);
        }
        rest = rest.mid(separator + 1, kMaxRest);
    }
    if (!rest.isEmpty()) {
        elements << rest;
    }
    return elements;
}

bool ReachesFolder(const QStringList& elements, const QString& folder) {
    const QString target = DosPath::withTrailingBackslash(folder.toUpper());
    for (const QString& element : elements) {
        const QString top = DosPath::withTrailingBackslash(element.toUpper());
        if (!target.startsWith(top)) {
            continue;
        }
        const QStringList below = target.mid(top.size()).split(u'\\', Qt::SkipEmptyParts);
        if (std::none_of(below.begin(), below.end(),
                         [](const QString& name) { return name.startsWith(u'.'); })) {
            return true;
        }
    }
    return false;
}

DosPaths ToDosSearchPaths(const DosFileSystem& fs, const QString& drivesText,
                          const QString& homeFolder) {
    DosPaths out;
    QStringList elements = drivesText.split(u';');
    for (QString& element : elements) {
        QString host = element.trimmed();
        if (host == u"~" || host.startsWith(u"~/")) {
            host = homeFolder + host.mid(1);
        } else if (!host.startsWith(u'/')) {
            continue;
        }
        const QString dos = fs.toDos(host);
        if (dos.isEmpty()) {
            out.refused << element;
        } else {
            element = dos;
        }
    }
    out.drivesText = elements.join(u';');
    return out;
}

QString RefusedPathsMessage(const QStringList& refused) {
    return refused.join(QStringLiteral(", ")) + (refused.size() == 1 ? u" lies" : u" lie") +
           u" on no drive of Brivanel: give a path on a drive, such as C:\\ROMS.";
}

QStringList PathsWithoutFiles(const QStringList& elements, const QStringList& foundFiles) {
    QStringList empty;
    for (const QString& element : elements) {
        const QString top = DosPath::withTrailingBackslash(element.trimmed().toUpper());
        if (std::none_of(foundFiles.begin(), foundFiles.end(),
                         [&top](const QString& path) { return path.startsWith(top); })) {
            empty << element;
        }
    }
    return empty;
}

QStringList SearchDrives(const DosFileSystem& fs, const EmulatorTable& emulators,
                         const QString& drivesText, const DirectoryWalker::Progress& progress,
                         const QString& programFolder) {
    DirectoryWalker walker(fs, BuildWantedSuffixes(emulators), progress);
    const QStringList elements = SplitSearchPaths(drivesText);
    for (const QString& element : elements) {
        walker.WalkDirectory(element);
    }
    if (!programFolder.isEmpty() && !ReachesFolder(elements, programFolder)) {
        walker.WalkDirectory(programFolder);
    }
    return walker.takeFound();
}

}  // namespace DriveSearch
