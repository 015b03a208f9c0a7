#include "maintenance/FixRomScript.h"

#include <QHash>
#include <optional>

#include "maintenance/MaintenanceScripts.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "platform/ZipEntries.h"

namespace MaintenanceScripts {
namespace {

constexpr int kMaxWorkFolders = 100;

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

// Why unpacking the archive flat and packing every file again would not give
// back every entry; empty when it would.
QString entriesProblem(const ZipEntries& zip, const QString& archive) {
    if (!zip.error.isEmpty()) {
        return QStringLiteral("its archive %1 cannot be read (%2)").arg(archive, zip.error);
    }
    QHash<QString, QString> byFlatName;  // folded as DOS compares names
    for (const ZipEntry& entry : zip.entries) {
        const QString name = quoted(entry.name);
        if (entry.encrypted) {
            return QStringLiteral("the entry %1 is encrypted").arg(name);
        }
        if (!entry.methodSupported) {
            return QStringLiteral("the entry %1 is packed with a method PKUNZIP cannot unpack")
                .arg(name);
        }
        const std::optional<QString> flat = entry.flatName();
        if (!flat) {
            return QStringLiteral("the entry %1 names a place outside its archive").arg(name);
        }
        if (flat->isEmpty()) {
            continue;
        }
        if (flat->startsWith(u'.')) {
            return QStringLiteral("the entry %1 would become a hidden file, which PKZIP leaves out")
                .arg(name);
        }
        const QString key = flat->toCaseFolded();
        if (const auto other = byFlatName.constFind(key); other != byFlatName.constEnd()) {
            return QStringLiteral("the entries %1 and %2 would both become %3")
                .arg(quoted(*other), name, quoted(*flat));
        }
        byFlatName.insert(key, entry.name);
    }
    if (byFlatName.isEmpty()) {
        return QStringLiteral("its archive %1 holds no files").arg(archive);
    }
    return {};
}

// "FixRom", else "FixRom1" and on: a name neither a folder nor a file has in
// the program directory, for the work folder and, with ".zip", the new
// archive, so that the script removes only what it made itself.
QString freshWorkName(const DosFileSystem& fs, const QString& programDirectory) {
    for (int n = 0; n < kMaxWorkFolders; ++n) {
        const QString name = QStringLiteral("FixRom") + (n == 0 ? QString() : QString::number(n));
        if (!fs.exists(programDirectory + name) &&
            !fs.exists(programDirectory + name + QStringLiteral(".zip"))) {
            return name;
        }
    }
    return {};
}

QString toolProblem(const DosFileSystem& fs, const QString& tool, QStringView name) {
    if (fs.fileExists(tool)) {
        return {};
    }
    return (tool.isEmpty() ? QStringLiteral("%1 is not set") : QStringLiteral("%1 is missing"))
               .arg(name) +
           QStringLiteral(". You can set its location by selecting Locations from the File Menu");
}

}  // namespace

FixRomScript FixRom(const DosFileSystem& fs, const FixRomRequest& request) {
    if (!request.location.toUpper().contains(QStringLiteral(".ZIP"))) {
        return {};
    }
    const auto refused = [&request](const QString& reason) {
        return FixRomScript{
            {}, QStringLiteral("Fix ROM left \"%1\" as it was: %2.").arg(request.gameName, reason)};
    };
    for (const QString& problem :
         {toolProblem(fs, request.pkunzip, u"PKUnzip"), toolProblem(fs, request.pkzip, u"PKZip")}) {
        if (!problem.isEmpty()) {
            return refused(problem);
        }
    }
    const QString host = fs.resolve(request.location);
    if (host.isEmpty()) {
        return refused(QStringLiteral("its archive %1 cannot be found").arg(request.location));
    }
    if (fs.isReadOnly(request.location)) {
        return refused(QStringLiteral("its archive %1 is read-only").arg(request.location));
    }
    if (const QString problem = entriesProblem(ZipEntries::read(host), request.location);
        !problem.isEmpty()) {
        return refused(problem);
    }
    const QString programDirectory =
        DosPath::withTrailingBackslash(fs.shortPath(request.programDirectory));
    const QString work = freshWorkName(fs, programDirectory);
    if (work.isEmpty()) {
        return refused(
            QStringLiteral("%1 has no free name for a work folder").arg(programDirectory));
    }

    ScriptWords w(fs);
    const QString folder = w.path(programDirectory, u"the program folder");
    const QString workFolder = w.name(work, u"the work folder");
    w.made(folder + workFolder, u"the work folder");
    const QString archive =
        w.purpose(w.path(fs.shortPath(request.location), u"the game's archive"));
    const QString unzip = w.path(fs.shortPath(request.pkunzip), u"PKUnzip");
    const QString zip = w.path(fs.shortPath(request.pkzip), u"PKZip");
    const QString repacked =
        w.made(w.path(folder + work + QStringLiteral(".zip"), u"the repacked archive"),
               u"the repacked archive");
    const QString drive = w.path(driveLine(folder), u"the program folder's drive");
    if (!w.ok()) {
        return refused(w.refusal());
    }
    // A work folder the script could not make is not its own: nothing more
    // runs. After that the errorlevel carries each step's outcome to the next:
    // the new archive is made only from a complete unpack and copied only
    // once it is whole. A failed PKZIP leaves at most a part of it, which goes
    // at once; a failed copy keeps it, as the one complete copy of the game.
    const QStringList lines{
        drive,
        u"cd " + folder,
        u"md " + workFolder,
        QStringLiteral("if errorlevel 1 exit"),
        u"cd " + workFolder,
        unzip + u' ' + archive,
        u"if not errorlevel 1 " + zip + u' ' + repacked,
        u"if errorlevel 1 if exist " + repacked + u" del " + repacked,
        u"if not errorlevel 1 copy " + repacked + u' ' + archive,
        u"if not errorlevel 1 del " + repacked,
        QStringLiteral("cd .."),
        u"deltree /y " + workFolder,
    };
    return {lines, {}, w.effects()};
}

}  // namespace MaintenanceScripts
